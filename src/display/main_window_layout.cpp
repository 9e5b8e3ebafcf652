// The main window's holders as designed: drawing order, design places (the reference layout
// that a Config.ini reproduces), flags, pointer shapes and visibility at creation, and the
// figure and panel tables.
#include <algorithm>
#include <string>
#include <utility>

#include "display/main_screen.h"
#include "display/skin_images.h"

namespace fluffo {

namespace {

// Image-section numbers of the figure families and the gates.
constexpr int First_Fluffo = 39, Last_Fluffo = 72;
constexpr int First_Egg = 73, Last_Egg = 106;
constexpr int First_Wolf = 107, Last_Wolf = 142;
constexpr int First_Gate = 143, Last_Gate = 146;

enum class Look : uint8_t { Opaque, Transparent };

Holder make_holder(std::string_view name, Rect bounds, bool visible, Look look,
                   Cursor cursor = Cursor::Default) {
    Holder h;
    h.name = std::string(name);
    h.bounds = bounds;
    h.visible = visible;
    h.transparent = look == Look::Transparent;
    h.cursor = cursor;
    return h;
}

class Builder {
public:
    explicit Builder(ScreenModel& model) : m_model(model) {}

    void add(Holder h) { m_model.add(std::move(h)); }
    void add(std::string_view name, Rect bounds, bool visible, Look look,
             Cursor cursor = Cursor::Default) {
        add(make_holder(name, bounds, visible, look, cursor));
    }
    // A skin holder at its design place.
    void skin(std::string_view name, bool visible, Look look, Cursor cursor = Cursor::Default) {
        add(name, skin_image(name).design, visible, look, cursor);
    }
    // Skin holders by image-section number, first..last, all transparent and hidden.
    void hidden_figures(int first, int last) {
        for (int n = first; n <= last; ++n) {
            skin(skin_image_name(n), false, Look::Transparent);
        }
    }

private:
    ScreenModel& m_model;
};

std::string figure_name(std::string_view family, int col, int row) {
    return "im_" + std::string(family) + "_" + std::to_string(col) + "_" + std::to_string(row);
}

}  // namespace

MainScreen::MainScreen() {
    add_holders();
    fill_tables();
    fill_segment_holders();
}

void MainScreen::add_holders() {
    Builder b(m_model);
    constexpr bool shown = true, hidden = false;
    constexpr Look clear = Look::Transparent, opaque = Look::Opaque;

    // Backdrop and logo: fullscreen only, without pictures until the skin loader sets them.
    Holder backdrop = make_holder("im_backdrop", Design_Client, shown, opaque);
    backdrop.center = true;
    b.add(std::move(backdrop));
    b.add("im_backdrop_logo", Rect{}, shown, clear);
    b.skin("im_background", shown, clear);

    // The panel marks, digit positions 1 to 4 and the stock of number pictures.
    for (const char* mark : {"im_panel_game_a", "im_panel_game_b", "im_panel_game_over",
                             "im_panel_bell", "im_panel_time_pm", "im_panel_time_colon",
                             "im_panel_lives_1", "im_panel_lives_2", "im_panel_lives_3"}) {
        b.skin(mark, hidden, clear);
    }
    for (int pos = 1; pos <= 4; ++pos) {
        b.skin("im_panel_digit_pos_" + std::to_string(pos), hidden, clear);
    }
    for (int digit = 0; digit <= 9; ++digit) {
        b.skin("im_panel_number_" + std::to_string(digit), hidden, clear);
    }

    // The handheld's buttons: each pressed picture below its click area.
    Holder set_button =
        make_holder("btn_set_top", skin_image("btn_set_top").design, shown, opaque, Cursor::Help);
    set_button.stretch = true;
    b.add(std::move(set_button));
    for (const char* button : {"btn_time", "btn_game_a", "btn_game_b"}) {
        b.skin(std::string(button) + "_down", hidden, opaque);
        b.skin(std::string(button) + "_top", shown, opaque, Cursor::Hand);
    }
    b.skin("im_panel_digit_pos_5", hidden, clear);

    // The LCD figures; the joystick area lies among them, above the Fluffo figures.
    b.hidden_figures(First_Fluffo, Last_Fluffo);
    b.skin("btn_joystick_top", hidden, opaque, Cursor::Help);
    b.hidden_figures(First_Egg, Last_Egg);
    b.hidden_figures(First_Wolf, Last_Wolf);
    b.hidden_figures(First_Gate, Last_Gate);
    b.skin("im_background_screen_top", shown, clear);

    // The in-game menu button; the skin loader shows it only in fullscreen mode.
    b.add("btn_game_menu_background", Game_Menu_Closed, shown, clear);
    b.add("btn_game_menu_top", Game_Menu_Closed, shown, clear, Cursor::Hand);

    for (const char* arrow : {"btn_ctrlr_overlay_up", "btn_ctrlr_overlay_left",
                              "btn_ctrlr_overlay_right", "btn_ctrlr_overlay_down"}) {
        b.skin(arrow, hidden, opaque, Cursor::Hand);
    }
}

void MainScreen::fill_tables() {
    for (FigureTable* table :
         {&Vid_Fluffo_Images, &Vid_Egg_Images, &Vid_Wolf_Images, &Vid_Gate_Images}) {
        for (auto& column : *table) {
            column.fill(-1);
        }
    }
    for (int col = 1; col <= Visible_Cols; ++col) {
        for (int row = 1; row <= Visible_Rows; ++row) {
            const auto c = static_cast<size_t>(col);
            const auto r = static_cast<size_t>(row);
            const bool power_egg = std::find(Power_Egg_Cells.begin(), Power_Egg_Cells.end(),
                                             Cell{col, row}) != Power_Egg_Cells.end();
            if (!is_den(col, row)) {
                Vid_Fluffo_Images[c][r] = m_model.require(figure_name("fluffo", col, row));
                Vid_Egg_Images[c][r] =
                    m_model.require(figure_name("egg", col, row) + (power_egg ? "_w" : ""));
            }
            Vid_Wolf_Images[c][r] = m_model.require(figure_name("wolf", col, row));
        }
    }
    for (const Gate& gate : Gates) {
        const auto c = static_cast<size_t>(gate.cell.col);
        const auto r = static_cast<size_t>(gate.cell.row);
        Vid_Gate_Images[c][r] = m_model.require(figure_name("gate", gate.cell.col, gate.cell.row));
    }

    Vid_Digit_Positions.fill(-1);
    Vid_Lives_Images.fill(-1);
    for (int pos = 1; pos <= Digit_Positions; ++pos) {
        Vid_Digit_Positions[static_cast<size_t>(pos)] =
            m_model.require("im_panel_digit_pos_" + std::to_string(pos));
    }
    for (int digit = 0; digit <= 9; ++digit) {
        Vid_Number_Images[static_cast<size_t>(digit)] =
            m_model.require("im_panel_number_" + std::to_string(digit));
    }
    for (int i = 1; i <= Max_Lives_Shown; ++i) {
        Vid_Lives_Images[static_cast<size_t>(i)] =
            m_model.require("im_panel_lives_" + std::to_string(i));
    }

    Named& n = m_named;
    n.im_panel_game_a = m_model.require("im_panel_game_a");
    n.im_panel_game_b = m_model.require("im_panel_game_b");
    n.im_panel_game_over = m_model.require("im_panel_game_over");
    n.im_panel_bell = m_model.require("im_panel_bell");
    n.im_panel_time_pm = m_model.require("im_panel_time_pm");
    n.im_panel_time_colon = m_model.require("im_panel_time_colon");
    n.im_wolf_3_4 = m_model.require("im_wolf_3_4");
    n.im_wolf_3_4b = m_model.require("im_wolf_3_4b");
    n.im_egg_2_6_w = m_model.require("im_egg_2_6_w");
    n.im_egg_4_2_w = m_model.require("im_egg_4_2_w");
    n.btn_time_down = m_model.require("btn_time_down");
    n.btn_game_a_down = m_model.require("btn_game_a_down");
    n.btn_game_b_down = m_model.require("btn_game_b_down");
    n.btn_joystick_top = m_model.require("btn_joystick_top");
    n.btn_ctrlr_overlay_up = m_model.require("btn_ctrlr_overlay_up");
    n.btn_ctrlr_overlay_left = m_model.require("btn_ctrlr_overlay_left");
    n.btn_ctrlr_overlay_right = m_model.require("btn_ctrlr_overlay_right");
    n.btn_ctrlr_overlay_down = m_model.require("btn_ctrlr_overlay_down");
}

// Each segment of the handheld's screen to the holder that draws it.
void MainScreen::fill_segment_holders() {
    m_holder_of.fill(-1);
    const std::array<const FigureTable*, Figure_Families> tables = {
        &Vid_Fluffo_Images, &Vid_Egg_Images, &Vid_Wolf_Images, &Vid_Gate_Images};
    for (int family = 0; family < Figure_Families; ++family) {
        for (int col = 1; col <= Visible_Cols; ++col) {
            for (int row = 1; row <= Visible_Rows; ++row) {
                m_holder_of[figure_segment(static_cast<Figure>(family), col, row)] =
                    cell(*tables[static_cast<size_t>(family)], col, row);
            }
        }
    }
    const auto mark = [&](Mark m, HolderId id) { m_holder_of[mark_segment(m)] = id; };
    const Named& n = m_named;
    mark(Mark::Panel_Game_A, n.im_panel_game_a);
    mark(Mark::Panel_Game_B, n.im_panel_game_b);
    mark(Mark::Panel_Game_Over, n.im_panel_game_over);
    mark(Mark::Panel_Bell, n.im_panel_bell);
    mark(Mark::Panel_Time_Pm, n.im_panel_time_pm);
    mark(Mark::Panel_Time_Colon, n.im_panel_time_colon);
    for (int life = 1; life <= Max_Lives_Shown; ++life)
        mark(lives_mark(life), Vid_Lives_Images[static_cast<size_t>(life)]);
    mark(Mark::Den_Wolf_Pacing, n.im_wolf_3_4b);
    mark(Mark::Time_Pressed, n.btn_time_down);
    mark(Mark::Game_A_Pressed, n.btn_game_a_down);
    mark(Mark::Game_B_Pressed, n.btn_game_b_down);
    for (int pos = 1; pos <= Digit_Positions; ++pos)
        mark(digit_position_mark(pos), Vid_Digit_Positions[static_cast<size_t>(pos)]);
}

}  // namespace fluffo
