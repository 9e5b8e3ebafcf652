// The high scores and the store: read at creation, written at game over and by the reset, and
// never lost when the store refuses a write: the program's store keeps it for later.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/engine_rig.h"

namespace fluffo::testing {
namespace {

// Runs a game of the given variant straight to the game-over step that updates the high score.
void end_game(Rig& r, Mode mode, int32_t score) {
    r.set_mode(mode);
    r.scheduler.set_enabled(TimerId::Timer_Stage_Start, false);
    r.st.Gam_Score = score;
    r.st.Gam_Step = 2;
    r.scheduler.arm(TimerId::Timer_Game_Over, 10);
    r.wait(10);
}

std::string stored(const Rig& r, const std::string& name) {
    const auto it = r.store.values().find(name);
    return it == r.store.values().end() ? "(none)" : it->second.text;
}

TEST(HighScoreStore, CreationReadsStoredNumbersAsTheyAreAndKeepsZeroForUnreadableOnes) {
    Rig r;
    r.store.set_raw("HiScore1", {true, "-5"});
    r.store.set_raw("HiScore2", {true, "lots"});
    r.hh.create();
    EXPECT_EQ(r.st.Gam_HiScore_A, -5);
    EXPECT_EQ(r.st.Gam_HiScore_B, 0);

    r.store.set_raw("HiScore1", {false, "900"});
    r.store.set_raw("HiScore2", {true, "70"});
    try {
        r.hh.create();
        FAIL() << "no error";
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'HiScore1'");
    }
    EXPECT_EQ(r.st.Gam_HiScore_A, -5);  // kept
    EXPECT_EQ(r.st.Gam_HiScore_B, 70);  // still read
}

// The handheld over the store the programs give it: a refusal is told instead of thrown, and
// the refused value is kept for the next write that goes through, or the program's end.
struct RetryingRig {
    MemoryStore disk;
    std::vector<std::string> told;
    RetryingStore store{disk, [this](const std::string& text) { told.push_back(text); }};
    Scheduler scheduler;
    SoundRecorder sound{[this] { return scheduler.now(); }};
    SettableClock clock{[this] { return scheduler.now(); }};
    SeededRandom random{1};
    NoScreen screen;
    Handheld hh{screen, scheduler, HandheldPorts{sound, store, clock, random}};

