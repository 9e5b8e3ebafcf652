// The timed sequences around the tick: the intro, stage start, stage complete, the miss
// animation, power mode and game over. Stepped ones keep their place in Gam_Step and set
// their own timer's interval to the delay before their next step.
#include "engine/board.h"
#include "engine/handheld.h"
#include "engine/sequence_delays.h"

namespace fluffo {

void Handheld::Timer_Game_StartTimer() {
    if (state.Gam_Mode == Mode::Game_A_Intro) {
        set_mode(Mode::Game_A);
    } else if (state.Gam_Mode == Mode::Game_B_Intro) {
        set_mode(Mode::Game_B);
    }
    disable(TimerId::Timer_Game_Start);
}

void Handheld::Timer_Stage_StartTimer() {
    switch (state.Gam_Step) {
        case 1:
            m_ports.sound.Snd_Play(Sample::Stgstart);
            m_lcd.Vid_Show_Panel_Lives(state.Gam_Lives);
            m_lcd.Vid_Show_All_Wolf(false);
            state.Gam_Step = 2;
            m_scheduler.set_interval(TimerId::Timer_Stage_Start, Stage_Start_Tune_ms);
            break;
        case 2:
            for (Gam_Wolf& w : wolves_in_play())
                w.State = Wolf_Den_First;
            state.Gam_Fluffo_Col = Fluffo_Start.col;
            state.Gam_Fluffo_Row = Fluffo_Start.row;
            state.Gam_Fluffo_Dir = Dir::None;
            Vid_Show_Fluffo(true);
            state.Gam_Gate = 1;
            Gam_Set_Gate();
            state.Gam_Phase = 1;
            state.Gam_Power_Count = 0;
            m_scheduler.set_enabled(TimerId::Timer_Game, true);
            disable(TimerId::Timer_Stage_Start);
            break;
        default:
            break;
    }
}

void Handheld::Timer_Stage_CompleteTimer() {
    switch (state.Gam_Step) {
        case 1:
            m_lcd.Vid_Show_All_Wolf(false);
            m_ports.sound.Snd_Play(Sample::Complete);
            state.Gam_Step = 2;
            m_scheduler.set_interval(TimerId::Timer_Stage_Complete, Stage_Complete_Tune_ms);
            break;
        case 2:
            Gam_Reset_Eggs(state);
            m_lcd.Vid_Show_All_Fluffo(false);
            m_lcd.Vid_Show_All_Egg(false);
            show_power_eggs();
            state.Gam_Stage += 1;
            Gam_Set_Difficulty();
            state.Gam_Step = 1;
            arm(TimerId::Timer_Stage_Start, At_Once_ms);
            disable(TimerId::Timer_Stage_Complete);
            break;
        default:
            break;
    }
}

void Handheld::Timer_MissTimer() {
    switch (state.Gam_Step) {
        case 1:
            m_scheduler.set_interval(TimerId::Timer_Miss, Miss_Pause_ms);
            break;
        case 2:
            m_ports.sound.Snd_Play(Sample::Miss);
            Vid_Show_Fluffo(false);
            m_scheduler.set_interval(TimerId::Timer_Miss, Miss_Blink_ms);
            break;
        case 3:
            Vid_Show_Fluffo(true);
            break;
        case 4:
            Vid_Show_Fluffo(false);
            break;
        case 5:
            Vid_Show_Fluffo(true);
            m_scheduler.set_interval(TimerId::Timer_Miss, Miss_Last_Shown_ms);
            break;
        case 6:
            Vid_Show_Fluffo(false);
            m_scheduler.set_interval(TimerId::Timer_Miss, Miss_Gone_ms);
            break;
        case 7:
            state.Gam_Lives -= 1;
            arm(state.Gam_Lives < 0 ? TimerId::Timer_Game_Over : TimerId::Timer_Stage_Start,
                At_Once_ms);
            state.Gam_Step = 0;
            disable(TimerId::Timer_Miss);
            break;
        default:
            break;
    }
    state.Gam_Step += 1;
}

void Handheld::Timer_Power_PillTimer() {
    m_scheduler.set_interval(TimerId::Timer_Power_Pill, Power_Beat_ms);
    m_ports.sound.Snd_Play(state.Gam_Power_Count % 2 != 0 ? Sample::Power1 : Sample::Power2);
    state.Gam_Power_Count += 1;
    if (state.Gam_Power_Count > state.Gam_Power_Length) {
        for (Gam_Wolf& w : wolves_in_play()) {
            if (w.State == Wolf_Vulnerable) w.State = Wolf_Active;
        }
        state.Gam_Power_Count = 0;
        disable(TimerId::Timer_Power_Pill);
    }
}

void Handheld::Timer_Game_OverTimer() {
    DeferredErrors refused;
    switch (state.Gam_Step) {
        case 1:
            m_ports.sound.Snd_Play(Sample::Gameover);
            m_scheduler.set_interval(TimerId::Timer_Game_Over, Game_Over_Tune_ms);
            break;
        case 2:
            // A refused write must not hold up the game-over mark: the step completes and the
            // error is raised after it. The raised score stays in memory.
            refused.attempt([&] { raise_high_score(); });
            set_mode(Mode::Game_Over);
            m_scheduler.set_interval(TimerId::Timer_Game_Over, Game_Over_Shown_ms);
            break;
        case 3:
            set_mode(Mode::Time);
            disable(TimerId::Timer_Game_Over);
            break;
        default:
            break;
    }
    state.Gam_Step += 1;
    refused.rethrow_first();
}

}  // namespace fluffo
