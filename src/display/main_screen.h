#pragma once
// The main window's picture holders, and the screen that draws what the handheld has lit: each
// segment the handheld switches shows or hides its holder, each digit it draws takes a copy of a
// number picture; besides, the controller overlay. The tables hold holder ids, filled once at
// creation; cells without a picture hold -1 and switching them does nothing. Only the handheld
// switches the holders of its segments, so that they always show what it has lit.

#include <array>
#include <cstdint>
#include <string>

#include "display/screen_model.h"
#include "engine/lcd_state.h"

namespace fluffo {

class MainScreen : public LcdObserver {
public:
    // Builds every holder of the main window in drawing order with its design place and
    // design visibility, and fills the tables.
    MainScreen();

    ScreenModel& model() { return m_model; }
    const ScreenModel& model() const { return m_model; }

    // Tables [column 1..5][row 1..7]; index 0 unused. -1 marks an empty cell.
    using FigureTable = std::array<std::array<HolderId, Visible_Rows + 1>, Visible_Cols + 1>;
    FigureTable Vid_Fluffo_Images{};
    FigureTable Vid_Egg_Images{};
    FigureTable Vid_Wolf_Images{};
    FigureTable Vid_Gate_Images{};
    std::array<HolderId, 6> Vid_Digit_Positions{};  // [1..5]
    std::array<HolderId, 10> Vid_Number_Images{};   // [0..9]
    std::array<HolderId, 4> Vid_Lives_Images{};     // [1..3]

    bool Vid_Fullscreen = false;
    bool Vid_Ctrlr_Overlay = false;
    bool Vid_Menu_Open = false;
    // The closed in-game menu: its button's place and the background's size while closed.
    static constexpr Rect Game_Menu_Closed{0, 0, 36, 32};

    // Holders of the handheld's marks and of the overlay, looked up once.
    struct Named {
        HolderId im_panel_game_a, im_panel_game_b, im_panel_game_over, im_panel_bell;
        HolderId im_panel_time_pm, im_panel_time_colon;
        HolderId im_wolf_3_4, im_wolf_3_4b, im_egg_2_6_w, im_egg_4_2_w;
        HolderId btn_time_down, btn_game_a_down, btn_game_b_down;
        HolderId btn_joystick_top, btn_ctrlr_overlay_up, btn_ctrlr_overlay_left,
            btn_ctrlr_overlay_right, btn_ctrlr_overlay_down;
    };
    const Named& named() const { return m_named; }

    // The holder of a segment, or -1 where the screen has none.
    HolderId holder_of(Segment segment) const { return m_holder_of[segment]; }
    // What the handheld lit: the segment's holder shown or hidden. Inline: the game tick
    // changes a dozen segments.
    void lit_changed(Segment segment, bool lit) override { show(m_holder_of[segment], lit); }
    void digit_drawn(int pos, int digit) override { set_digit(pos, digit); }

    // Switch one holder (no-op for -1), or read it; a figure's holder by its table cell (-1
    // outside the visible board).
    void show(HolderId id, bool on) {
        if (id >= 0) m_model.set_visible(id, on);
    }
    bool is_shown(HolderId id) const { return id >= 0 && m_model.at(id).visible; }
    static HolderId cell(const FigureTable& table, int col, int row) {
        if (!is_visible_cell(col, row)) return -1;
        return table[static_cast<size_t>(col)][static_cast<size_t>(row)];
    }

    // The overlay's arrows when Vid_Ctrlr_Overlay is on, else the joystick's top.
    void Vid_Display_Ctrl_Overlay();

    // Puts a copy of number picture `digit` (0..9), or none for -1, into digit position pos (1..5).
    // The copy shares the number's picture and remembers the number holder, so the digit is
    // known even without skin pictures. Any other digit blanks; any other position is a no-op.
    void set_digit(int pos, int digit);
    // The digit a position shows: 0..9, or -1 when it shows no picture (or pos is not 1..5).
    int digit_shown(int pos) const;
    // The panel as five characters: the digit each position shows, ' ' for a visible blank
    // position, '-' for a hidden one.
    std::string panel_text() const;

private:
    void add_holders();
    void fill_tables();
    void fill_segment_holders();

    ScreenModel m_model;
    Named m_named{};
    std::array<HolderId, Segment_Count> m_holder_of{};
};

}  // namespace fluffo
