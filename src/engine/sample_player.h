#pragma once
// The handheld's nine sound samples and the player it sounds them through: the sound system
// (engine/sound_system.h) in the desktop program, a recorder (engine/sound_recorder.h) in the
// headless driver and the tests.

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

}  // namespace fluffo
