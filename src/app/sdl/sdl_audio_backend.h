#pragma once
// The sound layer's library on SDL2_mixer. Each output is an SDL audio driver: on Windows
// "directsound" and "winmm"; elsewhere the system's default output and ALSA directly. A
// driver named in SDL_AUDIODRIVER wins over these, as SDL users expect. The silent output is
// SDL's "dummy" driver; should even that fail, samples are still read to check the files.

#include <optional>
#include <string>
#include <vector>

#include "base/audio_backend.h"

struct Mix_Chunk;

namespace fluffo {

struct SdlAudioDrivers {
    std::optional<std::string> direct_sound;  // none: the system's default output
    std::optional<std::string> multi_media;
    std::string silent = "dummy";

    static SdlAudioDrivers for_this_platform();
};

class SdlAudioBackend : public AudioBackend {
public:
    explicit SdlAudioBackend(SdlAudioDrivers drivers = SdlAudioDrivers::for_this_platform());
    ~SdlAudioBackend() override;
    SdlAudioBackend(const SdlAudioBackend&) = delete;
    SdlAudioBackend& operator=(const SdlAudioBackend&) = delete;

    bool open(SoundOutput output, int32_t mix_rate_hz, int32_t channels) override;
    bool open_silent(int32_t mix_rate_hz, int32_t channels) override;
    SampleHandle load(const std::string& file_name) override;
    void play(SampleHandle sample) override;
    void stop_all() override;
    void free_sample(SampleHandle sample) override;
    void close() override;

    bool is_open() const { return m_open; }

private:
    struct Slot {
        Mix_Chunk* chunk = nullptr;  // none when read without an open output
        bool used = false;
    };
    bool start(const std::optional<std::string>& driver, bool override_environment,
               int32_t mix_rate_hz, int32_t channels);
    Slot* slot(SampleHandle sample);

    SdlAudioDrivers m_drivers;
    bool m_open = false;
    std::vector<Slot> m_slots;
};

}  // namespace fluffo
