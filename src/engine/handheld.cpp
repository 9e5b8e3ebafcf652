#include "engine/handheld.h"

#include <array>
#include <string_view>

#include "base/settings_values.h"
#include "engine/board.h"

namespace fluffo {

Handheld::Handheld(MainScreen& screen, Scheduler& scheduler, HandheldPorts ports)
    : m_screen(screen), m_scheduler(scheduler), m_ports(ports) {
    m_scheduler.set_sink(this);
}

void Handheld::create() {
    fill_move_tables(state);
    // A missing high score keeps the one in memory, which is 0 at this point. One that cannot
    // be read is reported after the rest of creation is done, and keeps it too.
    DeferredErrors unreadable;
    unreadable.attempt([&] {
        state.Gam_HiScore_A = read_integer(m_ports.store, Value_HiScore1, state.Gam_HiScore_A);
    });
    unreadable.attempt([&] {
        state.Gam_HiScore_B = read_integer(m_ports.store, Value_HiScore2, state.Gam_HiScore_B);
    });
    state.Inp_Time_Held = false;
    state.Inp_Game_A_Held = false;
    state.Inp_Game_B_Held = false;
    unreadable.rethrow_first();
}

void Handheld::reset_high_scores() {
    // The panel is not redrawn: a high score on display stays until the display next changes.
    state.Gam_HiScore_A = 0;
    m_hiscore_unsaved_a = true;
    state.Gam_HiScore_B = 0;
    m_hiscore_unsaved_b = true;
    if (m_observer) m_observer->high_scores_reset();
    store_unsaved_high_scores();
}

void Handheld::store_unsaved_high_scores() {
    DeferredErrors refused;
    const auto store = [&](bool& unsaved, std::string_view name, int32_t value) {
        if (!unsaved) return;
        refused.attempt([&] {
            write_integer(m_ports.store, name, value);
            unsaved = false;
        });
    };
    store(m_hiscore_unsaved_a, Value_HiScore1, state.Gam_HiScore_A);
    store(m_hiscore_unsaved_b, Value_HiScore2, state.Gam_HiScore_B);
    refused.rethrow_first();
}

void Handheld::Vid_Show_Fluffo(bool on) {
    m_screen.Vid_Show_Fluffo(on, state.Gam_Fluffo_Col, state.Gam_Fluffo_Row);
}

void Handheld::Gam_Stop_All_Timers() {
    for (TimerId id :
         {TimerId::Timer_Alarm, TimerId::Timer_Clock, TimerId::Timer_Game, TimerId::Timer_Game_Over,
          TimerId::Timer_Game_Start, TimerId::Timer_Miss, TimerId::Timer_Power_Pill,
          TimerId::Timer_Stage_Complete, TimerId::Timer_Stage_Start}) {
        disable(id);
    }
}

void Handheld::set_mode(Mode mode) {
    state.Gam_Mode = mode;
    Gam_Set_Mode();
    if (m_observer) m_observer->mode_entered(mode);
}

void Handheld::Gam_Set_Mode() {
    const MainScreen::Named& n = m_screen.named();
    switch (state.Gam_Mode) {
        case Mode::All_On:
            m_screen.Vid_Show_All(true);
            break;
        case Mode::Time:
            Gam_Stop_All_Timers();
            m_screen.Vid_Show_All(false);
            m_screen.show(n.im_panel_time_colon, true);
            arm(TimerId::Timer_Clock, 1);
            break;
        case Mode::Alarm:
            Gam_Stop_All_Timers();
            m_screen.Vid_Show_All(false);
            m_screen.set_digit(1, 1);
            m_screen.set_digit(2, 2);
            m_screen.set_digit(3, 0);
            m_screen.set_digit(4, 0);
            m_screen.set_digit(5, -1);
            m_screen.show(n.im_panel_time_colon, true);
            m_screen.show(n.im_panel_bell, true);
            arm(TimerId::Timer_Alarm, 500);
            break;
        case Mode::Game_A_Intro:
        case Mode::Game_B_Intro: {
            Gam_Stop_All_Timers();
            m_screen.Vid_Show_All(false);
            const bool game_a = state.Gam_Mode == Mode::Game_A_Intro;
            m_screen.show(game_a ? n.im_panel_game_a : n.im_panel_game_b, true);
            m_screen.Vid_Show_Panel_Score(game_a ? state.Gam_HiScore_A : state.Gam_HiScore_B, true);
            state.Gam_Lives = 3;
            m_screen.Vid_Show_Panel_Lives(state.Gam_Lives);
            m_screen.show(n.im_egg_2_6_w, true);
            m_screen.show(n.im_egg_4_2_w, true);
            m_ports.sound.Snd_Play(Sample::Start);
            state.Gam_Step = 1;
            arm(TimerId::Timer_Game_Start, 2900);
            break;
        }
        case Mode::Game_A:
        case Mode::Game_B:
            // The intro's game mark, power eggs and life marks stay; nothing is switched off.
            state.Gam_Score = 0;
            m_screen.Vid_Show_Panel_Score(state.Gam_Score, true);
            state.Gam_Extra_Life_At = 2000;
            state.Gam_Lives = 2;
            Gam_Reset_Eggs(state);
            state.Gam_Stage = 1;
            Gam_Set_Difficulty();
            state.Gam_Step = 1;
            arm(TimerId::Timer_Stage_Start, 1);
            break;
        case Mode::Game_Over:
            // The ended game's score stays and the game-over timer keeps running.
            m_screen.show(n.im_panel_game_over, true);
            break;
        default:
            break;
    }
}

namespace {

struct PowerRow {
    int32_t last_stage;
    int32_t game_a;
    int32_t game_b;
};

// Power mode shortens as the stages rise; the last row holds from stage 15 on.
constexpr std::array<PowerRow, 9> kPowerLength = {{
    {2, 43, 29},
    {4, 41, 27},
    {6, 37, 23},
    {8, 33, 21},
    {9, 31, 19},
    {10, 31, 17},
    {13, 28, 17},
    {14, 25, 17},
    {INT32_MAX, 22, 17},
}};

int32_t power_length(int32_t stage, bool game_a) {
    for (const PowerRow& row : kPowerLength) {
        if (stage <= row.last_stage) return game_a ? row.game_a : row.game_b;
    }
    return game_a ? kPowerLength.back().game_a : kPowerLength.back().game_b;
}

}  // namespace

void Handheld::Gam_Set_Difficulty() {
    if (state.Gam_Mode == Mode::Game_A || state.Gam_Mode == Mode::Game_B) {
        const bool game_a = state.Gam_Mode == Mode::Game_A;
        m_scheduler.set_interval(TimerId::Timer_Game, game_a ? 370 : 240);
        state.Gam_Power_Length = power_length(state.Gam_Stage, game_a);
    }
    state.Gam_Wolf_Count = state.Gam_Stage == 1 ? 1 : 2;
}

void Handheld::Gam_Set_Gate() {
    struct Pattern {
        DirSet top, left, right, bottom;
    };
    // A shut gate takes the way into its tunnel out of its cell's Fluffo_Dirs.
    static constexpr std::array<Pattern, 5> kPatterns = {{
        {15, 11, 13, 14},
        {14, 11, 13, 6},
        {15, 9, 9, 14},
        {14, 11, 9, 6},
        {15, 9, 13, 14},
    }};
    if (state.Gam_Gate < 1 || state.Gam_Gate > 5) return;
    const Pattern& p = kPatterns[static_cast<size_t>(state.Gam_Gate - 1)];
    state.cell(3, 1).Fluffo_Dirs = p.top;
    state.cell(1, 4).Fluffo_Dirs = p.left;
    state.cell(5, 4).Fluffo_Dirs = p.right;
    state.cell(3, 7).Fluffo_Dirs = p.bottom;
    m_screen.show(MainScreen::cell(m_screen.Vid_Gate_Images, 3, 1), !has(p.top, Dir::Up));
    m_screen.show(MainScreen::cell(m_screen.Vid_Gate_Images, 1, 4), !has(p.left, Dir::Left));
    m_screen.show(MainScreen::cell(m_screen.Vid_Gate_Images, 5, 4), !has(p.right, Dir::Right));
    m_screen.show(MainScreen::cell(m_screen.Vid_Gate_Images, 3, 7), !has(p.bottom, Dir::Down));
}

void Handheld::on_timer(TimerId id) {
    switch (id) {
        case TimerId::Timer_Clock:
            Timer_ClockTimer();
            break;
        case TimerId::Timer_Alarm:
            Timer_AlarmTimer();
            break;
        case TimerId::Timer_Game_Start:
            Timer_Game_StartTimer();
            break;
        case TimerId::Timer_Stage_Start:
            Timer_Stage_StartTimer();
            break;
        case TimerId::Timer_Game:
            Timer_GameTimer();
            break;
        case TimerId::Timer_Power_Pill:
            Timer_Power_PillTimer();
            break;
        case TimerId::Timer_Stage_Complete:
            Timer_Stage_CompleteTimer();
            break;
        case TimerId::Timer_Miss:
            Timer_MissTimer();
            break;
        case TimerId::Timer_Game_Over:
            Timer_Game_OverTimer();
            break;
    }
}

}  // namespace fluffo
