#pragma once
// Plain implementations of the engine's ports: a recorder in place of a sound card, a clock
// that can be set and runs on with virtual time, and a seeded generator. The headless driver
// and the tests use them; they are small enough to read at a glance.

#include <cstdint>
#include <functional>
#include <vector>

#include "engine/sample_player.h"

namespace fluffo {

class SoundRecorder : public SamplePlayer {
public:
    struct Played {
        int64_t t_ms;
        Sample sample;
    };
    // now_ms tells when a sample was played; without it every entry carries time 0.
    explicit SoundRecorder(std::function<int64_t()> now_ms = {}) : m_now(std::move(now_ms)) {}
    void Snd_Play(Sample sample) override;
    std::vector<Played> take();
    void set_recording(bool on) { m_recording = on; }

private:
    std::function<int64_t()> m_now;
    std::vector<Played> m_played;
    bool m_recording = true;
};

// Local time set to hh:mm at some virtual moment, running on with virtual time.
class SettableClock : public WallClock {
public:
    explicit SettableClock(std::function<int64_t()> now_ms) : m_now(std::move(now_ms)) {}
    void set(int32_t hour, int32_t minute);
    LocalTime local_time() override;

private:
    std::function<int64_t()> m_now;
    int64_t m_set_at_ms = 0;
    int64_t m_minute_of_day = 0;
};

// PCG32 with an unbiased bounded draw: fast, small and the same on every platform.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(uint64_t seed = 0) { reseed(seed); }
    void reseed(uint64_t seed);
    int32_t next_below(int32_t n) override;
    uint32_t next_u32();

private:
    uint64_t m_state = 0;
    uint64_t m_inc = 0;
};

}  // namespace fluffo
