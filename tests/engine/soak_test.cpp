// Long random play: a million game ticks driven by random presses, checking after every timer
// event that wolves stay on the visible board, Fluffo stands only where the tables let it,
// the score never falls within a game, only one sequence runs at a time, and every game
// finds its way back to the clock.
#include <gtest/gtest.h>

#include <set>

#include "support/engine_rig.h"

namespace fluffo::testing {
namespace {

struct Watch : TimerSink {
    Rig& r;
    int64_t ticks = 0;
    int32_t last_score = 0;
    explicit Watch(Rig& rig) : r(rig) {}

    void on_timer(TimerId id) override {
        const Mode mode_before = r.st.Gam_Mode;
        r.hh.on_timer(id);
        if (id == TimerId::Timer_Game) ++ticks;
        check(mode_before);
    }

    void check(Mode mode_before) {
        const GameState& s = r.st;
        for (int i = 0; i < s.Gam_Wolf_Count; ++i) {
            const Gam_Wolf& w = s.Gam_Wolves[i];
            if (w.State == Wolf_Active || w.State == Wolf_Vulnerable) {
                ASSERT_TRUE(is_visible_cell(w.Col, w.Row)) << w.Col << "," << w.Row;
                ASSERT_FALSE(is_den(w.Col, w.Row));
            } else {
                ASSERT_GE(w.State, Wolf_Den_First);
                ASSERT_LT(w.State, Wolf_Active);
            }
        }
        if (s.Gam_Mode == Mode::Game_A || s.Gam_Mode == Mode::Game_B) {
            static const std::set<std::pair<int, int>> kHidden = {{0, 4}, {6, 4}, {3, 0}, {3, 8},
                                                                  {0, 0}, {2, 8}, {4, 8}};
            const int c = s.Gam_Fluffo_Col, row = s.Gam_Fluffo_Row;
            const bool on_board = is_visible_cell(c, row) && !is_den(c, row);
            ASSERT_TRUE(on_board || kHidden.count({c, row})) << c << "," << row;
            const bool new_game = mode_before != s.Gam_Mode;
            if (!new_game) {
                ASSERT_GE(s.Gam_Score, last_score);
            }
            last_score = s.Gam_Score;
            ASSERT_GE(s.Gam_Lives, -1);
        }
        int sequences = 0;
        for (TimerId t :
             {TimerId::Timer_Game_Start, TimerId::Timer_Stage_Start, TimerId::Timer_Stage_Complete,
              TimerId::Timer_Miss, TimerId::Timer_Game_Over}) {
            sequences += r.on(t);
        }
        ASSERT_LE(sequences, 1);
        if (sequences == 1) {
            ASSERT_FALSE(r.on(TimerId::Timer_Game));
        }
    }
};

TEST(Soak, AMillionTicksOfRandomPlayKeepEveryRule) {
    Rig r;
    Watch watch(r);
    r.scheduler.set_sink(&watch);
    SeededRandom dice(2017);
    r.set_mode(Mode::All_On);
    r.hh.Inp_time_down();
    r.hh.Inp_time_up();

    int games = 0;
    int64_t game_over_since = -1;
    constexpr int64_t kTicks = 1'000'000;
    while (watch.ticks < kTicks && !::testing::Test::HasFatalFailure()) {
        const Mode mode = r.st.Gam_Mode;
        if (mode == Mode::Time) {
            if (game_over_since >= 0) ++games;
            game_over_since = -1;
            if (dice.next_below(2) == 0) {
                r.hh.Inp_game_a_down();
                r.hh.Inp_game_a_up();
            } else {
                r.hh.Inp_game_b_down();
                r.hh.Inp_game_b_up();
            }
            ASSERT_TRUE(r.st.Gam_Mode == Mode::Game_A_Intro || r.st.Gam_Mode == Mode::Game_B_Intro);
            watch.last_score = 0;
        } else if (mode == Mode::Game_Over) {
            if (game_over_since < 0) game_over_since = r.scheduler.now();
            // Left alone, the game-over mark gives way to the clock after 30 s.
            ASSERT_LE(r.scheduler.now() - game_over_since, 30000);
        } else {
            switch (dice.next_below(8)) {
                case 0:
                    r.hh.Inp_up_down();
                    r.hh.Inp_up_up();
                    break;
                case 1:
                    r.hh.Inp_left_down();
                    r.hh.Inp_left_up();
                    break;
                case 2:
                    r.hh.Inp_right_down();
                    r.hh.Inp_right_up();
                    break;
                case 3:
                    r.hh.Inp_down_down();
                    r.hh.Inp_down_up();
                    break;
                case 4:  // the buttons are dead during a game
                    r.hh.Inp_time_down();
                    r.hh.Inp_game_a_down();
                    r.hh.Inp_game_b_down();
                    ASSERT_EQ(r.st.Gam_Mode, mode);
                    r.hh.Inp_time_up();
                    r.hh.Inp_game_a_up();
                    r.hh.Inp_game_b_up();
                    break;
                default:
                    break;
            }
        }
        r.wait(50 + dice.next_below(700));
    }
    EXPECT_GE(watch.ticks, kTicks);
    EXPECT_GT(games, 10);
    // Whatever state the last game is in, without input it ends and the clock returns.
    for (int i = 0; i < 24 * 60 && r.st.Gam_Mode != Mode::Time; ++i)
        r.wait(60000);
    EXPECT_EQ(r.st.Gam_Mode, Mode::Time);
}

}  // namespace
}  // namespace fluffo::testing
