// The handheld's screen state: what each switch lights, and what the one observer is told (only
// changes, in the order made; every digit drawn).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/lcd_state.h"

namespace fluffo {
namespace {

// Tells, written as "+egg 2,6" (lit), "-wolf 3,4" (dark), "+mark 9", "digit 1=8".
struct TellRecorder : LcdObserver {
    std::vector<std::string> told;
    void lit_changed(Segment segment, bool lit) override {
        static const char* const families[] = {"fluffo", "egg", "wolf", "gate"};
        std::string what;
        if (segment < Figure_Families * Cells_Per_Family) {
            const int cell = segment % Cells_Per_Family;
            what = std::string(families[segment / Cells_Per_Family]) + " " +
                   std::to_string(cell / Visible_Rows + 1) + "," +
                   std::to_string(cell % Visible_Rows + 1);
        } else {
            what = "mark " + std::to_string(segment - Figure_Families * Cells_Per_Family);
        }
        told.push_back((lit ? "+" : "-") + what);
    }
    void digit_drawn(int pos, int digit) override {
        told.push_back("digit " + std::to_string(pos) + "=" + std::to_string(digit));
    }
};

std::string tells(const std::vector<std::string>& told) {
    std::string out;
    for (const std::string& t : told)
        out += (out.empty() ? "" : " ") + t;
    return out;
}

TEST(LcdState, EachSwitchTellsOnlyWhatChanged) {
    const std::string positions = "+mark 13 +mark 14 +mark 15 +mark 16 +mark 17";
    const struct {
        const char* name;
        std::function<void(LcdState&)> before;  // not recorded
        std::function<void(LcdState&)> act;
        std::string expected;
    } cases[] = {
        {"a mark lit once", {}, [](LcdState& l) { l.show(Mark::Panel_Bell, true); }, "+mark 3"},
        {"a mark lit again tells nothing", [](LcdState& l) { l.show(Mark::Panel_Bell, true); },
         [](LcdState& l) { l.show(Mark::Panel_Bell, true); }, ""},
        {"no Fluffo in the den nor off the board",
         {},
         [](LcdState& l) {
             l.Vid_Show_Fluffo(true, Den_Col, Den_Row);
             l.Vid_Show_Fluffo(true, 0, 1);
             l.Vid_Show_Fluffo(true, 6, 7);
             l.show(Figure::Egg, Den_Col, Den_Row, true);
             l.show(Figure::Gate, 2, 2, true);
         },
         ""},
        {"the den's wolf has a figure",
         {},
         [](LcdState& l) { l.show(Figure::Wolf, Den_Col, Den_Row, true); },
         "+wolf 3,4"},
        {"gates in their order",
         {},
         [](LcdState& l) { l.Vid_Show_All_Gate(true); },
         "+gate 3,1 +gate 1,4 +gate 5,4 +gate 3,7"},
        {"all wolves off after two lit",
         [](LcdState& l) {
             l.show(Figure::Wolf, 5, 7, true);
             l.show(Mark::Den_Wolf_Pacing, true);
         },
         [](LcdState& l) { l.Vid_Show_All_Wolf(false); }, "-wolf 5,7 -mark 9"},
        {"a score keeps five digits without leading zeros",
         {},
         [](LcdState& l) { l.Vid_Show_Panel_Score(123456, true); },
         "digit 1=2 digit 2=3 digit 3=4 digit 4=5 digit 5=6 " + positions},
        {"a negative score is 0, drawn again in full",
         [](LcdState& l) { l.Vid_Show_Panel_Score(0, true); },
         [](LcdState& l) { l.Vid_Show_Panel_Score(-40, true); },
         "digit 1=-1 digit 2=-1 digit 3=-1 digit 4=-1 digit 5=0"},
        {"all off from dark blanks and shows the positions",
         {},
         [](LcdState& l) { l.Vid_Show_All(false); },
         "digit 1=-1 digit 2=-1 digit 3=-1 digit 4=-1 digit 5=-1 " + positions},
        {"lives down from three", [](LcdState& l) { l.Vid_Show_Panel_Lives(3); },
         [](LcdState& l) { l.Vid_Show_Panel_Lives(1); }, "-mark 7 -mark 8"},
        {"no such digit or position",
         {},
         [](LcdState& l) {
             l.set_digit(0, 4);
             l.set_digit(6, 4);
             l.set_digit(2, 10);
         },
         "digit 2=-1"},
    };
    for (const auto& c : cases) {
        TellRecorder recorder;
        LcdState lcd(recorder);
        if (c.before) c.before(lcd);
        recorder.told.clear();
        c.act(lcd);
        EXPECT_EQ(tells(recorder.told), c.expected) << c.name;
    }
}

TEST(LcdState, ReadsBackWhatItLit) {
    TellRecorder recorder;
    LcdState lcd(recorder);
    lcd.Vid_Show_All(true);
    EXPECT_TRUE(lcd.lit(Mark::Panel_Game_Over));
    EXPECT_TRUE(lcd.lit(Figure::Egg, 2, 6));
    EXPECT_FALSE(lcd.lit(Figure::Egg, Den_Col, Den_Row));  // none there to light
    EXPECT_FALSE(lcd.lit(Figure::Gate, 2, 2));
    EXPECT_EQ(lcd.digit(1), 8);
    EXPECT_EQ(lcd.digit(5), 0);
    EXPECT_EQ(lcd.digit(6), No_Digit);
    EXPECT_FALSE(lcd.lit(Mark::Time_Pressed));  // a pressed button is not part of the lit pattern
    lcd.Vid_Show_All(false);
    EXPECT_FALSE(lcd.lit(Figure::Wolf, 3, 4));
    EXPECT_TRUE(lcd.lit(Mark::Digit_Position_3));
    EXPECT_EQ(lcd.digit(1), No_Digit);
}

}  // namespace
}  // namespace fluffo
