// The main window's gamepads: their presses reach the handheld through the same holds as the
// keys and the mouse, or, in fullscreen, drive the in-game menu.
#include "windows/main_window_logic.h"

namespace fluffo {

void MainWindowLogic::pad_press(const PadPress& press) {
    const std::optional<Control> control = pad_control(press.button);
    if (!press.down) {
        // A press the menu took held nothing.
        if (control && m_holds.held_by(press.source, *control))
            m_holds.release(press.source, *control);
        return;
    }
    if (!m_game_menu.rows().empty()) {
        pad_in_menu(press.button);
    } else if (press.button == PadButton::Start) {
        // Windowed, the menu has no button to open it from; Start does nothing there.
        if (!m_screen.Vid_Fullscreen) return;
        btn_game_menu_topClick();
        for (const Rect& r : m_game_menu.step(+1))
            m_menu_dirty.push_back(r);
    } else if (control) {
        m_holds.press(press.source, *control);
    }
}

void MainWindowLogic::pad_in_menu(PadButton button) {
    switch (button) {
        case PadButton::Up:
        case PadButton::Down:
            for (const Rect& r : m_game_menu.step(button == PadButton::Up ? -1 : +1))
                m_menu_dirty.push_back(r);
            break;
        case PadButton::South:
            choose_menu_row(m_game_menu.highlighted(), true);
            break;
        case PadButton::East:
        case PadButton::Start:
            fold_game_menu();
            break;
        default:
            break;
    }
}

}  // namespace fluffo
