// The number panel: the score on five digit positions (leading blanks, the last five
// digits, the blanked form) and the three lives marks.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "display/main_screen.h"

namespace fluffo {
namespace {

PicturePtr picture(int32_t width) {
    auto p = std::make_shared<Picture>();
    p->width = width;
    p->height = 25;
    p->pixels.assign(static_cast<size_t>(width * 25), 0xff000000u);
    return p;
}

struct PanelTest : ::testing::Test {
    MainScreen screen;
    LcdState lcd{screen};  // the handheld's panel, drawn by the screen
    const ScreenModel& m = screen.model();

    std::string digits() const { return screen.panel_text(); }
    std::string score(int32_t value, bool show = true) {
        lcd.Vid_Show_Panel_Score(value, show);
        return digits();
    }
    const Holder& position(int pos) const {
        return m.at(screen.Vid_Digit_Positions[static_cast<size_t>(pos)]);
    }
    bool life(int i) const {
        return screen.is_shown(screen.Vid_Lives_Images[static_cast<size_t>(i)]);
    }
    void lives(int32_t count) { lcd.Vid_Show_Panel_Lives(count); }
    // Gives number picture d a width of 10 + d, so copies can be told apart.
    void load_numbers() {
        for (int d = 0; d <= 9; ++d) {
            screen.model().set_picture(screen.Vid_Number_Images[static_cast<size_t>(d)],
                                       picture(10 + d));
        }
    }
};

TEST_F(PanelTest, ScoreDrawsWithLeadingBlanks) {
    EXPECT_EQ(score(0), "    0");
    EXPECT_EQ(score(7), "    7");
    EXPECT_EQ(score(120), "  120");
    EXPECT_EQ(score(1005), " 1005");
    EXPECT_EQ(score(10000), "10000");
    EXPECT_EQ(score(99999), "99999");
    EXPECT_EQ(score(88880), "88880");
}

TEST_F(PanelTest, ScoreKeepsTheLastFiveDigits) {
    EXPECT_EQ(score(123456), "23456");
    EXPECT_EQ(score(100000), "    0");
    EXPECT_EQ(score(100007), "    7");
    EXPECT_EQ(score(200120), "  120");
    EXPECT_EQ(score(std::numeric_limits<int32_t>::max()), "83647");
}

TEST_F(PanelTest, NegativeScoreIsDrawnAsZero) {
    EXPECT_EQ(score(-1), "    0");
    EXPECT_EQ(score(-123456), "    0");
    EXPECT_EQ(score(std::numeric_limits<int32_t>::min()), "    0");
}

TEST_F(PanelTest, ScoreMakesAllFivePositionsVisible) {
    for (int pos = 1; pos <= 5; ++pos) {
        EXPECT_FALSE(position(pos).visible);
    }
    score(7);
    for (int pos = 1; pos <= 5; ++pos) {
        EXPECT_TRUE(position(pos).visible) << pos;
    }
}

TEST_F(PanelTest, HiddenScoreLeavesFiveVisibleEmptyPositions) {
    load_numbers();
    score(12345);
    EXPECT_EQ(score(12345, false), "     ");
    for (int pos = 1; pos <= 5; ++pos) {
        EXPECT_TRUE(position(pos).visible) << pos;
        EXPECT_FALSE(position(pos).picture) << pos;
    }
}

TEST_F(PanelTest, ValueIsNotChanged) {
    const int32_t value = 123456;
    lcd.Vid_Show_Panel_Score(value, true);
    EXPECT_EQ(value, 123456);
    const int32_t count = 7;
    lcd.Vid_Show_Panel_Lives(count);
    EXPECT_EQ(count, 7);
}

TEST_F(PanelTest, DigitsShareTheNumberPictures) {
    load_numbers();
    score(120);
    EXPECT_FALSE(position(1).picture);
    EXPECT_FALSE(position(2).picture);
    EXPECT_EQ(position(3).picture, m.at(screen.Vid_Number_Images[1]).picture);
    EXPECT_EQ(position(4).picture, m.at(screen.Vid_Number_Images[2]).picture);
    EXPECT_EQ(position(5).picture, m.at(screen.Vid_Number_Images[0]).picture);
    // Positions keep their own place and size whatever the number picture's size.
    EXPECT_EQ(position(3).bounds, (Rect{275, 33, 19, 25}));
}

TEST_F(PanelTest, CopyHoldsThePictureOfThatMoment) {
    load_numbers();
    score(5);
    const PicturePtr old_five = position(5).picture;
    screen.model().set_picture(screen.Vid_Number_Images[5], picture(30));  // skin re-load
    EXPECT_EQ(position(5).picture, old_five);
    score(5);  // drawn again: the new picture
    EXPECT_EQ(position(5).picture, m.at(screen.Vid_Number_Images[5]).picture);
    EXPECT_NE(position(5).picture, old_five);
}

TEST_F(PanelTest, RedrawingTheSameDigitsRepaintsNothing) {
    load_numbers();
    score(4711);
    screen.model().take_dirty();
    score(4711);
    EXPECT_TRUE(m.dirty().empty());
    score(4712);  // only position 5 changes
    EXPECT_EQ(screen.model().take_dirty(), (std::vector<Rect>{position(5).bounds}));
}

TEST_F(PanelTest, DigitsAreKnownWithoutSkinPictures) {
    score(305);
    EXPECT_EQ(digits(), "  305");
    EXPECT_EQ(position(3).copied_from, screen.Vid_Number_Images[3]);
    EXPECT_EQ(position(4).copied_from, screen.Vid_Number_Images[0]);
    EXPECT_EQ(position(1).copied_from, -1);
    EXPECT_TRUE(m.dirty().empty());  // nothing to paint without pictures
}

TEST_F(PanelTest, SetDigitWritesOnePosition) {
    screen.set_digit(1, 1);
    screen.set_digit(2, 2);
    screen.set_digit(3, 0);
    screen.set_digit(4, 0);
    screen.set_digit(5, -1);
    EXPECT_EQ(digits(), "-----");  // a copy alone does not light a hidden position
    for (int pos = 1; pos <= 5; ++pos)
        screen.show(screen.Vid_Digit_Positions[pos], true);
    EXPECT_EQ(digits(), "1200 ");
    screen.set_digit(2, 10);  // not a digit: blank
    EXPECT_EQ(digits(), "1 00 ");
    screen.set_digit(0, 5);  // not a position: nothing
    screen.set_digit(6, 5);
    EXPECT_EQ(digits(), "1 00 ");
    EXPECT_EQ(screen.digit_shown(0), -1);
    EXPECT_EQ(screen.digit_shown(6), -1);
}

TEST_F(PanelTest, LivesLightTheFirstCountMarks) {
    lives(3);
    EXPECT_TRUE(life(1) && life(2) && life(3));
    lives(2);
    EXPECT_TRUE(life(1));
    EXPECT_TRUE(life(2));
    EXPECT_FALSE(life(3));
    lives(0);
    EXPECT_FALSE(life(1) || life(2) || life(3));
    lives(5);
    EXPECT_TRUE(life(1) && life(2) && life(3));
    lives(-1);
    EXPECT_FALSE(life(1) || life(2) || life(3));
    lives(1);
    EXPECT_TRUE(life(1));
    EXPECT_FALSE(life(2) || life(3));
}

}  // namespace
}  // namespace fluffo
