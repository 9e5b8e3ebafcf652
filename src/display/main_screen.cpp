// The controller overlay, and the digit positions: the copies of number pictures they show
// and the panel read back from them.
#include "display/main_screen.h"

namespace fluffo {

void MainScreen::Vid_Display_Ctrl_Overlay() {
    show(m_named.btn_ctrlr_overlay_up, Vid_Ctrlr_Overlay);
    show(m_named.btn_ctrlr_overlay_left, Vid_Ctrlr_Overlay);
    show(m_named.btn_ctrlr_overlay_right, Vid_Ctrlr_Overlay);
    show(m_named.btn_ctrlr_overlay_down, Vid_Ctrlr_Overlay);
    show(m_named.btn_joystick_top, !Vid_Ctrlr_Overlay);
}

void MainScreen::set_digit(int pos, int digit) {
    if (pos < 1 || pos > Digit_Positions) return;
    const HolderId target = Vid_Digit_Positions[static_cast<size_t>(pos)];
    if (digit < 0 || digit > 9) {
        m_model.set_picture(target, nullptr);
        return;
    }
    const HolderId number = Vid_Number_Images[static_cast<size_t>(digit)];
    m_model.set_picture(target, m_model.at(number).picture, number);
}

int MainScreen::digit_shown(int pos) const {
    if (pos < 1 || pos > Digit_Positions) return -1;
    const int source = m_model.at(Vid_Digit_Positions[static_cast<size_t>(pos)]).copied_from;
    if (source < 0) return -1;
    for (int digit = 0; digit <= 9; ++digit) {
        if (Vid_Number_Images[static_cast<size_t>(digit)] == source) return digit;
    }
    return -1;
}

std::string MainScreen::panel_text() const {
    std::array<PanelPosition, Digit_Positions> positions;
    for (int pos = 1; pos <= Digit_Positions; ++pos) {
        positions[static_cast<size_t>(pos - 1)] = {
            digit_shown(pos), is_shown(Vid_Digit_Positions[static_cast<size_t>(pos)])};
    }
    return fluffo::panel_text(positions);
}

}  // namespace fluffo
