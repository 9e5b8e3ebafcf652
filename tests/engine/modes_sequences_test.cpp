// Mode changes and the timed sequences around the tick, on the virtual clock.
#include <gtest/gtest.h>

#include "support/engine_rig.h"

namespace fluffo::testing {
namespace {

using V = std::vector<std::string>;

TEST(Modes, AllOnLightsEverySegmentAndStopsNothing) {
    Rig r;
    r.scheduler.arm(TimerId::Timer_Clock, 1000);
    r.set_mode(Mode::All_On);
    EXPECT_EQ(r.digits(), "88880");
    EXPECT_EQ(r.count_lit(Figure::Fluffo), 34);
    EXPECT_EQ(r.count_lit(Figure::Egg), 34);
    EXPECT_EQ(r.count_lit(Figure::Wolf), 36);
    EXPECT_EQ(r.count_lit(Figure::Gate), 4);
    EXPECT_EQ(r.lives_lit(), 3);
    EXPECT_TRUE(r.on(TimerId::Timer_Clock));
}

TEST(Modes, IntroShowsHighScoreAndThreeLivesThenPlayStarts) {
    Rig r;
    r.st.Gam_HiScore_B = 1230;
    r.set_mode(Mode::All_On);
    r.set_mode(Mode::Game_B_Intro);
    EXPECT_TRUE(r.lit(Mark::Panel_Game_B));
    EXPECT_FALSE(r.lit(Mark::Panel_Game_A));
    EXPECT_EQ(r.digits(), " 1230");
    EXPECT_EQ(r.lives_lit(), 3);
    EXPECT_EQ(r.count_lit(Figure::Fluffo), 0);
    EXPECT_TRUE(r.lit(Figure::Egg, 2, 6));
    EXPECT_TRUE(r.lit(Figure::Egg, 4, 2));
    EXPECT_EQ(r.sounds(), (V{"Start"}));
    EXPECT_EQ(r.scheduler.interval(TimerId::Timer_Game_Start), 2900);

    r.wait(2899);
    EXPECT_EQ(r.st.Gam_Mode, Mode::Game_B_Intro);
    r.wait(1);
    EXPECT_EQ(r.st.Gam_Mode, Mode::Game_B);
    EXPECT_FALSE(r.on(TimerId::Timer_Game_Start));
    EXPECT_EQ(r.digits(), "    0");
    EXPECT_EQ(r.st.Gam_Lives, 2);
    EXPECT_EQ(r.st.Gam_Stage, 1);
    EXPECT_EQ(r.st.Gam_Wolf_Count, 1);
    EXPECT_EQ(r.st.Gam_Power_Length, 29);
    EXPECT_EQ(r.scheduler.interval(TimerId::Timer_Game), 240);
    EXPECT_TRUE(r.lit(Mark::Panel_Game_B));  // the intro's marks stay

    r.wait(1);  // stage start, first step
    EXPECT_EQ(r.sounds(), (V{"Stgstart"}));
    EXPECT_EQ(r.lives_lit(), 2);
    EXPECT_FALSE(r.on(TimerId::Timer_Game));
    r.wait(699);
    EXPECT_FALSE(r.lit(Figure::Fluffo, 3, 5));
    r.wait(1);
    EXPECT_TRUE(r.lit(Figure::Fluffo, 3, 5));
    EXPECT_TRUE(r.on(TimerId::Timer_Game));
    EXPECT_FALSE(r.on(TimerId::Timer_Stage_Start));
    EXPECT_EQ(r.st.Gam_Gate, 1);
    EXPECT_EQ(r.count_lit(Figure::Gate), 0);
}

TEST(Modes, DifficultyByStageAndVariant) {
    Rig r;
    struct Row {
        int stage, a, b;
    };
    for (Row row : {Row{1, 43, 29}, Row{2, 43, 29}, Row{4, 41, 27}, Row{5, 37, 23}, Row{8, 33, 21},
                    Row{9, 31, 19}, Row{10, 31, 17}, Row{13, 28, 17}, Row{14, 25, 17},
                    Row{15, 22, 17}, Row{99, 22, 17}}) {
        r.st.Gam_Stage = row.stage;
        r.st.Gam_Mode = Mode::Game_A;
        r.hh.Gam_Set_Difficulty();
        EXPECT_EQ(r.st.Gam_Power_Length, row.a) << row.stage;
        EXPECT_EQ(r.scheduler.interval(TimerId::Timer_Game), 370);
        r.st.Gam_Mode = Mode::Game_B;
        r.hh.Gam_Set_Difficulty();
        EXPECT_EQ(r.st.Gam_Power_Length, row.b) << row.stage;
        EXPECT_EQ(r.st.Gam_Wolf_Count, row.stage == 1 ? 1 : 2);
    }
    r.st.Gam_Mode = Mode::Time;
    r.st.Gam_Power_Length = 5;
    r.hh.Gam_Set_Difficulty();
    EXPECT_EQ(r.st.Gam_Power_Length, 5);
}

TEST(Modes, GatePatternsShutTheirWaysAndShowTheirPictures) {
    Rig r;
    r.st.Gam_Gate = 4;
    r.hh.Gam_Set_Gate();
    EXPECT_EQ(r.st.cell(3, 1).Fluffo_Dirs, 14);
    EXPECT_EQ(r.st.cell(1, 4).Fluffo_Dirs, 11);
    EXPECT_EQ(r.st.cell(5, 4).Fluffo_Dirs, 9);
    EXPECT_EQ(r.st.cell(3, 7).Fluffo_Dirs, 6);
    EXPECT_TRUE(r.lit(Figure::Gate, 3, 1));
    EXPECT_FALSE(r.lit(Figure::Gate, 1, 4));
    EXPECT_TRUE(r.lit(Figure::Gate, 5, 4));
    EXPECT_TRUE(r.lit(Figure::Gate, 3, 7));
    r.st.Gam_Gate = 6;  // outside the five patterns: nothing changes
    r.hh.Gam_Set_Gate();
    EXPECT_EQ(r.st.cell(5, 4).Fluffo_Dirs, 9);
    r.st.Gam_Gate = 3;
    r.hh.Gam_Set_Gate();
    EXPECT_EQ(r.count_lit(Figure::Gate), 2);
    EXPECT_TRUE(r.lit(Figure::Gate, 1, 4));
    EXPECT_TRUE(r.lit(Figure::Gate, 5, 4));
}

TEST(Sequences, MissBlinksFluffoThenStartsTheStageAgain) {
    Rig r;
    r.start_game(Mode::Game_A_Intro);
    r.sounds();
    r.st.Gam_Score = 120;
    r.st.cell(1, 1).Egg_State = Egg::None;
    r.st.Gam_Wolves[0] = {2, 5, Dir::Right, Wolf_Active};
    r.st.Gam_Phase = 2;  // the wolves act next: Fluffo at (3,5) is right of the wolf
    r.wait(370);
    EXPECT_EQ(r.st.Gam_Wolves[0].Col, 3);  // it steps onto Fluffo's cell
    EXPECT_TRUE(r.on(TimerId::Timer_Miss));
    EXPECT_FALSE(r.on(TimerId::Timer_Game));
    EXPECT_EQ(r.st.Gam_Phase, 2);  // a catch does not advance the phase
    const int64_t caught = r.scheduler.now();
    auto at = [&](int64_t ms) { r.scheduler.advance_to(caught + ms); };
    at(100);
    EXPECT_TRUE(r.lit(Figure::Fluffo, 3, 5));
    at(200);
    EXPECT_EQ(r.sounds(), (V{"Miss"}));
    EXPECT_FALSE(r.lit(Figure::Fluffo, 3, 5));
    at(440);
    EXPECT_TRUE(r.lit(Figure::Fluffo, 3, 5));
    at(680);
    EXPECT_FALSE(r.lit(Figure::Fluffo, 3, 5));
    at(920);
    EXPECT_TRUE(r.lit(Figure::Fluffo, 3, 5));
    at(1670);
    EXPECT_FALSE(r.lit(Figure::Fluffo, 3, 5));
    EXPECT_EQ(r.st.Gam_Lives, 2);
    at(2670);
    EXPECT_EQ(r.st.Gam_Lives, 1);
    EXPECT_FALSE(r.on(TimerId::Timer_Miss));
    at(2671);
    EXPECT_EQ(r.sounds(), (V{"Stgstart"}));
    at(3371);
    // Board, score and stage stay; Fluffo and the wolves start over, gates open.
    EXPECT_EQ(r.st.Gam_Score, 120);
    EXPECT_EQ(r.st.cell(1, 1).Egg_State, Egg::None);
    EXPECT_EQ(r.st.Gam_Wolves[0].State, Wolf_Den_First);
    EXPECT_EQ(r.st.Gam_Fluffo_Col, 3);
    EXPECT_EQ(r.st.Gam_Fluffo_Row, 5);
    EXPECT_TRUE(r.on(TimerId::Timer_Game));
}

// Catches Fluffo at once: a roaming wolf stands left of Fluffo's start cell.
void lose_a_life(Rig& r) {
    r.st.Gam_Wolves[0] = {2, 5, Dir::Right, Wolf_Active};
    r.st.Gam_Phase = 2;
    r.wait(r.scheduler.interval(TimerId::Timer_Game));
    ASSERT_TRUE(r.on(TimerId::Timer_Miss));
    r.wait(2670);
}

TEST(Sequences, ThirdMissEndsTheGameAndAHigherScoreIsStored) {
    Rig r;
    r.start_game(Mode::Game_B_Intro);
    r.st.Gam_Score = 700;
    r.st.Gam_HiScore_A = 5000;
    lose_a_life(r);
    r.wait(701);
    lose_a_life(r);
    r.wait(701);
    EXPECT_EQ(r.st.Gam_Lives, 0);
    lose_a_life(r);
    EXPECT_EQ(r.st.Gam_Lives, -1);
    EXPECT_TRUE(r.on(TimerId::Timer_Game_Over));
    r.sounds();
    r.wait(1);
    EXPECT_EQ(r.sounds(), (V{"Gameover"}));
    EXPECT_EQ(r.st.Gam_Mode, Mode::Game_B);
    r.wait(3400);
    EXPECT_EQ(r.st.Gam_Mode, Mode::Game_Over);
    EXPECT_TRUE(r.lit(Mark::Panel_Game_Over));
    EXPECT_EQ(r.st.Gam_HiScore_B, 700);
    EXPECT_EQ(r.store.values().at("HiScore2").text, "700");
    EXPECT_FALSE(r.store.values().count("HiScore1"));  // never the other variant's
    EXPECT_EQ(r.digits(), "    0");  // the panel keeps what the ended game last showed
    r.wait(29999);
    EXPECT_EQ(r.st.Gam_Mode, Mode::Game_Over);
    r.wait(1);
    EXPECT_EQ(r.st.Gam_Mode, Mode::Time);
    EXPECT_FALSE(r.on(TimerId::Timer_Game_Over));
    EXPECT_TRUE(r.on(TimerId::Timer_Clock));
}

TEST(Sequences, EqualScoreWritesNothingAndARefusedWriteKeepsTheRaisedHighScore) {
    Rig r;
    r.start_game(Mode::Game_A_Intro);
    r.st.Gam_HiScore_A = 300;
    r.st.Gam_Score = 300;
    r.st.Gam_Lives = 0;
    lose_a_life(r);
    r.wait(3401);
    EXPECT_EQ(r.st.Gam_Mode, Mode::Game_Over);
    EXPECT_TRUE(r.store.values().empty());

    r.hh.Inp_game_a_down();
    r.hh.Inp_game_a_up();
    r.wait(2900 + 701);
    r.st.Gam_Score = 450;
    r.st.Gam_Lives = 0;
    r.store.set_refuse_writes(true);
    lose_a_life(r);
    EXPECT_THROW(r.wait(3401), StoreError);
    EXPECT_EQ(r.st.Gam_HiScore_A, 450);
}

TEST(Sequences, StageCompleteLaysOutANewBoardOneStageHigher) {
    Rig r;
    r.start_game(Mode::Game_A_Intro);
    for (int c = 1; c <= 5; ++c) {
        for (int row = 1; row <= 7; ++row)
            r.st.cell(c, row).Egg_State = Egg::None;
    }
    r.st.cell(3, 6).Egg_State = Egg::Unvisited;
    r.st.Gam_Power_Count = 3;
    r.scheduler.arm(TimerId::Timer_Power_Pill, 1000);
    r.hh.Inp_down_down();
    r.sounds();
    r.wait(370);
    EXPECT_EQ(r.sounds(), (V{}));  // the last egg scores silently during power mode
    EXPECT_EQ(r.st.Gam_Score, 10);
    EXPECT_TRUE(r.on(TimerId::Timer_Stage_Complete));
    EXPECT_FALSE(r.on(TimerId::Timer_Power_Pill));  // power sounds stop at once
    r.wait(100);
    EXPECT_EQ(r.sounds(), (V{"Complete"}));
    r.wait(2450);
    EXPECT_EQ(r.st.Gam_Stage, 2);
    EXPECT_EQ(r.st.Gam_Wolf_Count, 2);
    EXPECT_EQ(r.count_lit(Figure::Egg), 2);
    EXPECT_EQ(r.count_lit(Figure::Fluffo), 0);
    EXPECT_EQ(r.st.cell(1, 1).Egg_State, Egg::Unvisited);
    r.wait(1);
    EXPECT_EQ(r.sounds(), (V{"Stgstart"}));
}

TEST(Sequences, PowerModeAlternatesItsSoundsAndEnds) {
    Rig r;
    r.start_game(Mode::Game_B_Intro);
    r.st.Gam_Power_Length = 3;
    r.st.Gam_Wolves[0] = {1, 1, Dir::Right, Wolf_Vulnerable};
    r.st.Gam_Power_Count = 1;
    r.scheduler.arm(TimerId::Timer_Power_Pill, 1);
    r.sounds();
    r.wait(1);
    EXPECT_EQ(r.scheduler.interval(TimerId::Timer_Power_Pill), 250);
    r.scheduler.set_enabled(TimerId::Timer_Game, false);  // keep the wolf where it is
    r.wait(500);
    EXPECT_EQ(r.sounds(), (V{"Power1", "Power2", "Power1"}));
    EXPECT_EQ(r.st.Gam_Wolves[0].State, Wolf_Active);
    EXPECT_EQ(r.st.Gam_Power_Count, 0);
    EXPECT_FALSE(r.on(TimerId::Timer_Power_Pill));
}

}  // namespace
}  // namespace fluffo::testing
