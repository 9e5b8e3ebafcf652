// The handheld's segments as the main screen draws them: the all-segments pattern and its
// inverse, the group walks, one Fluffo figure, the controller overlay, and the rectangles a
// game's events repaint.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "display/main_screen.h"
#include "display/sim_world.h"

namespace fluffo {
namespace {

struct SegmentTest : ::testing::Test {
    MainScreen screen;
    LcdState lcd{screen};  // the handheld's segments, drawn by the screen
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
    lcd.Vid_Show_All(true);
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
    lcd.Vid_Show_All(true);
    lcd.Vid_Show_All(false);
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
    lcd.Vid_Show_Panel_Score(score, true);
    EXPECT_EQ(digits(), "   42");
    EXPECT_EQ(lit_with_prefix("im_panel_digit_pos_"), 5);
}

TEST_F(SegmentTest, ShowAllFromTheDesignStateAlsoShowsTheDigitPositions) {
    lcd.Vid_Show_All(false);
    EXPECT_EQ(lit_with_prefix("im_panel_digit_pos_"), 5);
    EXPECT_EQ(digits(), "     ");
}

// What a holder looks like on the screen, for telling which holders a switch changed.
struct Look {
    bool visible;
    const Picture* picture;
    friend bool operator==(const Look&, const Look&) = default;
};

std::vector<Look> looks(const ScreenModel& m) {
    std::vector<Look> out;
    for (const Holder& h : m.holders())
        out.push_back({h.visible, h.picture.get()});
    return out;
}

bool draws(const Look& look) {
    return look.visible && look.picture;
}

// The game's own events repaint every holder whose look they changed, and nothing but the
// handheld's segments (a segment switched off and on again within one event repaints too).
TEST(SegmentRepaint, GameEventsRepaintExactlyTheHoldersTheyChange) {
    SimWorld world(7);
    ScreenModel& model = world.screen.model();
    for (HolderId i = 0; i < static_cast<HolderId>(model.size()); ++i) {
        auto p = std::make_shared<Picture>();  // one of its own: every copy changes the look
        p->width = 1;
        p->height = 1;
        p->pixels = {0xff000000u};
        model.set_picture(i, p);
    }
    Handheld& hh = world.handheld;
    const auto wait = [&](int64_t ms) { world.scheduler.advance_to(world.scheduler.now() + ms); };
    const struct {
        const char* event;
        std::function<void()> run;
    } events[] = {
        {"every segment lit", [&] { hh.set_mode(Mode::All_On); }},
        {"the clock", [&] { hh.set_mode(Mode::Time), wait(1); }},
        {"TIME pressed", [&] { hh.Inp_time_down(); }},
        {"TIME released", [&] { hh.Inp_time_up(); }},
        {"the alarm's bell blinks", [&] { hh.set_mode(Mode::Alarm), wait(500); }},
        {"a game's intro", [&] { hh.set_mode(Mode::Time), hh.set_mode(Mode::Game_A_Intro); }},
        {"the stage starts", [&] { wait(2900 + 1 + 700); }},
        {"Fluffo walks and lays an egg", [&] { hh.Inp_left_down(), wait(370); }},
        {"a dozen ticks", [&] { wait(12 * 370); }},
    };
    using Place = std::tuple<int32_t, int32_t, int32_t, int32_t>;
    const auto place = [](const Rect& r) { return Place{r.left, r.top, r.width, r.height}; };
    std::set<Place> segment_places;  // where the handheld's segments are drawn
    for (Segment s = 0; s < Segment_Count; ++s) {
        if (world.screen.holder_of(s) >= 0)
            segment_places.insert(place(model.at(world.screen.holder_of(s)).bounds));
    }
    for (const auto& e : events) {
        model.take_dirty();
        const std::vector<Look> before = looks(model);
        e.run();
        const std::vector<Look> after = looks(model);
        std::set<Place> changed;
        for (size_t i = 0; i < before.size(); ++i) {
            if (before[i] != after[i] && (draws(before[i]) || draws(after[i])))
                changed.insert(place(model.at(static_cast<HolderId>(i)).bounds));
        }
        const std::vector<Rect> dirty = model.take_dirty();
        ASSERT_LT(dirty.size(), ScreenModel::Dirty_Limit) << e.event;
        std::set<Place> repainted;
        for (const Rect& r : dirty)
            repainted.insert(place(r));
        EXPECT_FALSE(changed.empty()) << e.event;
        EXPECT_TRUE(
            std::includes(repainted.begin(), repainted.end(), changed.begin(), changed.end()))
            << e.event << ": a changed holder was not repainted";
        EXPECT_TRUE(std::includes(segment_places.begin(), segment_places.end(), repainted.begin(),
                                  repainted.end()))
            << e.event << ": a repaint outside the segments";
    }
}

TEST_F(SegmentTest, SwitchingToTheSameVisibilityRepaintsNothing) {
    load_pictures();
    lcd.Vid_Show_All_Fluffo(false);
    lcd.Vid_Show_All_Egg(false);
    lcd.Vid_Show_All_Wolf(false);
    lcd.Vid_Show_All_Gate(false);
    EXPECT_TRUE(m.dirty().empty());
    lcd.Vid_Show_All_Gate(true);
    EXPECT_EQ(screen.model().take_dirty().size(), 4u);
    lcd.Vid_Show_All_Gate(true);
    EXPECT_TRUE(m.dirty().empty());
}

TEST_F(SegmentTest, GroupWalksSwitchOnlyTheirFamily) {
    lcd.Vid_Show_All_Wolf(true);
    EXPECT_EQ(lit_with_prefix("im_wolf_"), 36);
    EXPECT_EQ(lit_with_prefix("im_fluffo_"), 0);
    lcd.Vid_Show_All_Egg(true);
    EXPECT_EQ(lit_with_prefix("im_egg_"), 34);
    lcd.Vid_Show_All_Fluffo(true);
    EXPECT_EQ(lit_with_prefix("im_fluffo_"), 34);
    lcd.Vid_Show_All_Wolf(false);
    EXPECT_EQ(lit_with_prefix("im_wolf_"), 0);
    EXPECT_EQ(lit_with_prefix("im_egg_"), 34);
    EXPECT_EQ(lit_with_prefix("im_gate_"), 0);
}

TEST_F(SegmentTest, ShowFluffoLightsOnlyItsCell) {
    lcd.Vid_Show_Fluffo(true, 2, 5);
    EXPECT_TRUE(lit("im_fluffo_2_5"));
    EXPECT_EQ(lit_with_prefix("im_fluffo_"), 1);
    lcd.Vid_Show_Fluffo(true, 1, 1);
    lcd.Vid_Show_Fluffo(true, 5, 7);
    EXPECT_TRUE(lit("im_fluffo_1_1"));
    EXPECT_TRUE(lit("im_fluffo_5_7"));
    lcd.Vid_Show_Fluffo(false, 2, 5);
    EXPECT_FALSE(lit("im_fluffo_2_5"));
    EXPECT_EQ(lit_with_prefix("im_fluffo_"), 2);
}

TEST_F(SegmentTest, ShowFluffoOnBorderCellsAndInTheDenChangesNothing) {
    const auto outside_cells = [&](bool on) {
        for (int r = 0; r <= 8; ++r) {
            lcd.Vid_Show_Fluffo(on, 0, r);
            lcd.Vid_Show_Fluffo(on, 6, r);
        }
        for (int c = 0; c <= 6; ++c) {
            lcd.Vid_Show_Fluffo(on, c, 0);
            lcd.Vid_Show_Fluffo(on, c, 8);
        }
        lcd.Vid_Show_Fluffo(on, 3, 4);
        lcd.Vid_Show_Fluffo(on, -1, 9);
    };
    lcd.Vid_Show_All(true);
    const std::vector<Holder> all_on = m.holders();
    outside_cells(false);
    for (size_t i = 0; i < all_on.size(); ++i) {
        EXPECT_EQ(m.holders()[i].visible, all_on[i].visible) << all_on[i].name;
    }
    lcd.Vid_Show_All(false);
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
    lcd.show(Figure::Egg, 4, 2, true);
    EXPECT_TRUE(lit("im_egg_4_2_w"));
    EXPECT_TRUE(screen.is_shown(screen.named().im_egg_4_2_w));
    lcd.show(Mark::Den_Wolf_Pacing, true);
    EXPECT_TRUE(lit("im_wolf_3_4b"));
    lcd.show(Figure::Egg, 3, 4, true);  // den: no egg
    EXPECT_EQ(lit_with_prefix("im_egg_"), 1);
}

}  // namespace
}  // namespace fluffo
