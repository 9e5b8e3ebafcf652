// The screen's group switches and the number panel, each switching its segments in the
// handheld's fixed order: the order the screen repaints them in.
#include "engine/lcd_state.h"

namespace fluffo {

namespace {

constexpr int32_t Panel_Wrap = 100000;  // the panel keeps the last five decimal digits
constexpr int32_t All_On_Score = 88880;

}  // namespace

void LcdState::set_digit(int pos, int digit) {
    if (pos < 1 || pos > Digit_Positions) return;
    if (digit < 0 || digit > 9) digit = No_Digit;
    m_digits[static_cast<size_t>(pos)] = digit;
    m_observer.digit_drawn(pos, digit);
}

void LcdState::Vid_Show_All(bool on) {
    for (Mark mark : {Mark::Panel_Game_A, Mark::Panel_Game_B, Mark::Panel_Bell, Mark::Panel_Time_Pm,
                      Mark::Panel_Time_Colon, Mark::Panel_Game_Over}) {
        show(mark, on);
    }
    Vid_Show_Panel_Lives(on ? Max_Lives_Shown : 0);
    Vid_Show_Panel_Score(All_On_Score, on);
    Vid_Show_All_Fluffo(on);
    Vid_Show_All_Egg(on);
    Vid_Show_All_Wolf(on);
    Vid_Show_All_Gate(on);
}

void LcdState::show_family(Figure family, bool on) {
    for (int col = 1; col <= Visible_Cols; ++col) {
        for (int row = 1; row <= Visible_Rows; ++row) {
            show(family, col, row, on);
        }
    }
}

void LcdState::Vid_Show_All_Fluffo(bool on) {
    show_family(Figure::Fluffo, on);
}

void LcdState::Vid_Show_All_Egg(bool on) {
    show_family(Figure::Egg, on);
}

void LcdState::Vid_Show_All_Wolf(bool on) {
    show_family(Figure::Wolf, on);
    show(Mark::Den_Wolf_Pacing, on);
}

void LcdState::Vid_Show_All_Gate(bool on) {
    for (const Gate& gate : Gates) {
        show(Figure::Gate, gate.cell.col, gate.cell.row, on);
    }
}

void LcdState::Vid_Show_Panel_Score(const int32_t& value, bool show_digits) {
    // Scores never go negative in play; a negative value is drawn as 0.
    const int32_t n = value < 0 ? 0 : value % Panel_Wrap;
    if (show_digits) {
        set_digit(1, n >= 10000 ? (n / 10000) % 10 : No_Digit);
        set_digit(2, n >= 1000 ? (n / 1000) % 10 : No_Digit);
        set_digit(3, n >= 100 ? (n / 100) % 10 : No_Digit);
        set_digit(4, n >= 10 ? (n / 10) % 10 : No_Digit);
        set_digit(5, n % 10);
    } else {
        for (int pos = 1; pos <= Digit_Positions; ++pos) {
            set_digit(pos, No_Digit);
        }
    }
    for (int pos = 1; pos <= Digit_Positions; ++pos) {
        show(digit_position_mark(pos), true);
    }
}

void LcdState::Vid_Show_Panel_Lives(const int32_t& count) {
    for (int life = 1; life <= Max_Lives_Shown; ++life) {
        show(lives_mark(life), life <= count);
    }
}

std::string panel_text(const std::array<PanelPosition, Digit_Positions>& positions) {
    std::string text;
    for (const PanelPosition& p : positions) {
        if (!p.shown) {
            text += '-';
        } else {
            text += p.digit == No_Digit ? ' ' : static_cast<char>('0' + p.digit);
        }
    }
    return text;
}

std::string LcdState::panel_text() const {
    std::array<PanelPosition, Digit_Positions> positions;
    for (int pos = 1; pos <= Digit_Positions; ++pos)
        positions[static_cast<size_t>(pos - 1)] = {digit(pos), lit(digit_position_mark(pos))};
    return fluffo::panel_text(positions);
}

}  // namespace fluffo
