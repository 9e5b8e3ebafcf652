#include "engine/handheld.h"

#include <array>

#include "base/settings_values.h"
#include "engine/board.h"
#include "engine/sequence_delays.h"

namespace fluffo {

namespace {

// The lives a game shows in its intro, and those left once it starts (the one in play not
// counted); one more comes at the extra-life score.
constexpr int32_t Lives_At_Intro = 3;
constexpr int32_t Lives_At_Start = 2;
constexpr int32_t Extra_Life_Score = 2000;

}  // namespace

Handheld::Handheld(LcdObserver& screen, Scheduler& scheduler, HandheldPorts ports)
    : m_lcd(screen), m_scheduler(scheduler), m_ports(ports) {
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
    state.Gam_HiScore_B = 0;
    if (m_observer) m_observer->high_scores_reset();
    DeferredErrors refused;
    refused.attempt([&] { write_integer(m_ports.store, Value_HiScore1, state.Gam_HiScore_A); });
    refused.attempt([&] { write_integer(m_ports.store, Value_HiScore2, state.Gam_HiScore_B); });
    refused.rethrow_first();
}

void Handheld::raise_high_score() {
    const bool game_a = state.Gam_Mode == Mode::Game_A;
    if (!game_a && state.Gam_Mode != Mode::Game_B) return;
    int32_t& high_score = game_a ? state.Gam_HiScore_A : state.Gam_HiScore_B;
    if (state.Gam_Score <= high_score) return;
    high_score = state.Gam_Score;
    write_integer(m_ports.store, game_a ? Value_HiScore1 : Value_HiScore2, high_score);
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
    switch (state.Gam_Mode) {
        case Mode::All_On:
            m_lcd.Vid_Show_All(true);
            break;
        case Mode::Time:
            enter_time();
            break;
        case Mode::Alarm:
            enter_alarm();
            break;
        case Mode::Game_A_Intro:
        case Mode::Game_B_Intro:
            enter_intro(state.Gam_Mode == Mode::Game_A_Intro);
            break;
        case Mode::Game_A:
        case Mode::Game_B:
            enter_game();
            break;
        case Mode::Game_Over:
            // The ended game's score stays and the game-over timer keeps running.
            m_lcd.show(Mark::Panel_Game_Over, true);
            break;
        default:
            break;
    }
}

void Handheld::enter_time() {
    Gam_Stop_All_Timers();
    m_lcd.Vid_Show_All(false);
    m_lcd.show(Mark::Panel_Time_Colon, true);
    arm(TimerId::Timer_Clock, At_Once_ms);
}

void Handheld::enter_alarm() {
    Gam_Stop_All_Timers();
    m_lcd.Vid_Show_All(false);
    // The alarm shows a fixed 12:00.
    m_lcd.set_digit(1, 1);
    m_lcd.set_digit(2, 2);
    m_lcd.set_digit(3, 0);
    m_lcd.set_digit(4, 0);
    m_lcd.set_digit(5, No_Digit);
    m_lcd.show(Mark::Panel_Time_Colon, true);
    m_lcd.show(Mark::Panel_Bell, true);
    arm(TimerId::Timer_Alarm, Alarm_Blink_ms);
}

void Handheld::enter_intro(bool game_a) {
    Gam_Stop_All_Timers();
    m_lcd.Vid_Show_All(false);
    m_lcd.show(game_a ? Mark::Panel_Game_A : Mark::Panel_Game_B, true);
    m_lcd.Vid_Show_Panel_Score(game_a ? state.Gam_HiScore_A : state.Gam_HiScore_B, true);
    state.Gam_Lives = Lives_At_Intro;
    m_lcd.Vid_Show_Panel_Lives(state.Gam_Lives);
    show_power_eggs();
    m_ports.sound.Snd_Play(Sample::Start);
    state.Gam_Step = 1;
    arm(TimerId::Timer_Game_Start, Intro_Tune_ms);
}

void Handheld::enter_game() {
    // The intro's game mark, power eggs and life marks stay; nothing is switched off.
    state.Gam_Score = 0;
    m_lcd.Vid_Show_Panel_Score(state.Gam_Score, true);
    state.Gam_Extra_Life_At = Extra_Life_Score;
    state.Gam_Lives = Lives_At_Start;
    Gam_Reset_Eggs(state);
    state.Gam_Stage = 1;
    Gam_Set_Difficulty();
    state.Gam_Step = 1;
    arm(TimerId::Timer_Stage_Start, At_Once_ms);
}

void Handheld::show_power_eggs() {
    for (const Cell& egg : Power_Egg_Cells)
        m_lcd.show(Figure::Egg, egg.col, egg.row, true);
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

// Which gates each pattern shuts, in the order of Gates (top, left, right, bottom).
using GatePattern = std::array<bool, Gates.size()>;
constexpr std::array<GatePattern, Gate_Patterns> kGatePatterns = {{
    {false, false, false, false},
    {true, false, false, true},
    {false, true, true, false},
    {true, false, true, true},
    {false, true, false, false},
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
        m_scheduler.set_interval(TimerId::Timer_Game, game_a ? Game_A_Tick_ms : Game_B_Tick_ms);
        state.Gam_Power_Length = power_length(state.Gam_Stage, game_a);
    }
    state.Gam_Wolf_Count = state.Gam_Stage == 1 ? 1 : 2;
}

void Handheld::Gam_Set_Gate() {
    if (state.Gam_Gate < 1 || state.Gam_Gate > Gate_Patterns) return;
    const GatePattern& shut = kGatePatterns[static_cast<size_t>(state.Gam_Gate - 1)];
    // A shut gate takes the way into its tunnel out of its cell's Fluffo_Dirs.
    for (size_t i = 0; i < Gates.size(); ++i) {
        const Gate& gate = Gates[i];
        const DirSet open = open_fluffo_dirs(gate.cell);
        state.cell(gate.cell.col, gate.cell.row).Fluffo_Dirs =
            shut[i] ? static_cast<DirSet>(open & ~bit(gate.shuts)) : open;
    }
    for (size_t i = 0; i < Gates.size(); ++i)
        m_lcd.show(Figure::Gate, Gates[i].cell.col, Gates[i].cell.row, shut[i]);
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
