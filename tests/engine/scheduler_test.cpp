// The nine timers on the virtual clock: arming rules, firing order, drift and re-arming.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/scheduler.h"

namespace fluffo {
namespace {

struct Log : TimerSink {
    Scheduler* s = nullptr;
    std::vector<std::pair<int64_t, TimerId>> fired;
    std::function<void(TimerId)> on;
    void on_timer(TimerId id) override {
        fired.emplace_back(s->now(), id);
        if (on) on(id);
    }
};

struct SchedulerTest : ::testing::Test {
    Log log;
    Scheduler s{&log};
    SchedulerTest() { log.s = &s; }
};

TEST_F(SchedulerTest, TimersStartDisabledWithOneMillisecond) {
    for (int i = 0; i < Timer_Count; ++i) {
        EXPECT_FALSE(s.enabled(static_cast<TimerId>(i)));
        EXPECT_EQ(s.interval(static_cast<TimerId>(i)), 1);
    }
    s.advance_to(10000);
    EXPECT_TRUE(log.fired.empty());
    EXPECT_FALSE(s.next_due());
}

TEST_F(SchedulerTest, PeriodicTimerDoesNotDrift) {
    s.arm(TimerId::Timer_Game, 240);
    s.advance_to(1000);
    ASSERT_EQ(log.fired.size(), 4u);
    EXPECT_EQ(log.fired[3].first, 960);
    s.advance_to(100 * 240);
    EXPECT_EQ(log.fired.size(), 100u);
    EXPECT_EQ(log.fired.back().first, 24000);
}

TEST_F(SchedulerTest, SameValueChangesNothingDifferentValueRestarts) {
    s.arm(TimerId::Timer_Alarm, 500);
    s.advance_to(300);
    s.set_interval(TimerId::Timer_Alarm, 500);  // unchanged: count goes on
    s.set_enabled(TimerId::Timer_Alarm, true);
    s.advance_to(500);
    ASSERT_EQ(log.fired.size(), 1u);
    EXPECT_EQ(log.fired[0].first, 500);
    s.advance_to(700);
    s.set_interval(TimerId::Timer_Alarm, 400);  // changed: counts from 700
    s.advance_to(1099);
    EXPECT_EQ(log.fired.size(), 1u);
    s.advance_to(1100);
    EXPECT_EQ(log.fired.size(), 2u);
    s.set_enabled(TimerId::Timer_Alarm, false);
    s.advance_to(1200);
    s.set_enabled(TimerId::Timer_Alarm, true);  // re-enabled: counts from 1200
    s.advance_to(1599);
    EXPECT_EQ(log.fired.size(), 2u);
    s.advance_to(1600);
    EXPECT_EQ(log.fired.size(), 3u);
}

TEST_F(SchedulerTest, HandlerChangingItsOwnIntervalSetsItsNextCall) {
    log.on = [&](TimerId id) { s.set_interval(id, 700); };
    s.arm(TimerId::Timer_Stage_Start, 1);
    s.advance_to(2000);
    ASSERT_GE(log.fired.size(), 3u);
    EXPECT_EQ(log.fired[0].first, 1);
    EXPECT_EQ(log.fired[1].first, 701);
    EXPECT_EQ(log.fired[2].first, 1401);
}

TEST_F(SchedulerTest, DueOrderThenCountStartOrderOnTies) {
    s.arm(TimerId::Timer_Game_Over, 100);  // started first
    s.arm(TimerId::Timer_Clock, 100);
    s.arm(TimerId::Timer_Miss, 50);
    s.advance_to(100);
    ASSERT_EQ(log.fired.size(), 4u);
    EXPECT_EQ(log.fired[0].second, TimerId::Timer_Miss);
    // At 100 all three are due; the miss timer's second count began last, at 50.
    EXPECT_EQ(log.fired[1].second, TimerId::Timer_Game_Over);
    EXPECT_EQ(log.fired[2].second, TimerId::Timer_Clock);
    EXPECT_EQ(log.fired[3].second, TimerId::Timer_Miss);
}

TEST_F(SchedulerTest, HandlerMayArmAnotherTimerThatFiresInTheSameAdvance) {
    log.on = [&](TimerId id) {
        if (id == TimerId::Timer_Miss) {
            s.set_enabled(TimerId::Timer_Miss, false);
            s.arm(TimerId::Timer_Stage_Start, 1);
        }
    };
    s.arm(TimerId::Timer_Miss, 100);
    s.advance_to(101);
    ASSERT_EQ(log.fired.size(), 2u);
    EXPECT_EQ(log.fired[1], (std::pair<int64_t, TimerId>{101, TimerId::Timer_Stage_Start}));
    EXPECT_EQ(s.now(), 101);
}

TEST_F(SchedulerTest, NextDueAndNames) {
    s.arm(TimerId::Timer_Game, 370);
    s.arm(TimerId::Timer_Power_Pill, 1);
    EXPECT_EQ(s.next_due(), 1);
    EXPECT_EQ(timer_name(TimerId::Timer_Stage_Complete), "Timer_Stage_Complete");
    EXPECT_EQ(timer_from_name("Timer_Game_Over"), TimerId::Timer_Game_Over);
    EXPECT_FALSE(timer_from_name("Timer_Nothing"));
}

}  // namespace
}  // namespace fluffo
