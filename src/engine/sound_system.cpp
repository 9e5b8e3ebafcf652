#include "engine/sound_system.h"

#include "base/settings_values.h"

namespace fluffo {

std::string sample_file_name(Sample sample) {
    return "Sound/" + std::string(sample_name(sample)) + ".wav";
}

std::optional<int32_t> sound_mode_from_text(std::string_view driver_text) {
    for (size_t mode = 0; mode < Snd_Driver_Texts.size(); ++mode) {
        if (Snd_Driver_Texts[mode] == driver_text) return static_cast<int32_t>(mode);
    }
    return std::nullopt;
}

std::string silent_output_text(std::string_view driver_text) {
    return "The sound output \"" + std::string(driver_text) +
           "\" could not be opened. The game plays on without sound.";
}

SoundStart SoundSystem::Snd_Init(std::string_view driver_text, SettingsStore& store,
                                 const ErrorBox& error_box) {
    const std::optional<int32_t> mode = sound_mode_from_text(driver_text);
    if (!mode) return SoundStart::Silent;
    write_setting(store, Setting_SoundMode, *mode);
    if (*mode == Sound_Mode_No_Sound) return SoundStart::Silent;
    m_enabled = true;

    const SoundOutput output = *mode == 0 ? SoundOutput::DirectSound : SoundOutput::MultiMedia;
    // No device or no sound server is no reason to stop the game or to forget the player's
    // choice: it plays on silently, and the sample check below still sees the real folder.
    if (!m_backend.open(output, Snd_Mix_Rate_Hz, Snd_Channels)) {
        m_output_fell_back = true;
        m_backend.open_silent(Snd_Mix_Rate_Hz, Snd_Channels);
    }
    for (int i = 0; i < Sample_Count; ++i) {
        m_samples[i] = m_backend.load(sample_file_name(static_cast<Sample>(i)));
    }

    // Bonus, loaded first, stands for the whole folder; another missing sample only stays
    // silent.
    if (m_samples[static_cast<size_t>(Sample::Bonus)] != Empty_Sample) return SoundStart::Started;
    if (error_box) error_box(Snd_Folder_Missing_Text);
    // No choice yet: the next start shows the start screen and asks again.
    write_setting(store, Setting_SoundMode, Setting_SoundMode.default_value);
    write_setting(store, Setting_SplashScreen, true);
    return SoundStart::FolderMissing;
}

void SoundSystem::Snd_Play(Sample sample) {
    if (m_listener) m_listener->Snd_Play(sample);
    if (!m_enabled) return;
    const SampleHandle handle = m_samples[static_cast<size_t>(sample)];
    if (handle != Empty_Sample) m_backend.play(handle);
}

void SoundSystem::Snd_Silence() {
    if (m_enabled) m_backend.stop_all();
}

void SoundSystem::Snd_Release() {
    for (SampleHandle& handle : m_samples) {
        m_backend.free_sample(handle);
        handle = Empty_Sample;
    }
    m_backend.close();
    m_enabled = false;
}

}  // namespace fluffo
