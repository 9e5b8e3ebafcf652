#pragma once
// What the handheld's screen shows, held by the handheld itself: the figures of the four
// families on the visible cells, the named marks (panel words, the lives, the den wolf's second
// figure, the pressed buttons), and the five digit positions with the digit each shows. One
// observer, the screen that draws them, is told every switch that changes a segment, in the
// order the handheld makes them; a switch to what a segment already shows tells nothing. A digit
// is told at every drawing, changed or not: a drawing takes the number's look of that moment.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/board.h"
#include "engine/game_state.h"

namespace fluffo {

enum class Figure : uint8_t { Fluffo, Egg, Wolf, Gate };
inline constexpr int Figure_Families = 4;

// The marks that are not a figure on a cell, in the order of their segments.
enum class Mark : uint8_t {
    Panel_Game_A,
    Panel_Game_B,
    Panel_Game_Over,
    Panel_Bell,
    Panel_Time_Pm,
    Panel_Time_Colon,
    Lives_1,
    Lives_2,
    Lives_3,
    Den_Wolf_Pacing,  // the den wolf pacing: its second figure, the first being its cell's wolf
    Time_Pressed,
    Game_A_Pressed,
    Game_B_Pressed,
    Digit_Position_1,
    Digit_Position_2,
    Digit_Position_3,
    Digit_Position_4,
    Digit_Position_5,
};
inline constexpr int Mark_Count = static_cast<int>(Mark::Digit_Position_5) + 1;

inline constexpr int Max_Lives_Shown = 3;
inline constexpr int Digit_Positions = 5;
inline constexpr int No_Digit = -1;  // a blank digit position

// Every on/off segment has one number: the figures family by family, column by column, then
// the marks.
using Segment = uint16_t;
inline constexpr int Cells_Per_Family = Visible_Cols * Visible_Rows;
inline constexpr size_t Segment_Count = size_t{Figure_Families * Cells_Per_Family + Mark_Count};

constexpr Segment figure_segment(Figure family, int col, int row) {
    return static_cast<Segment>(static_cast<int>(family) * Cells_Per_Family +
                                (col - 1) * Visible_Rows + (row - 1));
}
constexpr Segment mark_segment(Mark mark) {
    return static_cast<Segment>(Figure_Families * Cells_Per_Family + static_cast<int>(mark));
}
constexpr Mark lives_mark(int life) {  // life 1..3
    return static_cast<Mark>(static_cast<int>(Mark::Lives_1) + life - 1);
}
constexpr Mark digit_position_mark(int pos) {  // pos 1..5
    return static_cast<Mark>(static_cast<int>(Mark::Digit_Position_1) + pos - 1);
}

// Whether the screen has a figure of the family at (col, row): the den holds no Fluffo and no
// egg, and gates stand only at their four cells.
constexpr bool has_figure(Figure family, int col, int row) {
    if (!is_visible_cell(col, row)) return false;
    switch (family) {
        case Figure::Fluffo:
        case Figure::Egg:
            return !is_den(col, row);
        case Figure::Wolf:
            return true;
        case Figure::Gate:
            for (const Gate& gate : Gates) {
                if (gate.cell == Cell{col, row}) return true;
            }
            return false;
    }
    return false;
}

// The panel as five characters, from what each position shows (0..9 or No_Digit) and whether it
// is shown: the digit, ' ' for a shown blank position, '-' for a hidden one.
struct PanelPosition {
    int digit = No_Digit;
    bool shown = false;
};
std::string panel_text(const std::array<PanelPosition, Digit_Positions>& positions);

class LcdObserver {
public:
    // A segment went on or off.
    virtual void lit_changed(Segment segment, bool lit) = 0;
    // Digit position pos (1..5) was drawn with digit 0..9, or blank (No_Digit).
    virtual void digit_drawn(int pos, int digit) = 0;

protected:
    ~LcdObserver() = default;
};

class LcdState {
public:
    explicit LcdState(LcdObserver& observer) : m_observer(observer) { m_digits.fill(No_Digit); }

    bool lit(Mark mark) const { return m_lit[mark_segment(mark)]; }
    bool lit(Figure family, int col, int row) const {
        return has_figure(family, col, row) && m_lit[figure_segment(family, col, row)];
    }
    // The digit position pos shows: 0..9, or No_Digit when blank or pos is not 1..5.
    int digit(int pos) const {
        return pos >= 1 && pos <= Digit_Positions ? m_digits[static_cast<size_t>(pos)] : No_Digit;
    }

    // The panel as the handheld has lit it (see panel_text above).
    std::string panel_text() const;

    // Inline: the game tick switches about seventy segments, most of them to what they show.
    void show(Mark mark, bool on) { switch_segment(mark_segment(mark), on); }
    // Nothing where the screen has no such figure.
    void show(Figure family, int col, int row, bool on) {
        if (has_figure(family, col, row)) switch_segment(figure_segment(family, col, row), on);
    }
    // Digit 0..9 into position pos (1..5); any other digit blanks, any other position is a no-op.
    void set_digit(int pos, int digit);

    void Vid_Show_All(bool on);
    void Vid_Show_All_Fluffo(bool on);
    void Vid_Show_All_Egg(bool on);
    void Vid_Show_All_Wolf(bool on);
    void Vid_Show_All_Gate(bool on);
    // The Fluffo figure at (col, row), when that is a visible cell outside the den.
    void Vid_Show_Fluffo(bool on, int32_t col, int32_t row) { show(Figure::Fluffo, col, row, on); }
    // The last five decimal digits of the value without leading zeros (a negative value as 0),
    // or all five blank; either way every position shown.
    void Vid_Show_Panel_Score(const int32_t& value, bool show_digits);
    void Vid_Show_Panel_Lives(const int32_t& count);

private:
    void switch_segment(Segment segment, bool on) {
        bool& lit = m_lit[segment];
        if (lit == on) return;
        lit = on;
        m_observer.lit_changed(segment, on);
    }
    void show_family(Figure family, bool on);

    LcdObserver& m_observer;
    std::array<bool, Segment_Count> m_lit{};
    std::array<int, Digit_Positions + 1> m_digits{};  // [1..5]
};

}  // namespace fluffo
