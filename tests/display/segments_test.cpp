// The LCD segment operations: the all-segments pattern and its inverse, the group
// walks and their order, one Fluffo figure, and the controller overlay.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "display/main_screen.h"

namespace fluffo {
namespace {

struct SegmentTest : ::testing::Test {
    MainScreen screen;
    const ScreenModel& m = screen.model();

    HolderId id(std::string_view name) const { return m.require(name); }
    bool lit(std::string_view name) const { return m.at(id(name)).visible; }

    int lit_with_prefix(std::string_view prefix) const {
        int count = 0;
        for (const Holder& h : m.holders()) {
            count += h.visible && h.name.starts_with(prefix);
        }
        return count;
    }
    int lit_total() const {
        int count = 0;
        for (const Holder& h : m.holders()) {
            count += h.visible;
        }
        return count;
    }
    std::string digits() const { return screen.panel_text(); }
    // Gives every holder its own picture, so each switch records its holder's rectangle.
    void load_pictures() {
        for (HolderId i = 0; i < static_cast<HolderId>(m.size()); ++i) {
            auto p = std::make_shared<Picture>();
            p->width = 1;
            p->height = 1;
            p->pixels = {0xff000000u};
            screen.model().set_picture(i, p);
        }
        screen.model().take_dirty();
    }
};

const char* const Marks[] = {"im_panel_game_a",  "im_panel_game_b",     "im_panel_bell",
                             "im_panel_time_pm", "im_panel_time_colon", "im_panel_game_over"};

TEST_F(SegmentTest, ShowAllLightsEverySegment) {
    const int before = lit_total();  // body, buttons, backdrop, menu button
    screen.Vid_Show_All(true);
    EXPECT_EQ(lit_with_prefix("im_fluffo_"), 34);
    EXPECT_EQ(lit_with_prefix("im_egg_"), 34);
    EXPECT_TRUE(lit("im_egg_4_2_w"));
    EXPECT_TRUE(lit("im_egg_2_6_w"));
    EXPECT_EQ(lit_with_prefix("im_wolf_"), 36);
    EXPECT_TRUE(lit("im_wolf_3_4b"));
    EXPECT_EQ(lit_with_prefix("im_gate_"), 4);
    for (const char* mark : Marks) {
        EXPECT_TRUE(lit(mark)) << mark;
    }
    EXPECT_EQ(lit_with_prefix("im_panel_lives_"), 3);
    EXPECT_EQ(lit_with_prefix("im_panel_digit_pos_"), 5);
    EXPECT_EQ(digits(), "88880");
    EXPECT_EQ(lit_with_prefix("im_panel_number_"), 0);  // the stock stays hidden
    EXPECT_EQ(lit_total(), before + 34 + 34 + 36 + 4 + 6 + 3 + 5);
    // Nothing else changed: buttons' pressed pictures and the overlay stay dark.
    EXPECT_FALSE(lit("btn_game_a_down"));
    EXPECT_FALSE(lit("btn_joystick_top"));
    EXPECT_FALSE(lit("btn_ctrlr_overlay_up"));
}

TEST_F(SegmentTest, ShowAllOffLeavesFiveVisibleBlankDigitPositions) {
    const int before = lit_total();
    screen.Vid_Show_All(true);
    screen.Vid_Show_All(false);
    EXPECT_EQ(lit_with_prefix("im_fluffo_"), 0);
    EXPECT_EQ(lit_with_prefix("im_egg_"), 0);
    EXPECT_EQ(lit_with_prefix("im_wolf_"), 0);
    EXPECT_EQ(lit_with_prefix("im_gate_"), 0);
    for (const char* mark : Marks) {
        EXPECT_FALSE(lit(mark)) << mark;
    }
    EXPECT_EQ(lit_with_prefix("im_panel_lives_"), 0);
    EXPECT_EQ(lit_with_prefix("im_panel_digit_pos_"), 5);
    EXPECT_EQ(digits(), "     ");
    for (int pos = 1; pos <= 5; ++pos) {
        EXPECT_FALSE(m.at(screen.Vid_Digit_Positions[static_cast<size_t>(pos)]).picture);
    }
    EXPECT_EQ(lit_total(), before + 5);
    // A later score fills the positions without a separate show.
    const int32_t score = 42;
    screen.Vid_Show_Panel_Score(score, true);
    EXPECT_EQ(digits(), "   42");
    EXPECT_EQ(lit_with_prefix("im_panel_digit_pos_"), 5);
}

TEST_F(SegmentTest, ShowAllFromTheDesignStateAlsoShowsTheDigitPositions) {
    screen.Vid_Show_All(false);
    EXPECT_EQ(lit_with_prefix("im_panel_digit_pos_"), 5);
    EXPECT_EQ(digits(), "     ");
}

TEST_F(SegmentTest, ShowAllSwitchesInItsFixedOrder) {
    load_pictures();
    screen.Vid_Show_All(true);
    std::vector<std::string> expected(std::begin(Marks), std::end(Marks));
    for (int i = 1; i <= 3; ++i) {
        expected.push_back("im_panel_lives_" + std::to_string(i));
    }
    // Digits are drawn while their positions are hidden, then the positions are shown.
    for (int pos = 1; pos <= 5; ++pos) {
        expected.push_back("im_panel_digit_pos_" + std::to_string(pos));
    }
    for (const char* family : {"fluffo", "egg", "wolf"}) {
        for (int c = 1; c <= 5; ++c) {
            for (int r = 1; r <= 7; ++r) {
                std::string name =
                    "im_" + std::string(family) + "_" + std::to_string(c) + "_" + std::to_string(r);
                if (name == "im_egg_4_2" || name == "im_egg_2_6") name += "_w";
                if (m.find(name) >= 0) expected.push_back(name);
            }
        }
        if (std::string(family) == "wolf") expected.emplace_back("im_wolf_3_4b");
    }
    for (const char* gate : {"im_gate_3_1", "im_gate_1_4", "im_gate_5_4", "im_gate_3_7"}) {
        expected.emplace_back(gate);
    }
    ASSERT_LE(expected.size(), ScreenModel::Dirty_Limit);
    const std::vector<Rect> dirty = screen.model().take_dirty();
    ASSERT_EQ(dirty.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(dirty[i], m.at(id(expected[i])).bounds) << i << ": " << expected[i];
    }
}

TEST_F(SegmentTest, SwitchingToTheSameVisibilityRepaintsNothing) {
    load_pictures();
    screen.Vid_Show_All_Fluffo(false);
    screen.Vid_Show_All_Egg(false);
    screen.Vid_Show_All_Wolf(false);
    screen.Vid_Show_All_Gate(false);
    EXPECT_TRUE(m.dirty().empty());
    screen.Vid_Show_All_Gate(true);
    EXPECT_EQ(screen.model().take_dirty().size(), 4u);
    screen.Vid_Show_All_Gate(true);
    EXPECT_TRUE(m.dirty().empty());
}

TEST_F(SegmentTest, GroupWalksSwitchOnlyTheirFamily) {
    screen.Vid_Show_All_Wolf(true);
    EXPECT_EQ(lit_with_prefix("im_wolf_"), 36);
    EXPECT_EQ(lit_with_prefix("im_fluffo_"), 0);
    screen.Vid_Show_All_Egg(true);
    EXPECT_EQ(lit_with_prefix("im_egg_"), 34);
    screen.Vid_Show_All_Fluffo(true);
    EXPECT_EQ(lit_with_prefix("im_fluffo_"), 34);
    screen.Vid_Show_All_Wolf(false);
    EXPECT_EQ(lit_with_prefix("im_wolf_"), 0);
    EXPECT_EQ(lit_with_prefix("im_egg_"), 34);
    EXPECT_EQ(lit_with_prefix("im_gate_"), 0);
}

TEST_F(SegmentTest, ShowFluffoLightsOnlyItsCell) {
    screen.Vid_Show_Fluffo(true, 2, 5);
    EXPECT_TRUE(lit("im_fluffo_2_5"));
    EXPECT_EQ(lit_with_prefix("im_fluffo_"), 1);
    screen.Vid_Show_Fluffo(true, 1, 1);
    screen.Vid_Show_Fluffo(true, 5, 7);
    EXPECT_TRUE(lit("im_fluffo_1_1"));
    EXPECT_TRUE(lit("im_fluffo_5_7"));
    screen.Vid_Show_Fluffo(false, 2, 5);
    EXPECT_FALSE(lit("im_fluffo_2_5"));
    EXPECT_EQ(lit_with_prefix("im_fluffo_"), 2);
}

TEST_F(SegmentTest, ShowFluffoOnBorderCellsAndInTheDenChangesNothing) {
    const auto outside_cells = [&](bool on) {
        for (int r = 0; r <= 8; ++r) {
            screen.Vid_Show_Fluffo(on, 0, r);
            screen.Vid_Show_Fluffo(on, 6, r);
        }
        for (int c = 0; c <= 6; ++c) {
            screen.Vid_Show_Fluffo(on, c, 0);
            screen.Vid_Show_Fluffo(on, c, 8);
        }
        screen.Vid_Show_Fluffo(on, 3, 4);
        screen.Vid_Show_Fluffo(on, -1, 9);
    };
    screen.Vid_Show_All(true);
    const std::vector<Holder> all_on = m.holders();
    outside_cells(false);
    for (size_t i = 0; i < all_on.size(); ++i) {
        EXPECT_EQ(m.holders()[i].visible, all_on[i].visible) << all_on[i].name;
    }
    screen.Vid_Show_All(false);
    const int dark = lit_total();
    outside_cells(true);
    EXPECT_EQ(lit_total(), dark);
    EXPECT_FALSE(lit("im_wolf_3_4"));
}

TEST_F(SegmentTest, ControllerOverlayToggledTwiceRestoresTheControls) {
    const char* const arrows[] = {"btn_ctrlr_overlay_up", "btn_ctrlr_overlay_left",
                                  "btn_ctrlr_overlay_right", "btn_ctrlr_overlay_down"};
    EXPECT_FALSE(lit("btn_joystick_top"));  // hidden until the first display at start-up
    screen.Vid_Display_Ctrl_Overlay();
    for (const char* a : arrows) {
        EXPECT_FALSE(lit(a)) << a;
    }
    EXPECT_TRUE(lit("btn_joystick_top"));

    screen.Vid_Ctrlr_Overlay = !screen.Vid_Ctrlr_Overlay;
    screen.Vid_Display_Ctrl_Overlay();
    for (const char* a : arrows) {
        EXPECT_TRUE(lit(a)) << a;
    }
    EXPECT_FALSE(lit("btn_joystick_top"));

    screen.Vid_Ctrlr_Overlay = !screen.Vid_Ctrlr_Overlay;
    screen.Vid_Display_Ctrl_Overlay();
    for (const char* a : arrows) {
        EXPECT_FALSE(lit(a)) << a;
    }
    EXPECT_TRUE(lit("btn_joystick_top"));
}

TEST_F(SegmentTest, ControllerOverlaySwitchesArrowsBeforeTheJoystick) {
    load_pictures();
    screen.Vid_Ctrlr_Overlay = true;
    screen.Vid_Display_Ctrl_Overlay();
    // The joystick area was hidden and stays hidden: only the four arrows repaint.
    EXPECT_EQ(screen.model().take_dirty(),
              (std::vector<Rect>{m.at(id("btn_ctrlr_overlay_up")).bounds,
                                 m.at(id("btn_ctrlr_overlay_left")).bounds,
                                 m.at(id("btn_ctrlr_overlay_right")).bounds,
                                 m.at(id("btn_ctrlr_overlay_down")).bounds}));
    screen.Vid_Ctrlr_Overlay = false;
    screen.Vid_Display_Ctrl_Overlay();
    const auto dirty = screen.model().take_dirty();
    ASSERT_EQ(dirty.size(), 5u);
    EXPECT_EQ(dirty.back(), m.at(id("btn_joystick_top")).bounds);
}

TEST_F(SegmentTest, SingleSegmentsThroughTheTables) {
    screen.show(MainScreen::cell(screen.Vid_Egg_Images, 4, 2), true);
    EXPECT_TRUE(lit("im_egg_4_2_w"));
    EXPECT_TRUE(screen.is_shown(screen.named().im_egg_4_2_w));
    screen.show(screen.named().im_wolf_3_4b, true);
    EXPECT_TRUE(lit("im_wolf_3_4b"));
    screen.show(MainScreen::cell(screen.Vid_Egg_Images, 3, 4), true);  // den: no egg
    EXPECT_EQ(lit_with_prefix("im_egg_"), 1);
}

}  // namespace
}  // namespace fluffo
