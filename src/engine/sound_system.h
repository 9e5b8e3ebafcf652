#pragma once
// The program's sound: the driver chosen on the start screen, the nine samples loaded once in
// table order from "Sound/<name>.wav", fire-and-forget play that overlaps, stop-all and the
// release at close. A folder without a readable Bonus sample is reported and the choice is
// forgotten; an output that cannot be opened is not a missing folder: the game runs silently.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/audio_backend.h"
#include "base/settings_store.h"
#include "engine/sample_player.h"

namespace fluffo {

// The driver choice box's items; an item's index is the stored `SoundMode`.
inline constexpr std::array<std::string_view, 3> Snd_Driver_Texts = {
    "Microsoft DirectSound", "Windows MultiMedia", "(no sound)"};
inline constexpr int32_t Sound_Mode_No_Sound = 2;

inline constexpr std::string_view Snd_Folder_Missing_Text =
    "Sound folder unproperly installed. Please reinstall the game.";

// What the player is told when the chosen output could not open and the game plays silently.
std::string silent_output_text(std::string_view driver_text);

inline constexpr int32_t Snd_Mix_Rate_Hz = 22050;
inline constexpr int32_t Snd_Channels = 64;

// "Sound/Bonus.wav" and so on, relative to the working directory.
std::string sample_file_name(Sample sample);

// The stored `SoundMode` of a choice box text, or none for a text that is no driver.
std::optional<int32_t> sound_mode_from_text(std::string_view driver_text);

enum class SoundStart {
    Silent,        // "(no sound)": the library was not started
    Started,       // sound is on (on a silent output when the chosen one could not open)
    FolderMissing  // reported, choice forgotten: the caller ends the program
};

class SoundSystem : public SamplePlayer {
public:
    using ErrorBox = std::function<void(std::string_view text)>;

    explicit SoundSystem(AudioBackend& backend) : m_backend(backend) {}

    // Start sound from the driver text, once per run. Writes `SoundMode`. On a missing folder
    // shows the error through error_box (which waits until dismissed), then stores
    // `SoundMode` = -1 and `SplashScreen` = true so the next start asks again.
    SoundStart Snd_Init(std::string_view driver_text, SettingsStore& store,
                        const ErrorBox& error_box);

    void Snd_Play(Sample sample) override;
    // Told of every sample the handheld asks for, before and whether or not it sounds (the web
    // page's driver hears its handheld through a recorder here); none by default.
    void set_listener(SamplePlayer* listener) { m_listener = listener; }
    void Snd_Silence();
    // Frees the nine samples in table order and closes the library, started or not.
    void Snd_Release();

    bool Snd_Enabled() const { return m_enabled; }
    const std::array<SampleHandle, Sample_Count>& Snd_Samples() const { return m_samples; }
    // The chosen output could not be opened and the game sounds into a silent one instead.
    bool output_fell_back() const { return m_output_fell_back; }

private:
    AudioBackend& m_backend;
    SamplePlayer* m_listener = nullptr;
    bool m_enabled = false;
    bool m_output_fell_back = false;
    std::array<SampleHandle, Sample_Count> m_samples{};
};

}  // namespace fluffo
