#include "windows/main_window_logic.h"

#include <algorithm>

#include "base/platform_error.h"
#include "base/settings_values.h"
#include "display/centring.h"

namespace fluffo {

MainWindowLogic::MainWindowLogic(MainWindowPorts ports)
    : m_ports(std::move(ports)),
      m_handheld(m_screen, m_scheduler,
                 HandheldPorts{m_ports.sound, m_ports.store, m_ports.clock, m_ports.random}),
      m_skin(m_screen, m_ports.window, m_ports.sources) {}

void MainWindowLogic::FormCreate() {
    MainWindowView& window = m_ports.window;
    DeferredErrors errors;

    window.set_title(App_Title);
    // Unseen until the play action brings the window up at the centre.
    window.move_out_of_sight();

    m_screen.Vid_Fullscreen = Setting_FullscreenMode.default_value;
    errors.attempt(
        [&] { m_screen.Vid_Fullscreen = read_setting(m_ports.store, Setting_FullscreenMode); });
    errors.attempt([&] {
        const int32_t stored = read_setting(m_ports.store, Setting_WindowZoom);
        m_zoom_chosen = is_zoom_step(stored) ? stored : Zoom_Default;
    });
    // Fitted to the design's size first, so that the pictures are loaded once at their
    // resolution; fitted again once the skin has told its own size.
    fit_zoom();
    errors.attempt([&] { load_design_pictures(); });

    // A missing Config.ini is told and ends the program inside; the steps below still run.
    errors.attempt([&] { m_skin.Gfx_Load_Skin(); });
    errors.attempt([&] { apply_zoom(); });
    m_screen.Vid_Menu_Open = false;

    errors.attempt([&] { m_keys.load(m_ports.store, m_screen.model()); });

    m_screen.Vid_Ctrlr_Overlay = Setting_CtrlrOverlay.default_value;
    errors.attempt(
        [&] { m_screen.Vid_Ctrlr_Overlay = read_setting(m_ports.store, Setting_CtrlrOverlay); });
    m_screen.Vid_Display_Ctrl_Overlay();

    // Move tables, high scores (each falling back to 0) and the held-button flags.
    errors.attempt([&] { m_handheld.create(); });
    if (m_ports.seed) m_ports.random.reseed(m_ports.seed());

    errors.rethrow_first();
}

void MainWindowLogic::load_design_pictures() {
    const SkinSources& sources = m_skin.sources();
    const std::string path = sources.program_file(Game_Menu_Picture);
    if (!sources.picture_exists(path)) return;
    const HolderId background = m_screen.model().require("btn_game_menu_background");
    m_screen.model().set_picture(background, sources.load_picture(path));
}

void MainWindowLogic::FormActivate() {
    if (!App_Splash_Pending) return;
    App_Splash_Pending = false;
    m_ports.windows.show_start_screen();
}

void MainWindowLogic::FormClose() {
    m_ports.sound.Snd_Release();
}

void MainWindowLogic::start_play(bool splash_screen_checked) {
    m_pm_11_checked = splash_screen_checked;
    centre_on_screen();
    m_handheld.set_mode(Mode::All_On);
    // Shown once every segment is lit: the window's first picture is the lit screen, not the
    // one before it.
    m_ports.window.set_shown(true);
}

void MainWindowLogic::centre_on_screen() {
    MainWindowView& w = m_ports.window;
    w.move_to(centred_start(0, w.screen_width(), zoomed(w.client_width(), m_zoom)),
              centred_start(0, w.screen_height(), zoomed(w.client_height(), m_zoom)));
}

// The window's size.

int32_t MainWindowLogic::fitted_zoom() const {
    const MainWindowView& w = m_ports.window;
    const Rect area = m_screen.Vid_Fullscreen ? Rect{0, 0, w.screen_width(), w.screen_height()}
                                              : w.available_area();
    return fitting_zoom(m_zoom_chosen, m_skin.game_width(), m_skin.game_height(), area.width,
                        area.height);
}

void MainWindowLogic::set_zoom(int32_t percent) {
    if (!is_zoom_step(percent)) return;
    m_zoom_chosen = percent;
    DeferredErrors errors;
    errors.attempt([&] { write_setting(m_ports.store, Setting_WindowZoom, percent); });
    errors.attempt([&] { apply_zoom(); });
    errors.rethrow_first();
}

void MainWindowLogic::change_zoom(ZoomChange change) {
    const int32_t target = zoom_after(m_zoom, change);
    if (target == m_zoom && target == m_zoom_chosen) return;
    const int32_t chosen = m_zoom_chosen;
    m_zoom_chosen = target;
    if (target > m_zoom && fitted_zoom() < target) {
        m_zoom_chosen = chosen;  // no room for it
        return;
    }
    set_zoom(target);
}

void MainWindowLogic::screen_changed() {
    apply_zoom();
}

bool MainWindowLogic::fit_zoom() {
    MainWindowView& w = m_ports.window;
    const int32_t zoom = fitted_zoom();
    const double scale = zoom / 100.0 * w.device_pixel_ratio();
    if (zoom == m_zoom && scale == m_skin.picture_scale()) return false;
    m_zoom = zoom;
    m_skin.set_zoom(zoom / 100.0);
    m_skin.set_picture_scale(scale);
    w.set_zoom(zoom / 100.0);
    return true;
}

void MainWindowLogic::reload_pictures(DeferredErrors& errors) {
    errors.attempt([&] { load_design_pictures(); });
    errors.attempt([&] { m_skin.Gfx_Load_Skin(); });
    // The digits shown take copies of the new number pictures.
    for (int pos = 1; pos <= 5; ++pos)
        m_screen.set_digit(pos, m_screen.digit_shown(pos));
}

void MainWindowLogic::apply_zoom() {
    MainWindowView& w = m_ports.window;
    const int32_t old_zoom = m_zoom;
    if (!fit_zoom()) return;
    const int64_t centre_x = int64_t{w.left()} + zoomed(w.client_width(), old_zoom) / 2;
    const int64_t centre_y = int64_t{w.top()} + zoomed(w.client_height(), old_zoom) / 2;

    // The in-game menu folds up, as at a switch of display.
    if (m_screen.Vid_Menu_Open) fold_game_menu();
    DeferredErrors errors;
    reload_pictures(errors);
    if (m_screen.Vid_Fullscreen) {
        centre_on_screen();
    } else {
        // The same centre, the whole window inside the area the screen gives it.
        const Rect area = w.available_area();
        const int32_t width = zoomed(w.client_width(), m_zoom);
        const int32_t height = zoomed(w.client_height(), m_zoom);
        const auto inside = [](int64_t place, int64_t size, int64_t from, int64_t length) {
            return clamp_to_int32(std::max(from, std::min(place, from + length - size)));
        };
        w.move_to(inside(centre_x - width / 2, width, area.left, area.width),
                  inside(centre_y - height / 2, height, area.top, area.height));
    }
    errors.rethrow_first();
}

// Keys.

void MainWindowLogic::FormKeyDown(VirtualKey virtual_key) {
    fluffo::FormKeyDown(m_keys, m_holds, virtual_key);
}

void MainWindowLogic::FormKeyUp(VirtualKey virtual_key) {
    fluffo::FormKeyUp(m_keys, m_holds, virtual_key);
}

bool MainWindowLogic::menu_shortcut(VirtualKey virtual_key, KeyModifiers held) {
    const auto command = command_for_shortcut(virtual_key, held);
    if (!command) return false;
    run_command(*command);
    return true;
}

// The mouse.

HolderId MainWindowLogic::holder_at(int32_t x, int32_t y) const {
    return m_screen.model().topmost_at(x, y);
}

void MainWindowLogic::mouse_down(int32_t x, int32_t y, MouseButton button) {
    // Only the left button captures: a right or middle press during a left one must not take
    // its release away from the area that was pressed.
    if (button != MouseButton::Left) return;
    // A left press whose release never came (the pointer went to another window) ends first.
    mouse_capture_lost();
    m_captured_row = m_game_menu.row_at(x, y);
    m_captured = m_captured_row >= 0 ? -1 : holder_at(x, y);
    if (m_captured < 0) return;

    const Holder& h = m_screen.model().at(m_captured);
    const InputArea area = input_area(h.name);
    if (area.kind == AreaKind::Button) {
        m_holds.press(Mouse_Source, area.control);
    } else if (area.kind == AreaKind::Drag && !m_screen.Vid_Fullscreen) {
        // The window system moves the window and has the press from now on.
        if (m_ports.window.start_system_move()) {
            m_captured = -1;
            return;
        }
        Inp_Drag_X = x - h.bounds.left;
        Inp_Drag_Y = y - h.bounds.top;
    }
}

void MainWindowLogic::mouse_up(int32_t x, int32_t y, MouseButton button) {
    if (button != MouseButton::Left) return;
    const HolderId holder = m_captured;
    const int row = m_captured_row;
    m_captured = -1;
    m_captured_row = -1;

    if (row >= 0) {
        // The click runs the entry's command; the release then folds the menu up.
        choose_menu_row(row, m_game_menu.row_at(x, y) == row);
        return;
    }

    if (holder < 0) return;
    const Holder& h = m_screen.model().at(holder);
    const InputArea area = input_area(h.name);
    if (area.kind == AreaKind::Button) {
        m_holds.release(Mouse_Source, area.control);
    } else if (area.kind == AreaKind::MenuButton && holder_at(x, y) == holder) {
        btn_game_menu_topClick();
    }
}

void MainWindowLogic::mouse_capture_lost() {
    if (m_captured < 0 && m_captured_row < 0) return;
    mouse_up(INT32_MIN, INT32_MIN, MouseButton::Left);
}

void MainWindowLogic::mouse_move(int32_t x, int32_t y, bool left_held) {
    if (!m_game_menu.rows().empty()) {
        for (const Rect& r : m_game_menu.hover(m_game_menu.row_at(x, y)))
            m_menu_dirty.push_back(r);
    }
    if (m_captured < 0 || !left_held || m_screen.Vid_Fullscreen) return;
    const Holder& h = m_screen.model().at(m_captured);
    if (input_area(h.name).kind != AreaKind::Drag) return;
    // The pressed point comes back under the pointer: top first, then left.
    // Client pixels are zoomed into window pixels.
    MainWindowView& w = m_ports.window;
    const int32_t top =
        clamp_to_int32(int64_t{w.top()} + zoomed(y - h.bounds.top - Inp_Drag_Y, m_zoom));
    w.move_to(w.left(), top);
    const int32_t left =
        clamp_to_int32(int64_t{w.left()} + zoomed(x - h.bounds.left - Inp_Drag_X, m_zoom));
    w.move_to(left, w.top());
}

void MainWindowLogic::mouse_leave() {
    if (m_game_menu.rows().empty()) return;
    for (const Rect& r : m_game_menu.hover(-1))
        m_menu_dirty.push_back(r);
}

Cursor MainWindowLogic::cursor_at(int32_t x, int32_t y) const {
    const int row = m_game_menu.row_at(x, y);
    if (row >= 0)
        return m_game_menu.rows()[static_cast<size_t>(row)].enabled ? Cursor::Hand
                                                                    : Cursor::Default;
    const HolderId id = holder_at(x, y);
    return id >= 0 ? m_screen.model().at(id).cursor : Cursor::Default;
}

std::string MainWindowLogic::hint_at(int32_t x, int32_t y) const {
    if (m_game_menu.row_at(x, y) >= 0) return {};
    const HolderId id = holder_at(x, y);
    if (id < 0) return {};
    const Holder& h = m_screen.model().at(id);
    return input_area(h.name).shows_hint ? h.hint : std::string();
}

// The pop-up menu.

void MainWindowLogic::pm_0_menuPopup() {
    DeferredErrors errors;
    errors.attempt([&] {
        const bool box = m_splash_check_box ? m_splash_check_box() : m_pm_11_checked;
        m_pm_11_checked = read_boolean(m_ports.store, Setting_SplashScreen.name, box);
    });
    if (m_screen.Vid_Fullscreen && m_screen.Vid_Menu_Open) fold_game_menu();
    errors.rethrow_first();
}

std::optional<bool> MainWindowLogic::check_mark(int entry) const {
    if (entry < 0 || entry >= Popup_Entry_Count) return std::nullopt;
    switch (Popup_Entries[static_cast<size_t>(entry)].command) {
        case MenuCommand::Fullscreen:
            return m_screen.Vid_Fullscreen;
        case MenuCommand::Splashscreen:
            return m_pm_11_checked;
        case MenuCommand::Controller:
            return m_screen.Vid_Ctrlr_Overlay;
        default:
            return std::nullopt;
    }
}

void MainWindowLogic::run_command(MenuCommand command) {
    switch (command) {
        case MenuCommand::None:
            break;
        case MenuCommand::About:
            pm_1_aboutClick();
            break;
        case MenuCommand::Readme:
            pm_2_readmeClick();
            break;
        case MenuCommand::Whatsnew:
            pm_3_whatsnewClick();
            break;
        case MenuCommand::Manual:
            pm_4_manualClick();
            break;
        case MenuCommand::Config:
            pm_6_configClick();
            break;
        case MenuCommand::Keys:
            pm_7_keysClick();
            break;
        case MenuCommand::Hiscore:
            pm_8_hiscoreClick();
            break;
        case MenuCommand::Fullscreen:
            pm_10_fullscreenClick();
            break;
        case MenuCommand::Splashscreen:
            pm_11_splashscreenClick();
            break;
        case MenuCommand::Controller:
            pm_12_controllerClick();
            break;
        case MenuCommand::Exit:
            pm_14_exitClick();
            break;
    }
}

void MainWindowLogic::pm_1_aboutClick() {
    m_ports.windows.show_about();
}

void MainWindowLogic::pm_2_readmeClick() {
    m_ports.shell.open_document("Readme.txt");
}

void MainWindowLogic::pm_3_whatsnewClick() {
    m_ports.shell.open_document("Whatsnew.txt");
}

void MainWindowLogic::pm_4_manualClick() {
    m_ports.windows.show_manual();
}

void MainWindowLogic::pm_6_configClick() {
    m_ports.shell.open_document(m_ports.sources.config_path());
}

void MainWindowLogic::pm_7_keysClick() {
    m_ports.windows.show_key_settings();
    m_ports.window.set_enabled(false);
}

void MainWindowLogic::pm_8_hiscoreClick() {
    m_handheld.reset_high_scores();
    m_ports.shell.beep();
}

void MainWindowLogic::pm_10_fullscreenClick() {
    m_screen.Vid_Fullscreen = !m_screen.Vid_Fullscreen;
    // The switch folds the in-game menu up itself, wherever it was asked from.
    fold_game_menu();

    // A refused write or a bad picture must not leave the window off-screen or half set up:
    // the switch is carried through and the first failure told afterwards.
    DeferredErrors errors;
    errors.attempt(
        [&] { write_setting(m_ports.store, Setting_FullscreenMode, m_screen.Vid_Fullscreen); });
    MainWindowView& w = m_ports.window;
    w.move_out_of_sight();
    // The size is fitted to the screen in fullscreen, to its free area in a window.
    if (fit_zoom()) {
        reload_pictures(errors);
    } else {
        errors.attempt([&] { m_skin.Gfx_Load_Skin(); });
    }
    centre_on_screen();
    errors.rethrow_first();
}

void MainWindowLogic::pm_11_splashscreenClick() {
    m_pm_11_checked = !m_pm_11_checked;
    write_setting(m_ports.store, Setting_SplashScreen, m_pm_11_checked);
}

void MainWindowLogic::pm_12_controllerClick() {
    m_screen.Vid_Ctrlr_Overlay = !m_screen.Vid_Ctrlr_Overlay;
    DeferredErrors errors;
    errors.attempt(
        [&] { write_setting(m_ports.store, Setting_CtrlrOverlay, m_screen.Vid_Ctrlr_Overlay); });
    m_screen.Vid_Display_Ctrl_Overlay();
    errors.rethrow_first();
}

void MainWindowLogic::pm_14_exitClick() {
    m_ports.shell.terminate();
}

// The in-game menu.

void MainWindowLogic::btn_game_menu_topClick() {
    m_screen.Vid_Menu_Open = !m_screen.Vid_Menu_Open;
    Vid_Display_Game_Menu(m_screen.Vid_Menu_Open);
}

void MainWindowLogic::Vid_Display_Game_Menu(bool /*open*/) {
    ScreenModel& model = m_screen.model();
    const HolderId background = model.require("btn_game_menu_background");
    Rect r = model.at(background).bounds;
    for (const MenuRow& row : m_game_menu.rows())
        m_menu_dirty.push_back(row.bounds);
    if (m_screen.Vid_Menu_Open) {
        std::array<bool, Popup_Entry_Count> marks{};
        for (int i = 0; i < Popup_Entry_Count; ++i)
            marks[static_cast<size_t>(i)] = checked(i);
        m_game_menu.build(marks);
        for (const MenuRow& row : m_game_menu.rows())
            m_menu_dirty.push_back(row.bounds);
        r.width = GameMenu::Open_Background.width;
        r.height = GameMenu::Open_Background.height;
    } else {
        m_game_menu.clear();
        r.width = MainScreen::Game_Menu_Closed.width;
        r.height = MainScreen::Game_Menu_Closed.height;
    }
    model.set_bounds(background, r);
}

void MainWindowLogic::fold_game_menu() {
    m_screen.Vid_Menu_Open = false;
    Vid_Display_Game_Menu(false);
}

void MainWindowLogic::choose_menu_row(int row, bool run) {
    if (row < 0 || static_cast<size_t>(row) >= m_game_menu.rows().size()) return;
    const MenuRow& r = m_game_menu.rows()[static_cast<size_t>(row)];
    if (!r.enabled) return;
    const MenuCommand command = r.command;
    DeferredErrors errors;
    if (run) errors.attempt([&] { run_command(command); });
    fold_game_menu();
    errors.rethrow_first();
}

std::vector<Rect> MainWindowLogic::take_menu_dirty() {
    std::vector<Rect> out;
    out.swap(m_menu_dirty);
    return out;
}

}  // namespace fluffo
