#pragma once
// What the handheld asks of the world around it: a sound to play, the local time of day and
// random numbers. The desktop program plugs in the real ones; tests and the headless driver
// use the simple ones of engine/sound_recorder.h. (High scores go through base/settings_store.h.)

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace fluffo {

// The nine samples, in the order the sound layer loads them.
enum class Sample : uint8_t {
    Bonus,
    Complete,
    Gameover,
    Miss,
    Move,
    Power1,
    Power2,
    Start,
    Stgstart
};
inline constexpr int Sample_Count = 9;

std::string_view sample_name(Sample sample);
std::optional<Sample> sample_from_name(std::string_view name);

class SamplePlayer {
public:
    virtual ~SamplePlayer() = default;
    // Fire and forget; samples overlap freely.
    virtual void Snd_Play(Sample sample) = 0;
};

struct LocalTime {
    int32_t hour = 0;    // 0..23
    int32_t minute = 0;  // 0..59
};

class WallClock {
public:
    virtual ~WallClock() = default;
    virtual LocalTime local_time() = 0;
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform integer in 0..n-1, n >= 1.
    virtual int32_t next_below(int32_t n) = 0;
};

}  // namespace fluffo
