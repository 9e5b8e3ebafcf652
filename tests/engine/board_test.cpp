// The board's move tables and passages: what Fluffo and the wolves can reach, and that every
// way out of a cell has a way back.
#include <gtest/gtest.h>

#include <queue>
#include <set>

#include "engine/board.h"

namespace fluffo {
namespace {

std::set<std::pair<int, int>> reach(const GameState& s, Cell start, bool wolf) {
    std::set<std::pair<int, int>> seen{{start.col, start.row}};
    std::queue<Cell> todo;
    todo.push(start);
    while (!todo.empty()) {
        const Cell c = todo.front();
        todo.pop();
        const Gam_Cell& cell = s.cell(c.col, c.row);
        for (Dir d : All_Dirs) {
            if (!has(wolf ? cell.Wolf_Dirs : cell.Fluffo_Dirs, d)) continue;
            const Cell to = wolf ? plain_step(c, d) : fluffo_step(c, d);
            if (seen.insert({to.col, to.row}).second) todo.push(to);
        }
    }
    return seen;
}

TEST(Board, ResetEggsLeavesThirtyTwoEggsAndTwoPowerEggs) {
    GameState s;
    fill_move_tables(s);
    s.cell(0, 0).Egg_State = Egg::Unvisited;  // stale value on a hidden cell must be cleared
    Gam_Reset_Eggs(s);
    int unvisited = 0, power = 0;
    for (int c = 0; c < Board_Cols; ++c) {
        for (int r = 0; r < Board_Rows; ++r) {
            const Egg e = s.cell(c, r).Egg_State;
            if (!is_visible_cell(c, r) || is_den(c, r)) {
                EXPECT_EQ(e, Egg::None) << c << "," << r;
            }
            unvisited += e == Egg::Unvisited;
            power += e == Egg::Power;
        }
    }
    EXPECT_EQ(unvisited, 32);
    EXPECT_EQ(power, 2);
    EXPECT_EQ(s.cell(2, 6).Egg_State, Egg::Power);
    EXPECT_EQ(s.cell(4, 2).Egg_State, Egg::Power);
    EXPECT_EQ(s.cell(3, 1).Fluffo_Dirs, 15);  // move tables untouched
}

TEST(Board, FluffoReachesEveryCellButTheDenThroughBridgesAndTunnels) {
    GameState s;
    fill_move_tables(s);
    const auto seen = reach(s, {3, 5}, false);
    int visible = 0, hidden = 0;
    for (const auto& [c, r] : seen) {
        ASSERT_TRUE(is_board_cell(c, r));
        EXPECT_FALSE(is_den(c, r));
        (is_visible_cell(c, r) ? visible : hidden) += 1;
    }
    EXPECT_EQ(visible, 34);
    EXPECT_EQ(hidden, 7);
    for (auto hidden_cell : {std::pair{0, 4}, {6, 4}, {3, 0}, {3, 8}, {0, 0}, {2, 8}, {4, 8}}) {
        EXPECT_TRUE(seen.count(hidden_cell)) << hidden_cell.first << "," << hidden_cell.second;
    }
}

TEST(Board, WolvesStayOnTheVisibleBoardAndNeverMeetADeadEnd) {
    GameState s;
    fill_move_tables(s);
    const auto seen = reach(s, {3, 3}, true);
    EXPECT_EQ(seen.size(), 34u);
    for (const auto& [c, r] : seen) {
        EXPECT_TRUE(is_visible_cell(c, r));
        EXPECT_FALSE(is_den(c, r));
        EXPECT_GE(__builtin_popcount(s.cell(c, r).Wolf_Dirs), 2) << c << "," << r;
    }
}

TEST(Board, EveryOpeningLeadsToACellThatOpensTheWayBack) {
    GameState s;
    fill_move_tables(s);
    for (int c = 0; c < Board_Cols; ++c) {
        for (int r = 0; r < Board_Rows; ++r) {
            for (Dir d : All_Dirs) {
                if (has(s.cell(c, r).Fluffo_Dirs, d)) {
                    const Cell to = fluffo_step({c, r}, d);
                    ASSERT_TRUE(is_board_cell(to.col, to.row));
                    EXPECT_TRUE(has(s.cell(to.col, to.row).Fluffo_Dirs, opposite(d)))
                        << c << "," << r << " dir " << int{bit(d)};
                    EXPECT_EQ(fluffo_step(to, opposite(d)), (Cell{c, r}));
                }
                if (has(s.cell(c, r).Wolf_Dirs, d) && !is_den(c, r)) {
                    const Cell to = plain_step({c, r}, d);
                    EXPECT_TRUE(has(s.cell(to.col, to.row).Wolf_Dirs, opposite(d)))
                        << c << "," << r << " dir " << int{bit(d)};
                }
            }
        }
    }
}

TEST(Board, FluffoPassagesLeadThroughHiddenCells) {
    EXPECT_EQ(fluffo_step({3, 1}, Dir::Down), (Cell{0, 0}));
    EXPECT_EQ(fluffo_step({0, 0}, Dir::Down), (Cell{3, 3}));
    EXPECT_EQ(fluffo_step({3, 1}, Dir::Up), (Cell{3, 0}));
    EXPECT_EQ(fluffo_step({3, 0}, Dir::Up), (Cell{3, 8}));
    EXPECT_EQ(fluffo_step({3, 8}, Dir::Up), (Cell{3, 7}));
    EXPECT_EQ(fluffo_step({1, 4}, Dir::Left), (Cell{0, 4}));
    EXPECT_EQ(fluffo_step({0, 4}, Dir::Left), (Cell{6, 4}));
    EXPECT_EQ(fluffo_step({6, 4}, Dir::Left), (Cell{5, 4}));
    EXPECT_EQ(plain_step({3, 1}, Dir::Down), (Cell{3, 2}));
}

}  // namespace
}  // namespace fluffo
