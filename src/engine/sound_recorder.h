#pragma once
// A recorder in place of a sound card: the samples the handheld played, with the virtual time
// of each. The headless driver and the tests listen through it.

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

}  // namespace fluffo
