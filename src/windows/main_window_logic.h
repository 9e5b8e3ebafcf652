#pragma once
// The main window's logic, free of any toolkit: its creation steps, the hand-over with the
// start screen, the pop-up menu's commands and check marks, the in-game menu, and the key and
// mouse input of the handheld's face. The window itself (painting, events, the timer pump) is
// the desktop program's; it calls in here through its error boundary.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/platform_error.h"
#include "base/random_source.h"
#include "base/shell_port.h"
#include "base/wall_clock.h"
#include "display/main_screen.h"
#include "display/skin_loader.h"
#include "engine/handheld.h"
#include "engine/scheduler.h"
#include "engine/sound_system.h"
#include "input/control_holds.h"
#include "input/input_dispatch.h"
#include "input/key_bindings.h"
#include "input/mouse_button.h"
#include "input/pad_input.h"
#include "windows/game_menu.h"
#include "windows/main_window_view.h"
#include "windows/play_target.h"
#include "windows/pointer_input.h"
#include "windows/popup_menu.h"
#include "windows/window_zoom.h"

namespace fluffo {

inline constexpr const char* App_Title = "Fluffo Brambo (Zentrix, Gleeplay) Simulator";
// The in-game menu's picture belongs to the window's design, not to the skin.
inline constexpr const char* Game_Menu_Picture = "Graphics/Window/game_menu.png";

struct MainWindowPorts {
    MainWindowView& window;
    AuxWindows& windows;
    ShellPort& shell;
    SettingsStore& store;
    SoundSystem& sound;
    WallClock& clock;
    SeededRandom& random;
    SkinSources sources;
    std::function<uint64_t()> seed;  // step 17's seed from the clock
};

class MainWindowLogic : public PlayTarget, public PointerInput {
public:
    explicit MainWindowLogic(MainWindowPorts ports);
    MainWindowLogic(const MainWindowLogic&) = delete;
    MainWindowLogic& operator=(const MainWindowLogic&) = delete;

    // True until the main window's first activation or the start screen's automatic path.
    bool App_Splash_Pending = true;
    int32_t Inp_Drag_X = 0;
    int32_t Inp_Drag_Y = 0;

    // Creation runs every step even when the store or a picture fails one; the first failure
    // is raised at the end, for the error box.
    void FormCreate();
    void FormActivate();
    // A close request from the system: frees the samples and closes sound.
    void FormClose();
    // The play action's main-window part.
    void start_play(bool splash_screen_checked) override;

    // Keys as virtual-key codes. A key-down goes to the bindings (auto-repeats included),
    // whatever modifier is held with it; the pop-up menu's shortcuts work with the menu closed,
    // on the first press only, and only as plain keys (see is_plain_key).
    void FormKeyDown(VirtualKey virtual_key);
    void FormKeyUp(VirtualKey virtual_key);
    bool menu_shortcut(VirtualKey virtual_key, KeyModifiers held = mod::None);

    // A pad's press or release. The buttons and directions are the handheld's controls; in
    // fullscreen Start opens the in-game menu, in which the directions move the highlight,
    // South chooses the row and East or Start fold it. A release always reaches the control
    // its press held, wherever the press went.
    void pad_press(const PadPress& press);
    // Who holds each control: the keyboard, the mouse and every pad's buttons and stick.
    const ControlHolds& holds() const { return m_holds; }

    // The mouse, in client pixels. A left press is captured by the holder (or menu row) under
    // it: its release and its moves go there wherever the pointer is then, whatever other
    // button is pressed and released meanwhile. The other buttons act on nothing here.
    void mouse_down(int32_t x, int32_t y, MouseButton button) override;
    void mouse_up(int32_t x, int32_t y, MouseButton button) override;
    void mouse_move(int32_t x, int32_t y, bool left_held) override;
    void mouse_leave();
    // The window lost the pointer to another (a pop-up menu) during a left press, and will not
    // see its release: the press ends as if released away from everything, so a button area
    // still gets its `_up` call.
    void mouse_capture_lost() override;
    Cursor cursor_at(int32_t x, int32_t y) const override;
    std::string hint_at(int32_t x, int32_t y) const;
    // The topmost visible holder under the point, or -1.
    HolderId holder_at(int32_t x, int32_t y) const;

