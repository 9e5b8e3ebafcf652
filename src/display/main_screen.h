#pragma once
// The main window's picture holders and the LCD operations on them: segment groups by family,
// single Fluffo figure, controller overlay, and the number panel (score digits and lives).
// The tables hold holder ids, filled once at creation; cells without a picture hold -1 and
// switching them does nothing.

#include <array>
#include <cstdint>
#include <string>

#include "display/screen_model.h"

namespace fluffo {

class MainScreen {
public:
    // Builds every holder of the main window in drawing order with its design place and
    // design visibility, and fills the tables.
    MainScreen();

    ScreenModel& model() { return m_model; }
    const ScreenModel& model() const { return m_model; }

    // Tables [column 1..5][row 1..7]; index 0 unused. -1 marks an empty cell.
    using FigureTable = std::array<std::array<HolderId, 8>, 6>;
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

    // Holders the engine addresses by name, looked up once.
    struct Named {
        HolderId im_panel_game_a, im_panel_game_b, im_panel_game_over, im_panel_bell;
        HolderId im_panel_time_pm, im_panel_time_colon;
        HolderId im_wolf_3_4, im_wolf_3_4b, im_egg_2_6_w, im_egg_4_2_w;
        HolderId btn_time_down, btn_game_a_down, btn_game_b_down;
        HolderId btn_joystick_top, btn_ctrlr_overlay_up, btn_ctrlr_overlay_left,
            btn_ctrlr_overlay_right, btn_ctrlr_overlay_down;
    };
    const Named& named() const { return m_named; }

    // Switch one holder (no-op for -1) or one figure of a table cell (no-op outside 1..5, 1..7).
    // Inline: the engine switches about seventy holders per game tick.
    void show(HolderId id, bool on) {
        if (id >= 0) m_model.set_visible(id, on);
    }
    bool is_shown(HolderId id) const { return id >= 0 && m_model.at(id).visible; }
    static HolderId cell(const FigureTable& table, int col, int row) {
        if (col < 1 || col > 5 || row < 1 || row > 7) return -1;
        return table[static_cast<size_t>(col)][static_cast<size_t>(row)];
    }

    void Vid_Show_All(bool on);
    void Vid_Show_All_Fluffo(bool on);
    void Vid_Show_All_Egg(bool on);
    void Vid_Show_All_Wolf(bool on);
    void Vid_Show_All_Gate(bool on);
    // Shows or hides the Fluffo figure at (col, row) when that is a visible cell outside the den.
    void Vid_Show_Fluffo(bool on, int32_t col, int32_t row);
    void Vid_Display_Ctrl_Overlay();

    void Vid_Show_Panel_Score(const int32_t& value, bool show);
    void Vid_Show_Panel_Lives(const int32_t& count);
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

    ScreenModel m_model;
    Named m_named{};
};

}  // namespace fluffo