    RetryingRig() { hh.create(); }
    void end_game(Mode mode, int32_t score) {
        hh.set_mode(mode);
        scheduler.set_enabled(TimerId::Timer_Stage_Start, false);
        hh.state.Gam_Score = score;
        hh.state.Gam_Step = 2;
        scheduler.arm(TimerId::Timer_Game_Over, 10);
        scheduler.advance_to(scheduler.now() + 10);
    }
    std::string on_disk(const std::string& name) const {
        const auto it = disk.values().find(name);
        return it == disk.values().end() ? "(none)" : it->second.text;
    }
};

TEST(HighScoreStore, ARefusedWriteIsThrownOnlyOnceTheGameOverStepHasRun) {
    Rig r;  // a plain store, as the headless driver's: the refusal is the line's error
    r.store.set_refuse_writes(true);
    try {
        end_game(r, Mode::Game_A, 450);
        FAIL() << "no error";
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'HiScore1'");
    }
    // The step ran to its end: the game-over mark is up and the clock returns in 30 s.
    EXPECT_EQ(r.st.Gam_Mode, Mode::Game_Over);
    EXPECT_TRUE(r.lit(Mark::Panel_Game_Over));
    EXPECT_EQ(r.scheduler.interval(TimerId::Timer_Game_Over), 30000);
    EXPECT_EQ(r.st.Gam_HiScore_A, 450);
    EXPECT_EQ(stored(r, "HiScore1"), "(none)");
    r.wait(30000);
    EXPECT_EQ(r.st.Gam_Mode, Mode::Time);  // no second error on the way back to the clock
}

TEST(HighScoreStore, ARefusedHighScoreGoesWithTheNextWriteThatGoesThrough) {
    RetryingRig r;
    r.disk.set_refuse_writes(true);
    EXPECT_NO_THROW(r.end_game(Mode::Game_A, 450));
    EXPECT_EQ(r.told, std::vector<std::string>{"Failed to set data for 'HiScore1'"});
    EXPECT_TRUE(r.hh.lcd().lit(Mark::Panel_Game_Over));
    EXPECT_EQ(read_integer(r.store, "HiScore1", 0), 450);  // kept, and read back as kept
    r.disk.set_refuse_writes(false);
    r.end_game(Mode::Game_B, 90);  // its own high score carries the kept one
    EXPECT_EQ(r.on_disk("HiScore1"), "450");
    EXPECT_EQ(r.on_disk("HiScore2"), "90");
    EXPECT_FALSE(r.store.has_unwritten());
}

TEST(HighScoreStore, RepeatedRefusalsKeepTheBestScoreUntilTheProgramEnds) {
    RetryingRig r;
    r.disk.set_refuse_writes(true);
    r.end_game(Mode::Game_B, 300);
    r.end_game(Mode::Game_B, 200);  // lower: writes nothing
    r.end_game(Mode::Game_B, 350);
    EXPECT_EQ(r.told.size(), 1u);  // told once until a write goes through
    EXPECT_EQ(r.hh.state.Gam_HiScore_B, 350);
    r.disk.set_refuse_writes(false);
    EXPECT_TRUE(r.store.flush());  // the program's end
    EXPECT_EQ(r.on_disk("HiScore2"), "350");
    // Once stored, an equal or lower score writes nothing.
    r.disk.set_raw("HiScore2", {true, "marker"});
    r.end_game(Mode::Game_B, 350);
    EXPECT_EQ(r.on_disk("HiScore2"), "marker");
}

TEST(HighScoreStore, ResetWritesZeroToBothAndLeavesThePanelAsItIs) {
    Rig r;
    r.st.Gam_HiScore_A = 1230;
    r.st.Gam_HiScore_B = 560;
    r.set_mode(Mode::Game_A_Intro);
    const std::string panel = r.digits();
    r.hh.reset_high_scores();
    EXPECT_EQ(r.st.Gam_HiScore_A, 0);
    EXPECT_EQ(r.st.Gam_HiScore_B, 0);
    EXPECT_EQ(stored(r, "HiScore1"), "0");
    EXPECT_EQ(stored(r, "HiScore2"), "0");
    EXPECT_EQ(r.digits(), panel);
    EXPECT_EQ(panel, " 1230");
}

TEST(HighScoreStore, ARefusedResetTriesBothAndKeepsBothZerosForLater) {
    Rig plain;
    plain.store.set_raw("HiScore1", {true, "800"});
    plain.hh.create();
    plain.store.set_refuse_writes(true);
    try {
        plain.hh.reset_high_scores();
        FAIL() << "no error";
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'HiScore1'");  // the first refusal
    }
    EXPECT_EQ(plain.st.Gam_HiScore_A, 0);

    RetryingRig r;
    r.disk.set_raw("HiScore1", {true, "800"});
    r.disk.set_raw("HiScore2", {true, "900"});
    r.hh.create();
    r.disk.set_refuse_writes(true);
    EXPECT_NO_THROW(r.hh.reset_high_scores());
    EXPECT_EQ(r.told.size(), 1u);
    EXPECT_EQ(r.hh.state.Gam_HiScore_A, 0);
    EXPECT_EQ(r.hh.state.Gam_HiScore_B, 0);
    r.disk.set_refuse_writes(false);
    r.end_game(Mode::Game_A, 0);  // beats nothing, writes nothing
    EXPECT_EQ(r.on_disk("HiScore1"), "800");
    EXPECT_TRUE(r.store.flush());
    EXPECT_EQ(r.on_disk("HiScore1"), "0");
    EXPECT_EQ(r.on_disk("HiScore2"), "0");
}

}  // namespace
}  // namespace fluffo::testing