    // The pop-up menu.
    void pm_0_menuPopup();
    // The check mark of entry 0..13 of Popup_Entries, none for an entry that carries none.
    // The fullscreen and overlay marks are the display flags themselves; the start-up mark is
    // the store's, read at each opening. Every menu that shows the entries asks here.
    std::optional<bool> check_mark(int entry) const;
    bool checkable(int entry) const { return check_mark(entry).has_value(); }
    bool checked(int entry) const { return check_mark(entry).value_or(false); }
    void run_command(MenuCommand command);
    void pm_1_aboutClick();
    void pm_2_readmeClick();
    void pm_3_whatsnewClick();
    void pm_4_manualClick();
    void pm_6_configClick();
    void pm_7_keysClick();
    void pm_8_hiscoreClick();
    void pm_10_fullscreenClick();
    void pm_11_splashscreenClick();
    void pm_12_controllerClick();
    void pm_14_exitClick();

    // The handheld's size in percent: the step the player chose (the store's WindowZoom) and
    // the one in use, the largest step up to it at which the handheld fits the screen's
    // available area (in fullscreen the screen).
    int32_t chosen_zoom() const { return m_zoom_chosen; }
    int32_t zoom() const { return m_zoom; }
    // A size from the Size menu: used at once, as far as it fits, and stored; a refused write
    // is told afterwards. The window keeps its centre.
    void set_zoom(int32_t percent);
    // Ctrl with plus, minus or 0, or with the wheel: one step from the size in use. A larger
    // step that would not fit changes nothing.
    void change_zoom(ZoomChange change);
    // The window came to a screen of another size or scale factor: the size is fitted again
    // and the pictures loaded for the new resolution.
    void screen_changed();

    // The in-game menu.
    void btn_game_menu_topClick();
    void Vid_Display_Game_Menu(bool open);
    const GameMenu& game_menu() const { return m_game_menu; }
    // Rows whose look changed since the last call (the window repaints them over the frame).
    std::vector<Rect> take_menu_dirty();

    // The start screen's check box, read as the default of "SplashScreen" when the menu opens.
    void set_splash_check_box(std::function<bool()> state) {
        m_splash_check_box = std::move(state);
    }

    MainScreen& screen() { return m_screen; }
    const MainScreen& screen() const { return m_screen; }
    Scheduler& scheduler() { return m_scheduler; }
    Handheld& handheld() { return m_handheld; }
    KeyBindings& keys() { return m_keys; }
    SkinLoader& skin() { return m_skin; }
    MainWindowView& window() { return m_ports.window; }

private:
    void load_design_pictures();
    void pad_in_menu(PadButton button);
    // Runs row's command (when `run`), then folds the menu up even when the command failed.
    void choose_menu_row(int row, bool run);
    void fold_game_menu();
    void centre_on_screen();
    // Fits the chosen size to the screen, loads the pictures for the resolution that gives
    // when it changed and lays the window out again around its centre.
    void apply_zoom();
    int32_t fitted_zoom() const;
    // Takes the fitted size and the resolution it gives for the next loads; false when
    // neither changed.
    bool fit_zoom();
    void reload_pictures(DeferredErrors& errors);

    MainWindowPorts m_ports;
    MainScreen m_screen;
    Scheduler m_scheduler;
    Handheld m_handheld;
    ControlHolds m_holds{m_handheld};
    SkinLoader m_skin;
    KeyBindings m_keys;
    GameMenu m_game_menu;
    std::vector<Rect> m_menu_dirty;
    std::function<bool()> m_splash_check_box;

    bool m_pm_11_checked = true;
    int32_t m_zoom_chosen = Zoom_Default;
    int32_t m_zoom = Zoom_Default;

    // The press in progress: the holder or menu row that took it.
    HolderId m_captured = -1;
    int m_captured_row = -1;
};

}  // namespace fluffo
