// The game tick: Fluffo's steps, eggs and scores, catches both ways, eating, power eggs,
// the den, the gates, and the extra life.
#include <gtest/gtest.h>

#include <set>

#include "engine/board.h"
#include "support/engine_rig.h"

namespace fluffo::testing {
namespace {

using V = std::vector<std::string>;

struct Tick : ::testing::Test {
    Rig r;
    void SetUp() override {
        r.start_game(Mode::Game_A_Intro);
        r.sounds();
    }
    void tick() { r.wait(370); }
    void place(int c, int row, Dir dir = Dir::None) {
        r.st.Gam_Fluffo_Col = c;
        r.st.Gam_Fluffo_Row = row;
        r.st.Gam_Fluffo_Dir = dir;
    }
};

TEST_F(Tick, StandingFluffoOnlyAdvancesThePhaseWhileWolvesAndGatesGoOn) {
    for (int i = 0; i < 4; ++i)
        tick();
    EXPECT_EQ(r.st.Gam_Phase, 1);
    EXPECT_EQ(r.st.Gam_Score, 0);
    EXPECT_EQ(r.st.Gam_Wolves[0].State, 2);  // den steps on ticks 2 and 4
    EXPECT_TRUE(r.lit(Figure::Wolf, 3, 4));
    EXPECT_TRUE(r.sounds().empty());
}

TEST_F(Tick, FirstWolfLeavesTheDenAfterTheTwentiethTick) {
    for (int i = 0; i < 19; ++i)
        tick();
    EXPECT_EQ(r.st.Gam_Wolves[0].State, Wolf_Den_Last);
    tick();
    const Gam_Wolf& w = r.st.Gam_Wolves[0];
    EXPECT_EQ(w.State, Wolf_Active);
    EXPECT_EQ(w.Col, 3);
    EXPECT_EQ(w.Row, 3);
    EXPECT_TRUE(w.Dir == Dir::Left || w.Dir == Dir::Right);
    EXPECT_TRUE(r.lit(Figure::Wolf, 3, 3));
    EXPECT_FALSE(r.lit(Figure::Wolf, 3, 4));
}

TEST_F(Tick, WalkingLaysEggsScoresAndPlaysMove) {
    r.hh.Inp_left_down();
    EXPECT_EQ(r.st.Gam_Fluffo_Dir, Dir::Left);
    tick();
    EXPECT_EQ(r.st.Gam_Fluffo_Col, 2);
    EXPECT_TRUE(r.lit(Figure::Egg, 2, 5));
    EXPECT_TRUE(r.lit(Figure::Fluffo, 2, 5));
    EXPECT_FALSE(r.lit(Figure::Fluffo, 3, 5));
    EXPECT_EQ(r.digits(), "   10");
    EXPECT_EQ(r.sounds(), (V{"Move"}));
    tick();  // the wolves' phase
    tick();
    EXPECT_EQ(r.st.Gam_Fluffo_Col, 1);
    EXPECT_EQ(r.st.Gam_Score, 20);
    tick();
    tick();  // (1,5) has no way left: Fluffo stops, no sound, no redraw
    EXPECT_EQ(r.st.Gam_Fluffo_Dir, Dir::None);
    EXPECT_EQ(r.st.Gam_Score, 20);
}

TEST_F(Tick, AShutGateStopsFluffoButNeverTrapsItInTheTunnel) {
    place(1, 4, Dir::Left);
    r.st.Gam_Gate = 3;  // left and right gates shut
    r.hh.Gam_Set_Gate();
    tick();
    EXPECT_EQ(r.st.Gam_Fluffo_Dir, Dir::None);
    EXPECT_EQ(r.st.Gam_Fluffo_Col, 1);

    place(0, 4, Dir::Left);  // inside the side tunnel when the gates shut
    tick();
    tick();
    EXPECT_EQ(r.st.Gam_Fluffo_Col, 6);
    EXPECT_EQ(r.count_lit(Figure::Fluffo), 0);  // no figure on a hidden cell
    tick();
    tick();
    EXPECT_EQ(r.st.Gam_Fluffo_Col, 5);
    EXPECT_EQ(r.st.Gam_Fluffo_Row, 4);
    EXPECT_TRUE(r.lit(Figure::Fluffo, 5, 4));
}

TEST_F(Tick, WalkingRightIntoAWolfStaysBesideItOtherwiseOnItsCell) {
    r.st.Gam_Wolves[0] = {4, 5, Dir::Up, Wolf_Active};
    r.hh.Inp_right_down();
    tick();
    EXPECT_EQ(r.st.Gam_Fluffo_Col, 3);
    EXPECT_TRUE(r.on(TimerId::Timer_Miss));
    EXPECT_EQ(r.st.Gam_Phase, 1);

    Rig r2;
    r2.start_game(Mode::Game_A_Intro);
    r2.st.Gam_Wolves[0] = {2, 5, Dir::Up, Wolf_Active};
    r2.hh.Inp_left_down();
    r2.wait(370);
    EXPECT_EQ(r2.st.Gam_Fluffo_Col, 2);
    EXPECT_TRUE(r2.lit(Figure::Fluffo, 2, 5));

    Rig r3;  // out of the side tunnel onto a wolf at the left gate
    r3.start_game(Mode::Game_A_Intro);
    r3.st.Gam_Fluffo_Col = 0;
    r3.st.Gam_Fluffo_Row = 4;
    r3.st.Gam_Fluffo_Dir = Dir::Right;
    r3.st.Gam_Wolves[0] = {1, 4, Dir::Up, Wolf_Active};
    r3.wait(370);
    EXPECT_EQ(r3.st.Gam_Fluffo_Col, 1);
    EXPECT_TRUE(r3.on(TimerId::Timer_Miss));
}

// A roaming wolf picks at random among its cell's ways out, but never straight back unless
// the way on is shut (or it has no heading yet).
TEST_F(Tick, WolvesNeverTurnStraightBackUnlessTheWayOnIsShut) {
    struct Case {
        int col, row;
        Dir heading;
        std::set<Dir> taken;
    };
    const Case cases[] = {
        {3, 5, Dir::Left, {Dir::Left, Dir::Down}},  // ways out: left, right, down
        {3, 5, Dir::Right, {Dir::Right, Dir::Down}},
        {3, 5, Dir::Down, {Dir::Left, Dir::Right, Dir::Down}},
        {3, 5, Dir::Up, {Dir::Left, Dir::Right, Dir::Down}},  // shut: any way
        {1, 2, Dir::Up, {Dir::Up, Dir::Right}},               // ways out: up, right, down
        {1, 2, Dir::Down, {Dir::Right, Dir::Down}},
        {1, 1, Dir::Left, {Dir::Right, Dir::Down}},  // a corner turns back if it must
        {2, 1, Dir::Right, {Dir::Right}},            // ways out: left, right
        {2, 1, Dir::None, {Dir::Left, Dir::Right}},
    };
    place(0, 0);  // in the hidden top passage, out of every wolf's reach
    for (const Case& c : cases) {
        std::set<Dir> taken;
        for (int i = 0; i < 64; ++i) {
            Gam_Wolf& w = r.st.Gam_Wolves[0];
            w = {c.col, c.row, c.heading, Wolf_Active};
            r.st.Gam_Phase = 2;
            tick();
            ASSERT_EQ((Cell{w.Col, w.Row}), plain_step({c.col, c.row}, w.Dir));
            taken.insert(w.Dir);
        }
        EXPECT_EQ(taken, c.taken) << c.col << "," << c.row << " heading " << int{bit(c.heading)};
    }
}

// In the wolves' phase a roaming wolf catches Fluffo on a cell beside it that its own cell
// opens onto, and steps onto Fluffo's cell unless it is leftwards.
TEST(TickCatch, ARoamingWolfCatchesFluffoBesideItWhereItsCellOpens) {
    struct Case {
        Cell fluffo, wolf;
        bool caught;
        Cell wolf_after;  // when caught
    };
    const Case cases[] = {
        {{3, 5}, {2, 5}, true, {3, 5}},  // rightwards onto Fluffo
        {{3, 5}, {4, 5}, true, {4, 5}},  // leftwards: the wolf stays beside it
        {{3, 5}, {3, 6}, true, {3, 5}},  // upwards
        {{3, 6}, {3, 5}, true, {3, 6}},  // downwards
        {{3, 2}, {3, 3}, false, {}},     // a wall between them
        {{3, 5}, {2, 4}, false, {}},     // corner to corner
    };
    for (const Case& c : cases) {
        Rig r;
        r.start_game(Mode::Game_A_Intro);
        r.st.Gam_Fluffo_Col = c.fluffo.col;
        r.st.Gam_Fluffo_Row = c.fluffo.row;
        r.st.Gam_Wolves[0] = {c.wolf.col, c.wolf.row, Dir::None, Wolf_Active};
        r.st.Gam_Phase = 2;
        r.wait(370);
        const Gam_Wolf& w = r.st.Gam_Wolves[0];
        EXPECT_EQ(r.on(TimerId::Timer_Miss), c.caught) << c.wolf.col << "," << c.wolf.row;
        if (c.caught) {
            EXPECT_EQ((Cell{w.Col, w.Row}), c.wolf_after) << c.wolf.col << "," << c.wolf.row;
            EXPECT_EQ(r.st.Gam_Phase, 2);  // the catch ends the tick
        }
    }
}

TEST_F(Tick, FluffoAtTheDenDoorIsCaughtByTheWolfComingOut) {
    place(3, 3);
    r.st.Gam_Wolves[0].State = Wolf_Den_Last;
    r.st.Gam_Phase = 2;
    tick();
    EXPECT_TRUE(r.on(TimerId::Timer_Miss));
    EXPECT_EQ(r.st.Gam_Wolves[0].State, Wolf_Active);
    EXPECT_TRUE(r.lit(Figure::Wolf, 3, 3));
    EXPECT_FALSE(r.lit(Figure::Wolf, 3, 4));
}

TEST_F(Tick, PowerEggWithoutARoamingWolfScoresFiftyWithMoveAndNoPowerMode) {
    place(3, 2, Dir::Right);
    r.st.Gam_Wolf_Bonus = 400;
    tick();
    EXPECT_EQ(r.st.Gam_Score, 50);
    EXPECT_EQ(r.sounds(), (V{"Move"}));
    EXPECT_EQ(r.st.Gam_Power_Count, 0);
    EXPECT_EQ(r.st.Gam_Wolf_Bonus, 200);
    EXPECT_FALSE(r.lit(Figure::Egg, 4, 2));
    EXPECT_FALSE(r.on(TimerId::Timer_Power_Pill));
}

TEST_F(Tick, PowerEggMakesWolvesVulnerableAndTwoEatenInOneStepScoreSixHundred) {
    r.st.Gam_Wolf_Count = 2;
    r.st.Gam_Wolves[0] = {1, 1, Dir::Right, Wolf_Active};
    place(3, 2, Dir::Right);
    tick();
    EXPECT_EQ(r.st.Gam_Wolves[0].State, Wolf_Vulnerable);
    EXPECT_EQ(r.st.Gam_Power_Count, 1);
    EXPECT_TRUE(r.sounds().empty());  // power mode on: no Move
    r.wait(1);
    EXPECT_EQ(r.sounds(), (V{"Power1"}));

    // Both vulnerable wolves on the cell Fluffo enters next.
    r.st.Gam_Wolves[0] = {5, 2, Dir::Up, Wolf_Vulnerable};
    r.st.Gam_Wolves[1] = {5, 2, Dir::Up, Wolf_Vulnerable};
    r.st.Gam_Phase = 1;
    r.wait(369);
    EXPECT_EQ(r.st.Gam_Score, 50 + 600 + 10);
    EXPECT_EQ(r.sounds(), (V{"Power2", "Bonus"}));
    EXPECT_EQ(r.st.Gam_Power_Count, 0);
    EXPECT_FALSE(r.on(TimerId::Timer_Power_Pill));
    EXPECT_EQ(r.st.Gam_Wolves[1].State, Wolf_Den_First);
}

TEST_F(Tick, VulnerableWolvesMoveOnPhaseFourOnlyBlinkAndAreEatenThere) {
    r.st.Gam_Wolves[0] = {3, 6, Dir::Up, Wolf_Vulnerable};
    r.st.Gam_Power_Count = 5;
    r.st.Gam_Wolf_Bonus = 200;
    r.st.Gam_Phase = 2;
    tick();
    EXPECT_EQ(r.st.Gam_Wolves[0].Row, 6);  // no move on phase 2, and hidden
    EXPECT_FALSE(r.lit(Figure::Wolf, 3, 6));
    place(3, 6);  // now Fluffo stands where the wolf is
    r.st.Gam_Wolves[0].Dir = Dir::None;
    r.st.cell(3, 6).Wolf_Dirs = 0;  // pin it so it cannot walk away before the eat
    r.st.Gam_Phase = 4;
    tick();
    EXPECT_EQ(r.st.Gam_Score, 200);
    EXPECT_EQ(r.st.Gam_Wolves[0].State, Wolf_Den_First);
    EXPECT_EQ(r.st.Gam_Wolf_Bonus, 400);
    EXPECT_EQ(r.sounds(), (V{"Bonus"}));
}

TEST_F(Tick, ExtraLifeOnceAtTwoThousandWithBonus) {
    r.st.Gam_Score = 1995;
    r.hh.Inp_left_down();
    tick();
    EXPECT_EQ(r.st.Gam_Lives, 3);
    EXPECT_EQ(r.st.Gam_Extra_Life_At, 999999);
    EXPECT_EQ(r.lives_lit(), 3);
    EXPECT_EQ(r.sounds(), (V{"Bonus"}));
    tick();
    tick();
    EXPECT_EQ(r.st.Gam_Lives, 3);
    EXPECT_EQ(r.sounds(), (V{"Move"}));
}

TEST_F(Tick, GateChangesAfterEveryFourthTickOnly) {
    r.st.Gam_Gate = 7;  // a value no draw produces
    for (int i = 0; i < 3; ++i)
        tick();
    EXPECT_EQ(r.st.Gam_Gate, 7);
    tick();
    EXPECT_GE(r.st.Gam_Gate, 1);
    EXPECT_LE(r.st.Gam_Gate, 5);
}

TEST_F(Tick, DirectionsAreTakenOnlyWhereTheCellOpensThatWay) {
    r.hh.Inp_up_down();  // (3,5) has no way up
    EXPECT_EQ(r.st.Gam_Fluffo_Dir, Dir::None);
    r.hh.Inp_right_down();
    r.hh.Inp_up_down();  // dropped, not remembered
    EXPECT_EQ(r.st.Gam_Fluffo_Dir, Dir::Right);
    r.hh.Inp_right_up();
    EXPECT_EQ(r.st.Gam_Fluffo_Dir, Dir::Right);  // releasing does not stop Fluffo
}

}  // namespace
}  // namespace fluffo::testing
