#include "windows/start_screen_logic.h"

#include <array>

#include "base/platform_error.h"
#include "base/settings_values.h"

namespace fluffo {

namespace {

bool is_driver_index(int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < Snd_Driver_Texts.size();
}

}  // namespace

StartScreenLogic::StartScreenLogic(SettingsStore& store, SoundSystem& sound, ShellPort& shell,
                                   PlayTarget& play, bool& app_splash_pending,
                                   StartScreenView& view)
    : m_store(store),
      m_sound(sound),
      m_shell(shell),
      m_play(play),
      m_app_splash_pending(app_splash_pending),
      m_view(view) {}

void StartScreenLogic::FormCreate() {
    m_controls.game_title = Start_Game_Title;
    m_controls.version = Start_Version;
    m_controls.release_date = Start_Release_Credit;
    // A stored choice that cannot be read keeps its default (no driver, the box ticked), which
    // never takes the automatic path; it is told once the window stands whole.
    DeferredErrors unreadable;
    unreadable.attempt([&] {
        const int32_t sound_mode = read_setting(m_store, Setting_SoundMode);
        m_controls.sound_index = is_driver_index(sound_mode) ? sound_mode : -1;
    });
    unreadable.attempt(
        [&] { m_controls.splash_screen_checked = read_setting(m_store, Setting_SplashScreen); });

    if (m_controls.sound_index >= 0 && !m_controls.splash_screen_checked) {
        // A driver is stored and the player wants no start screen: play at once, unseen.
        m_controls.play_enabled = true;
        m_view.refresh_controls(m_controls);
        m_view.place_off_screen();
        m_app_splash_pending = false;
        try {
            btn_playClick();
            return;
        } catch (...) {
            // The game did not come up: the start screen stands in view instead, where the
            // player can play again or leave, and the error is told over it.
            if (!m_hidden_for_good) m_view.centre_on_screen();
            throw;
        }
    }
    m_view.centre_on_screen();
    update_play_button();
    unreadable.rethrow_first();
}

void StartScreenLogic::cb_soundChange(int32_t index) {
    m_controls.sound_index = is_driver_index(index) ? index : -1;
    update_play_button();
}

void StartScreenLogic::chb_splashscreenChange(bool checked) {
    m_controls.splash_screen_checked = checked;
}

bool StartScreenLogic::FormKeyDown(VirtualKey virtual_key) {
    switch (virtual_key) {
        case vk::Enter:
        case vk::digit(1):
            if (m_controls.play_enabled) btn_playClick();
            return true;
        case vk::Esc:
            // Nothing is stored: the next start asks again.
            m_shell.terminate();
            return true;
        default:
            return false;
    }
}

void StartScreenLogic::btn_playClick() {
    const SoundStart started =
        m_sound.Snd_Init(sound_text(), m_store,
                         [this](std::string_view text) { m_shell.show_error(std::string(text)); });
    if (started == SoundStart::FolderMissing) {
        // The player has been told and the choice forgotten; there is no game without it.
        m_shell.terminate_failed();
        return;
    }
    const bool checked = m_controls.splash_screen_checked;
    write_setting(m_store, Setting_SplashScreen, checked);
    m_play.start_play(checked);
    m_hidden_for_good = true;
    m_view.hide_for_good();
    // Told once the handheld is up; the game runs on beneath the box.
    if (m_sound.output_fell_back()) m_shell.show_error(silent_output_text(sound_text()));
}

void StartScreenLogic::la_website_2Click() {
    m_shell.open_address(std::string(Website_Address));
}

void StartScreenLogic::la_email_2Click() {
    m_shell.open_address(std::string(Email_Address));
}

void StartScreenLogic::btn_paypalClick() {
    m_shell.open_address(std::string(Donation_Address));
}

std::string_view StartScreenLogic::sound_text() const {
    if (!is_driver_index(m_controls.sound_index)) return {};
    return Snd_Driver_Texts[static_cast<size_t>(m_controls.sound_index)];
}

void StartScreenLogic::update_play_button() {
    m_controls.play_enabled = !sound_text().empty();
    m_view.refresh_controls(m_controls);
}

}  // namespace fluffo
