// The buttons' latches and mode switches, and the clock and alarm displays.
#include <gtest/gtest.h>

#include "support/engine_rig.h"

namespace fluffo::testing {
namespace {

TEST(Actions, TimeSwitchesOncePerPressAndADirectionReleaseFreesTheLatch) {
    Rig r;
    r.set_mode(Mode::All_On);
    r.hh.Inp_time_down();
    EXPECT_EQ(r.st.Gam_Mode, Mode::Time);
    EXPECT_TRUE(r.lit(Mark::Time_Pressed));
    r.hh.Inp_time_down();  // a held key's repeat
    EXPECT_EQ(r.st.Gam_Mode, Mode::Time);
    r.hh.Inp_left_down();
    r.hh.Inp_left_up();
    r.hh.Inp_time_down();  // the repeat now switches again
    EXPECT_EQ(r.st.Gam_Mode, Mode::Alarm);
    r.hh.Inp_time_up();
    EXPECT_FALSE(r.lit(Mark::Time_Pressed));
    r.hh.Inp_time_down();
    EXPECT_EQ(r.st.Gam_Mode, Mode::Time);
}

TEST(Actions, GameButtonsWorkOnlyInTheClockAndAtGameOver) {
    for (Mode mode : {Mode::All_On, Mode::Alarm, Mode::Game_A_Intro, Mode::Game_B}) {
        Rig r;
        r.st.Gam_Mode = mode;
        r.hh.Inp_game_a_down();
        r.hh.Inp_game_b_down();
        EXPECT_EQ(r.st.Gam_Mode, mode);
        EXPECT_TRUE(r.lit(Mark::Game_A_Pressed));
    }
    for (Mode mode : {Mode::Time, Mode::Game_Over}) {
        Rig r;
        r.st.Gam_Mode = mode;
        r.hh.Inp_game_b_down();
        EXPECT_EQ(r.st.Gam_Mode, Mode::Game_B_Intro);
        r.hh.Inp_game_b_up();
        r.hh.Inp_time_down();  // dead in the intro
        EXPECT_EQ(r.st.Gam_Mode, Mode::Game_B_Intro);
    }
    Rig r;
    r.st.Gam_Mode = Mode::Game_Over;
    r.hh.Inp_time_down();
    EXPECT_EQ(r.st.Gam_Mode, Mode::Time);
}

TEST(Actions, DirectionLeavesAllOnForTheClockAndIsIgnoredBeforeTheTick) {
    Rig r;
    r.set_mode(Mode::All_On);
    r.hh.Inp_down_down();
    EXPECT_EQ(r.st.Gam_Mode, Mode::Time);
    EXPECT_EQ(r.st.Gam_Fluffo_Dir, Dir::None);
    r.set_mode(Mode::Game_A_Intro);
    r.wait(2901);  // stage start running, tick not yet enabled
    r.st.Gam_Fluffo_Col = 3;
    r.st.Gam_Fluffo_Row = 5;
    r.hh.Inp_left_down();
    EXPECT_EQ(r.st.Gam_Fluffo_Dir, Dir::None);
    r.wait(700);
    EXPECT_EQ(r.st.Gam_Fluffo_Dir, Dir::None);  // Fluffo starts standing
    r.hh.Inp_left_down();
    EXPECT_EQ(r.st.Gam_Fluffo_Dir, Dir::Left);
}

struct ClockCase {
    int h, m;
    const char* digits;
    bool pm;
};

TEST(Clock, TwelveHourFormWithPmMark) {
    for (ClockCase c : {ClockCase{0, 7, "1207 ", false}, ClockCase{0, 59, "1259 ", false},
                        ClockCase{12, 0, "1200 ", true}, ClockCase{13, 5, " 105 ", true},
                        ClockCase{9, 30, " 930 ", false}, ClockCase{23, 59, "1159 ", true},
                        ClockCase{11, 0, "1100 ", false}}) {
        Rig r;
        r.clock.set(c.h, c.m);
        r.set_mode(Mode::Time);
        r.wait(1);
        EXPECT_EQ(r.digits(), c.digits) << c.h << ":" << c.m;
        EXPECT_EQ(r.lit(Mark::Panel_Time_Pm), c.pm) << c.h;
        EXPECT_TRUE(r.lit(Mark::Panel_Time_Colon));
    }
}

TEST(Clock, RunsOnEverySecondAndShowsAChangedClockWithinASecond) {
    Rig r;
    r.clock.set(11, 59);
    r.set_mode(Mode::Time);
    r.wait(1);
    EXPECT_EQ(r.scheduler.interval(TimerId::Timer_Clock), 1000);
    r.wait(60000);
    EXPECT_EQ(r.digits(), "1200 ");
    EXPECT_TRUE(r.lit(Mark::Panel_Time_Pm));
    r.clock.set(7, 45);
    r.wait(1000);
    EXPECT_EQ(r.digits(), " 745 ");
}

TEST(Clock, AlarmShowsTwelveAndBlinksTheBell) {
    Rig r;
    r.set_mode(Mode::All_On);
    r.set_mode(Mode::Alarm);
    EXPECT_EQ(r.digits(), "1200 ");
    EXPECT_TRUE(r.lit(Mark::Panel_Bell));
    EXPECT_TRUE(r.lit(Mark::Panel_Time_Colon));
    EXPECT_FALSE(r.lit(Figure::Fluffo, 1, 1));
    r.wait(500);
    EXPECT_FALSE(r.lit(Mark::Panel_Bell));
    r.wait(500);
    EXPECT_TRUE(r.lit(Mark::Panel_Bell));
    r.hh.Inp_time_down();
    EXPECT_EQ(r.st.Gam_Mode, Mode::Time);
    EXPECT_FALSE(r.on(TimerId::Timer_Alarm));
    EXPECT_FALSE(r.lit(Mark::Panel_Bell));
}

}  // namespace
}  // namespace fluffo::testing
