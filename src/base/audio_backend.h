#pragma once
// The audio library beneath the sound layer: start an output, load a sample file, play it on
// any free channel, stop everything, free a sample, close. SDL2_mixer in the desktop program
// (shell/sdl/), a hand-written fake in the tests. Sample handles are opaque; 0 is the empty one.

#include <cstdint>
#include <string>

namespace fluffo {

using SampleHandle = int32_t;
inline constexpr SampleHandle Empty_Sample = 0;

// The two outputs the player can pick. Each platform maps them to a real driver.
enum class SoundOutput : uint8_t { DirectSound, MultiMedia };

class AudioBackend {
public:
    virtual ~AudioBackend() = default;
    // Starts the library on the output, mixing at mix_rate_hz on `channels` channels. False
    // when the output cannot be opened (no device, no sound server); nothing is left open then.
    virtual bool open(SoundOutput output, int32_t mix_rate_hz, int32_t channels) = 0;
    // The same on an output that plays into nothing but works without any sound hardware.
    virtual bool open_silent(int32_t mix_rate_hz, int32_t channels) = 0;
    // Reads a sample file, path relative to the working directory. Empty when the file cannot
    // be read. Works even when no output could be opened, so a missing file is always told.
    virtual SampleHandle load(const std::string& file_name) = 0;
    // Fire and forget on any free channel; never cuts a sample already playing.
    virtual void play(SampleHandle sample) = 0;
    virtual void stop_all() = 0;
    // Both accept what was never there: an empty handle, a library never opened.
    virtual void free_sample(SampleHandle sample) = 0;
    virtual void close() = 0;
};

}  // namespace fluffo
