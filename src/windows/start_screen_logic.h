#pragma once
// The start screen's logic without its window: the texts it shows, the driver choice, the
// "Display this splash screen at startup" box, when play is possible, the keys it takes, and
// the play action that starts sound, stores the choices and hands over to the main window.
// Its window is reached through StartScreenView. Store errors abandon the handler at the
// caller's error boundary; creation alone runs all its steps first, so the window stands whole
// (centred, its texts shown, play enabled only with a driver) when the error is told.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/settings_store.h"
#include "base/shell_port.h"
#include "base/virtual_keys.h"
#include "engine/sound_system.h"
#include "windows/play_target.h"
#include "windows/project_addresses.h"

namespace fluffo {

inline constexpr std::string_view Start_Game_Title = "Fluffo Brambo (Zentrix, Gleeplay) Simulator";
inline constexpr std::string_view Start_Version = "Version 5.00 * Final *";
inline constexpr std::string_view Start_Release_Credit =
    "Written by the Fluffo Brambo Simulator project, released 4th December 2017";

// What the window's controls show. Texts are empty until creation fills them.
struct StartScreenControls {
    std::string game_title;
    std::string version;
    std::string release_date;
    int32_t sound_index = -1;  // the driver box's selection, -1: none
    bool splash_screen_checked = true;
    bool play_enabled = false;  // btn_play shown and enabled; btn_play_disabled otherwise
};

// What the logic asks of its window.
class StartScreenView {
public:
    virtual ~StartScreenView() = default;
    // Left := minus the window's width, top := minus its height: out of every screen.
    virtual void place_off_screen() = 0;
    virtual void centre_on_screen() = 0;
    // Hidden for the rest of the run.
    virtual void hide_for_good() = 0;
    // Make the controls show this; changes made here are not the player's choices.
    virtual void refresh_controls(const StartScreenControls& controls) = 0;
};

class StartScreenLogic {
public:
    StartScreenLogic(SettingsStore& store, SoundSystem& sound, ShellPort& shell, PlayTarget& play,
                     bool& app_splash_pending, StartScreenView& view);

    // Fills the texts and the stored choices, then either runs the play action unseen (a
    // driver is stored and the start screen is switched off) or centres the window. A play
    // action that fails unseen centres the window too: the program never runs with nothing on
    // the screen.
    void FormCreate();
    // The player chose the driver at index (0..2; anything else is no choice).
    void cb_soundChange(int32_t index);
    // The player ticked or unticked the start-up box; stored only by the play action.
    void chb_splashscreenChange(bool checked);
    // A key seen before the focused control; false: the control handles it as usual.
    bool FormKeyDown(VirtualKey virtual_key);
    // The play action. Starts the game even when play is not enabled: the callers check.
    void btn_playClick();
    void la_website_2Click();
    void la_email_2Click();
    void btn_paypalClick();

    const StartScreenControls& controls() const { return m_controls; }
    // The driver box's text: a driver name, or empty without a selection.
    std::string_view sound_text() const;
    bool hidden_for_good() const { return m_hidden_for_good; }

private:
    void update_play_button();

    SettingsStore& m_store;
    SoundSystem& m_sound;
    ShellPort& m_shell;
    PlayTarget& m_play;
    bool& m_app_splash_pending;
    StartScreenView& m_view;
    StartScreenControls m_controls;
    bool m_hidden_for_good = false;
};

}  // namespace fluffo
