// The main window as designed: drawing order, design places, flags, pointer shapes,
// visibility at creation, and the figure and panel tables.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "display/main_screen.h"
#include "display/skin_images.h"

namespace fluffo {
namespace {

std::vector<std::string> expected_drawing_order() {
    std::vector<std::string> order = {"im_backdrop",      "im_backdrop_logo", "im_background",
                                      "im_panel_game_a",  "im_panel_game_b",  "im_panel_game_over",
                                      "im_panel_bell",    "im_panel_time_pm", "im_panel_time_colon",
                                      "im_panel_lives_1", "im_panel_lives_2", "im_panel_lives_3"};
    for (int n = 19; n <= 22; ++n) {
        order.emplace_back(skin_image_name(n));  // digit pos 1..4
    }
    for (int n = 29; n <= 38; ++n) {
        order.emplace_back(skin_image_name(n));  // numbers 0..9
    }
    for (const char* name :
         {"btn_set_top", "btn_time_down", "btn_time_top", "btn_game_a_down", "btn_game_a_top",
          "btn_game_b_down", "btn_game_b_top", "im_panel_digit_pos_5"}) {
        order.emplace_back(name);
    }
    for (int n = 39; n <= 72; ++n) {
        order.emplace_back(skin_image_name(n));  // Fluffo
    }
    order.emplace_back("btn_joystick_top");
    for (int n = 73; n <= 146; ++n) {
        order.emplace_back(skin_image_name(n));  // eggs..gates
    }
    for (const char* name : {"im_background_screen_top", "btn_game_menu_background",
                             "btn_game_menu_top", "btn_ctrlr_overlay_up", "btn_ctrlr_overlay_left",
                             "btn_ctrlr_overlay_right", "btn_ctrlr_overlay_down"}) {
        order.emplace_back(name);
    }
    return order;
}

struct MainScreenTest : ::testing::Test {
    MainScreen screen;
    const ScreenModel& m = screen.model();
    const Holder& h(std::string_view name) { return m.at(m.require(name)); }
};

TEST_F(MainScreenTest, HoldersAreInTheDesignDrawingOrder) {
    const auto expected = expected_drawing_order();
    ASSERT_EQ(m.size(), expected.size());
    ASSERT_EQ(m.size(), 150u);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(m.holders()[i].name, expected[i]);
    }
}

TEST_F(MainScreenTest, SkinHoldersHaveTheirDesignPlaces) {
    for (const SkinImage& s : skin_images()) {
        EXPECT_EQ(h(s.name).bounds, s.design) << s.name;
    }
    EXPECT_EQ(h("im_backdrop").bounds, (Rect{0, 0, 440, 664}));
    EXPECT_EQ(h("im_backdrop_logo").bounds, (Rect{0, 0, 0, 0}));
    EXPECT_EQ(h("btn_game_menu_background").bounds, (Rect{0, 0, 36, 32}));
    EXPECT_EQ(h("btn_game_menu_top").bounds, (Rect{0, 0, 36, 32}));
    for (const Holder& holder : m.holders()) {
        EXPECT_FALSE(holder.picture) << holder.name;
    }
    EXPECT_TRUE(m.dirty().empty());
}

TEST_F(MainScreenTest, DesignVisibilityAtCreation) {
    const std::set<std::string> visible = {"im_backdrop",
                                           "im_backdrop_logo",
                                           "im_background",
                                           "im_background_screen_top",
                                           "btn_set_top",
                                           "btn_time_top",
                                           "btn_game_a_top",
                                           "btn_game_b_top",
                                           "btn_game_menu_background",
                                           "btn_game_menu_top"};
    for (const Holder& holder : m.holders()) {
        EXPECT_EQ(holder.visible, visible.contains(holder.name)) << holder.name;
    }
}

TEST_F(MainScreenTest, TransparencyStretchAndCentreFlags) {
    for (const Holder& holder : m.holders()) {
        const bool is_button =
            holder.name.starts_with("btn_") && !holder.name.starts_with("btn_game_menu_");
        if (is_button || holder.name == "im_backdrop") {
            EXPECT_FALSE(holder.transparent) << holder.name;
        } else if (holder.name.starts_with("im_")) {
            EXPECT_TRUE(holder.transparent) << holder.name;
        }
        EXPECT_EQ(holder.stretch, holder.name == "btn_set_top") << holder.name;
        EXPECT_EQ(holder.center, holder.name == "im_backdrop") << holder.name;
        EXPECT_FALSE(holder.auto_size) << holder.name;
    }
}

TEST_F(MainScreenTest, PointerShapesFollowTheInputTable) {
    const std::set<std::string> hand = {"btn_game_a_top",         "btn_game_b_top",
                                        "btn_time_top",           "btn_ctrlr_overlay_up",
                                        "btn_ctrlr_overlay_left", "btn_ctrlr_overlay_right",
                                        "btn_ctrlr_overlay_down", "btn_game_menu_top"};
    const std::set<std::string> help = {"btn_set_top", "btn_joystick_top"};
    for (const Holder& holder : m.holders()) {
        const Cursor expected = hand.contains(holder.name)   ? Cursor::Hand
                                : help.contains(holder.name) ? Cursor::Help
                                                             : Cursor::Default;
        EXPECT_EQ(holder.cursor, expected) << holder.name;
    }
}

int filled(const MainScreen::FigureTable& table) {
    int count = 0;
    for (size_t c = 0; c < table.size(); ++c) {
        for (size_t r = 0; r < table[c].size(); ++r) {
            if (table[c][r] >= 0) {
                EXPECT_TRUE(c >= 1 && c <= 5 && r >= 1 && r <= 7) << c << "," << r;
                ++count;
            }
        }
    }
    return count;
}

TEST_F(MainScreenTest, FigureTablesHoldTheirCells) {
    EXPECT_EQ(filled(screen.Vid_Fluffo_Images), 34);
    EXPECT_EQ(filled(screen.Vid_Egg_Images), 34);
    EXPECT_EQ(filled(screen.Vid_Wolf_Images), 35);
    EXPECT_EQ(filled(screen.Vid_Gate_Images), 4);
    EXPECT_EQ(screen.Vid_Fluffo_Images[3][4], -1);
    EXPECT_EQ(screen.Vid_Egg_Images[3][4], -1);
    EXPECT_EQ(screen.Vid_Wolf_Images[3][4], m.require("im_wolf_3_4"));
    EXPECT_EQ(screen.Vid_Fluffo_Images[2][5], m.require("im_fluffo_2_5"));
    EXPECT_EQ(screen.Vid_Egg_Images[4][2], m.require("im_egg_4_2_w"));
    EXPECT_EQ(screen.Vid_Egg_Images[2][6], m.require("im_egg_2_6_w"));
    EXPECT_EQ(screen.Vid_Egg_Images[5][7], m.require("im_egg_5_7"));
    EXPECT_EQ(screen.Vid_Wolf_Images[1][7], m.require("im_wolf_1_7"));
    EXPECT_EQ(screen.Vid_Gate_Images[3][1], m.require("im_gate_3_1"));
    EXPECT_EQ(screen.Vid_Gate_Images[1][4], m.require("im_gate_1_4"));
    EXPECT_EQ(screen.Vid_Gate_Images[5][4], m.require("im_gate_5_4"));
    EXPECT_EQ(screen.Vid_Gate_Images[3][7], m.require("im_gate_3_7"));
    for (int c = 1; c <= 5; ++c) {
        for (int r = 1; r <= 7; ++r) {
            const HolderId id = MainScreen::cell(screen.Vid_Wolf_Images, c, r);
            EXPECT_EQ(m.at(id).name, "im_wolf_" + std::to_string(c) + "_" + std::to_string(r));
        }
    }
}

TEST_F(MainScreenTest, CellOutsideTheFieldIsEmpty) {
    EXPECT_EQ(MainScreen::cell(screen.Vid_Wolf_Images, 0, 1), -1);
    EXPECT_EQ(MainScreen::cell(screen.Vid_Wolf_Images, 6, 1), -1);
    EXPECT_EQ(MainScreen::cell(screen.Vid_Wolf_Images, 1, 0), -1);
    EXPECT_EQ(MainScreen::cell(screen.Vid_Wolf_Images, 1, 8), -1);
    EXPECT_EQ(MainScreen::cell(screen.Vid_Wolf_Images, -3, 99), -1);
    EXPECT_EQ(MainScreen::cell(screen.Vid_Fluffo_Images, 3, 4), -1);
    screen.show(-1, true);  // no-op
    EXPECT_FALSE(screen.is_shown(-1));
}

TEST_F(MainScreenTest, PanelTablesAndNamedHolders) {
    for (int pos = 1; pos <= 5; ++pos) {
        EXPECT_EQ(screen.Vid_Digit_Positions[static_cast<size_t>(pos)],
                  m.require("im_panel_digit_pos_" + std::to_string(pos)));
    }
    for (int d = 0; d <= 9; ++d) {
        EXPECT_EQ(screen.Vid_Number_Images[static_cast<size_t>(d)],
                  m.require("im_panel_number_" + std::to_string(d)));
    }
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(screen.Vid_Lives_Images[static_cast<size_t>(i)],
                  m.require("im_panel_lives_" + std::to_string(i)));
    }
    const auto& n = screen.named();
    EXPECT_EQ(m.at(n.im_panel_game_a).name, "im_panel_game_a");
    EXPECT_EQ(m.at(n.im_panel_game_b).name, "im_panel_game_b");
    EXPECT_EQ(m.at(n.im_panel_game_over).name, "im_panel_game_over");
    EXPECT_EQ(m.at(n.im_panel_bell).name, "im_panel_bell");
    EXPECT_EQ(m.at(n.im_panel_time_pm).name, "im_panel_time_pm");
    EXPECT_EQ(m.at(n.im_panel_time_colon).name, "im_panel_time_colon");
    EXPECT_EQ(m.at(n.im_wolf_3_4).name, "im_wolf_3_4");
    EXPECT_EQ(m.at(n.im_wolf_3_4b).name, "im_wolf_3_4b");
    EXPECT_EQ(m.at(n.im_egg_2_6_w).name, "im_egg_2_6_w");
    EXPECT_EQ(m.at(n.im_egg_4_2_w).name, "im_egg_4_2_w");
    EXPECT_EQ(m.at(n.btn_time_down).name, "btn_time_down");
    EXPECT_EQ(m.at(n.btn_game_a_down).name, "btn_game_a_down");
    EXPECT_EQ(m.at(n.btn_game_b_down).name, "btn_game_b_down");
    EXPECT_EQ(m.at(n.btn_joystick_top).name, "btn_joystick_top");
    EXPECT_EQ(m.at(n.btn_ctrlr_overlay_up).name, "btn_ctrlr_overlay_up");
    EXPECT_EQ(m.at(n.btn_ctrlr_overlay_left).name, "btn_ctrlr_overlay_left");
    EXPECT_EQ(m.at(n.btn_ctrlr_overlay_right).name, "btn_ctrlr_overlay_right");
    EXPECT_EQ(m.at(n.btn_ctrlr_overlay_down).name, "btn_ctrlr_overlay_down");
}

TEST_F(MainScreenTest, FlagsStartOff) {
    EXPECT_FALSE(screen.Vid_Fullscreen);
    EXPECT_FALSE(screen.Vid_Ctrlr_Overlay);
    EXPECT_FALSE(screen.Vid_Menu_Open);
}

}  // namespace
}  // namespace fluffo
