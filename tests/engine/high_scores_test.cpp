// The high scores and the store: read at creation, written at game over and by the reset,
// and never lost when the store refuses a write.
#include <gtest/gtest.h>

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

TEST(HighScoreStore, ARefusedWriteStillShowsGameOverAndTheNextGameOverStoresTheScore) {
    Rig r;
    r.store.set_refuse_writes(true);
    try {
        end_game(r, Mode::Game_A, 450);
        FAIL() << "no error";
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'HiScore1'");
    }
    // The step ran to its end: the game-over mark is up and the clock returns in 30 s.
    EXPECT_EQ(r.st.Gam_Mode, Mode::Game_Over);
    EXPECT_TRUE(r.lit("im_panel_game_over"));
    EXPECT_EQ(r.scheduler.interval(TimerId::Timer_Game_Over), 30000);
    EXPECT_EQ(r.st.Gam_HiScore_A, 450);
    EXPECT_TRUE(r.hh.high_score_unsaved_a());
    EXPECT_EQ(stored(r, "HiScore1"), "(none)");
    r.wait(30000);
    EXPECT_EQ(r.st.Gam_Mode, Mode::Time);  // no second error on the way back to the clock

    // A Game B that beats nothing: its game over writes the Game A score that was kept.
    r.store.set_refuse_writes(false);
    end_game(r, Mode::Game_B, 0);
    EXPECT_EQ(stored(r, "HiScore1"), "450");
    EXPECT_EQ(stored(r, "HiScore2"), "(none)");
    EXPECT_FALSE(r.hh.high_score_unsaved_a());
}

TEST(HighScoreStore, RepeatedRefusalsKeepTheBestScoreUntilAWriteGoesThrough) {
    Rig r;
    r.store.set_refuse_writes(true);
    EXPECT_THROW(end_game(r, Mode::Game_B, 300), StoreError);
    EXPECT_THROW(end_game(r, Mode::Game_B, 200), StoreError);  // lower: retries the 300
    EXPECT_EQ(r.st.Gam_HiScore_B, 300);
    r.store.set_refuse_writes(false);
    end_game(r, Mode::Game_A, 0);  // the other variant's game over stores it too
    EXPECT_EQ(stored(r, "HiScore2"), "300");
    // Once stored, an equal or lower score writes nothing.
    r.store.set_raw("HiScore2", {true, "marker"});
    end_game(r, Mode::Game_B, 300);
    EXPECT_EQ(stored(r, "HiScore2"), "marker");
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

TEST(HighScoreStore, ARefusedResetKeepsBothZerosUnsavedAndStoresThemLater) {
    Rig r;
    r.store.set_raw("HiScore1", {true, "800"});
    r.store.set_raw("HiScore2", {true, "900"});
    r.hh.create();
    r.store.set_refuse_writes(true);
    try {
        r.hh.reset_high_scores();
        FAIL() << "no error";
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'HiScore1'");
    }
    EXPECT_EQ(r.st.Gam_HiScore_A, 0);
    EXPECT_EQ(r.st.Gam_HiScore_B, 0);
    EXPECT_TRUE(r.hh.high_score_unsaved_a());
    EXPECT_TRUE(r.hh.high_score_unsaved_b());
    r.store.set_refuse_writes(false);
    end_game(r, Mode::Game_A, 0);
    EXPECT_EQ(stored(r, "HiScore1"), "0");
    EXPECT_EQ(stored(r, "HiScore2"), "0");
}

}  // namespace
}  // namespace fluffo::testing
