#include "app/sdl/sdl_audio_backend.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <utility>

namespace fluffo {

namespace {
// About 46 ms at 22050 Hz: short enough that a step's blip is not late, long enough not to
// starve on a busy desktop.
constexpr int kMixBufferFrames = 1024;
}  // namespace

SdlAudioDrivers SdlAudioDrivers::for_this_platform() {
#ifdef _WIN32
    return {"directsound", "winmm", "dummy"};
#else
    return {std::nullopt, "alsa", "dummy"};
#endif
}

SdlAudioBackend::SdlAudioBackend(SdlAudioDrivers drivers) : m_drivers(std::move(drivers)) {}

SdlAudioBackend::~SdlAudioBackend() {
    for (size_t i = 0; i < m_slots.size(); ++i)
        free_sample(static_cast<SampleHandle>(i + 1));
    close();
}

bool SdlAudioBackend::start(const std::optional<std::string>& driver, bool override_environment,
                            int32_t mix_rate_hz, int32_t channels) {
    close();
    if (driver) {
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver->c_str(),
                                override_environment ? SDL_HINT_OVERRIDE : SDL_HINT_NORMAL);
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
        return false;
    }
    if (Mix_OpenAudio(mix_rate_hz, AUDIO_S16SYS, 2, kMixBufferFrames) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
        return false;
    }
    Mix_AllocateChannels(channels);
    m_open = true;
    return true;
}

bool SdlAudioBackend::open(SoundOutput output, int32_t mix_rate_hz, int32_t channels) {
    const std::optional<std::string>& driver =
        output == SoundOutput::DirectSound ? m_drivers.direct_sound : m_drivers.multi_media;
    return start(driver, false, mix_rate_hz, channels);
}

bool SdlAudioBackend::open_silent(int32_t mix_rate_hz, int32_t channels) {
    // The environment may name the very driver that just failed: the silent one must win.
    return start(m_drivers.silent, true, mix_rate_hz, channels);
}

SampleHandle SdlAudioBackend::load(const std::string& file_name) {
    Slot loaded;
    if (m_open) {
        loaded.chunk = Mix_LoadWAV(file_name.c_str());
        if (!loaded.chunk) return Empty_Sample;
    } else {
        // Nothing to play into, but whether the file is there and readable is still the
        // truth the folder check needs.
        SDL_AudioSpec format;
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        if (!SDL_LoadWAV(file_name.c_str(), &format, &buffer, &length)) return Empty_Sample;
        SDL_FreeWAV(buffer);
    }
    loaded.used = true;
    m_slots.push_back(loaded);
    return static_cast<SampleHandle>(m_slots.size());
}

SdlAudioBackend::Slot* SdlAudioBackend::slot(SampleHandle sample) {
    if (sample <= 0 || static_cast<size_t>(sample) > m_slots.size()) return nullptr;
    Slot& s = m_slots[static_cast<size_t>(sample - 1)];
    return s.used ? &s : nullptr;
}

void SdlAudioBackend::play(SampleHandle sample) {
    const Slot* s = slot(sample);
    // No free channel among the 64 means this one is simply not heard.
    if (m_open && s && s->chunk) Mix_PlayChannel(-1, s->chunk, 0);
}

void SdlAudioBackend::stop_all() {
    if (m_open) Mix_HaltChannel(-1);
}

void SdlAudioBackend::free_sample(SampleHandle sample) {
    Slot* s = slot(sample);
    if (!s) return;
    // Mix_FreeChunk first halts any channel still playing the chunk.
    if (s->chunk) Mix_FreeChunk(s->chunk);
    *s = Slot{};
}

void SdlAudioBackend::close() {
    if (!m_open) return;
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    m_open = false;
}

}  // namespace fluffo
