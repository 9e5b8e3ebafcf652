// The LCD operations: segment groups, the Fluffo figure, the controller overlay, and the number
// panel (score digits and lives), each switching its holders in the handheld's fixed order.
#include "display/main_screen.h"

namespace fluffo {

namespace {

constexpr int32_t Panel_Wrap = 100000;  // the panel keeps the last five decimal digits
constexpr int32_t All_On_Score = 88880;

}  // namespace

// ---- LCD segments ----

void MainScreen::Vid_Show_All(bool on) {
    show(m_named.im_panel_game_a, on);
    show(m_named.im_panel_game_b, on);
    show(m_named.im_panel_bell, on);
    show(m_named.im_panel_time_pm, on);
    show(m_named.im_panel_time_colon, on);
    show(m_named.im_panel_game_over, on);
    const int32_t lives = on ? 3 : 0;
    Vid_Show_Panel_Lives(lives);
    Vid_Show_Panel_Score(All_On_Score, on);
    Vid_Show_All_Fluffo(on);
    Vid_Show_All_Egg(on);
    Vid_Show_All_Wolf(on);
    Vid_Show_All_Gate(on);
}

void MainScreen::Vid_Show_All_Fluffo(bool on) {
    for (size_t c = 1; c <= 5; ++c) {
        for (size_t r = 1; r <= 7; ++r) {
            show(Vid_Fluffo_Images[c][r], on);  // (3,4) holds -1
        }
    }
}

void MainScreen::Vid_Show_All_Egg(bool on) {
    for (size_t c = 1; c <= 5; ++c) {
        for (size_t r = 1; r <= 7; ++r) {
            show(Vid_Egg_Images[c][r], on);  // (3,4) holds -1
        }
    }
}

void MainScreen::Vid_Show_All_Wolf(bool on) {
    for (size_t c = 1; c <= 5; ++c) {
        for (size_t r = 1; r <= 7; ++r) {
            show(Vid_Wolf_Images[c][r], on);
        }
    }
    show(m_named.im_wolf_3_4b, on);
}

void MainScreen::Vid_Show_All_Gate(bool on) {
    show(Vid_Gate_Images[3][1], on);  // top
    show(Vid_Gate_Images[1][4], on);  // left
    show(Vid_Gate_Images[5][4], on);  // right
    show(Vid_Gate_Images[3][7], on);  // bottom
}

void MainScreen::Vid_Show_Fluffo(bool on, int32_t col, int32_t row) {
    // The den holds no Fluffo picture and border cells none at all: cell() gives -1 for both.
    show(cell(Vid_Fluffo_Images, col, row), on);
}

void MainScreen::Vid_Display_Ctrl_Overlay() {
    show(m_named.btn_ctrlr_overlay_up, Vid_Ctrlr_Overlay);
    show(m_named.btn_ctrlr_overlay_left, Vid_Ctrlr_Overlay);
    show(m_named.btn_ctrlr_overlay_right, Vid_Ctrlr_Overlay);
    show(m_named.btn_ctrlr_overlay_down, Vid_Ctrlr_Overlay);
    show(m_named.btn_joystick_top, !Vid_Ctrlr_Overlay);
}

// ---- the number panel ----

void MainScreen::Vid_Show_Panel_Score(const int32_t& value, bool show_digits) {
    // Scores never go negative in play; a negative value is drawn as 0.
    const int32_t n = value < 0 ? 0 : value % Panel_Wrap;
    if (show_digits) {
        set_digit(1, n >= 10000 ? (n / 10000) % 10 : -1);
        set_digit(2, n >= 1000 ? (n / 1000) % 10 : -1);
        set_digit(3, n >= 100 ? (n / 100) % 10 : -1);
        set_digit(4, n >= 10 ? (n / 10) % 10 : -1);
        set_digit(5, n % 10);
    } else {
        for (int pos = 1; pos <= 5; ++pos) {
            set_digit(pos, -1);
        }
    }
    for (size_t pos = 1; pos <= 5; ++pos) {
        show(Vid_Digit_Positions[pos], true);
    }
}

void MainScreen::Vid_Show_Panel_Lives(const int32_t& count) {
    for (int32_t i = 1; i <= 3; ++i) {
        show(Vid_Lives_Images[static_cast<size_t>(i)], i <= count);
    }
}

void MainScreen::set_digit(int pos, int digit) {
    if (pos < 1 || pos > 5) return;
    const HolderId target = Vid_Digit_Positions[static_cast<size_t>(pos)];
    if (digit < 0 || digit > 9) {
        m_model.set_picture(target, nullptr);
        return;
    }
    const HolderId number = Vid_Number_Images[static_cast<size_t>(digit)];
    m_model.set_picture(target, m_model.at(number).picture, number);
}

int MainScreen::digit_shown(int pos) const {
    if (pos < 1 || pos > 5) return -1;
    const int source = m_model.at(Vid_Digit_Positions[static_cast<size_t>(pos)]).copied_from;
    if (source < 0) return -1;
    for (int digit = 0; digit <= 9; ++digit) {
        if (Vid_Number_Images[static_cast<size_t>(digit)] == source) return digit;
    }
    return -1;
}

std::string MainScreen::panel_text() const {
    std::string text;
    for (int pos = 1; pos <= 5; ++pos) {
        const int digit = digit_shown(pos);
        if (!is_shown(Vid_Digit_Positions[static_cast<size_t>(pos)])) {
            text += '-';
        } else {
            text += digit >= 0 ? static_cast<char>('0' + digit) : ' ';
        }
    }
    return text;
}

}  // namespace fluffo
