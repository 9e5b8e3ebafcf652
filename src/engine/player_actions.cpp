// The seven controls, each with a press and a release. The buttons switch modes once per
// press (their held latches swallow a held key's repeats); the directions only choose where
// Fluffo walks next, and only where its cell opens that way.
#include "engine/handheld.h"

namespace fluffo {

void Handheld::Inp_time_down() {
    m_screen.show(m_screen.named().btn_time_down, true);
    if (state.Inp_Time_Held) return;
    state.Inp_Time_Held = true;
    const int32_t mode = state.Gam_Mode;
    if (mode == Mode_All_On || mode == Mode_Time || mode == Mode_Alarm || mode == Mode_Game_Over) {
        state.Gam_Mode += 1;
        if (state.Gam_Mode > Mode_Alarm) state.Gam_Mode = Mode_Time;
        Gam_Set_Mode();
    }
}

void Handheld::Inp_time_up() {
    m_screen.show(m_screen.named().btn_time_down, false);
    state.Inp_Time_Held = false;
}

void Handheld::game_button_down(HolderId pressed, bool& held, int32_t intro_mode) {
    m_screen.show(pressed, true);
    if (held) return;
    held = true;
    if (state.Gam_Mode == Mode_Time || state.Gam_Mode == Mode_Game_Over) {
        state.Gam_Mode = intro_mode;
        Gam_Set_Mode();
    }
}

void Handheld::Inp_game_a_down() {
    game_button_down(m_screen.named().btn_game_a_down, state.Inp_Game_A_Held, Mode_Game_A_Intro);
}

void Handheld::Inp_game_a_up() {
    m_screen.show(m_screen.named().btn_game_a_down, false);
    state.Inp_Game_A_Held = false;
}

void Handheld::Inp_game_b_down() {
    game_button_down(m_screen.named().btn_game_b_down, state.Inp_Game_B_Held, Mode_Game_B_Intro);
}

void Handheld::Inp_game_b_up() {
    m_screen.show(m_screen.named().btn_game_b_down, false);
    state.Inp_Game_B_Held = false;
}

void Handheld::direction_down(int32_t dir) {
    if (state.Gam_Mode == Mode_All_On) {
        state.Gam_Mode = Mode_Time;
        Gam_Set_Mode();
    }
    if ((state.Gam_Mode == Mode_Game_A || state.Gam_Mode == Mode_Game_B) &&
        m_scheduler.enabled(TimerId::Timer_Game) &&
        (state.cell(state.Gam_Fluffo_Col, state.Gam_Fluffo_Row).Fluffo_Dirs & dir) != 0) {
        state.Gam_Fluffo_Dir = dir;
    }
}

// Releasing a direction also frees the TIME latch: a held TIME key then switches again.
void Handheld::release_direction() {
    state.Inp_Time_Held = false;
}

void Handheld::Inp_up_down() {
    direction_down(Dir_Up);
}
void Handheld::Inp_left_down() {
    direction_down(Dir_Left);
}
void Handheld::Inp_right_down() {
    direction_down(Dir_Right);
}
void Handheld::Inp_down_down() {
    direction_down(Dir_Down);
}
void Handheld::Inp_up_up() {
    release_direction();
}
void Handheld::Inp_left_up() {
    release_direction();
}
void Handheld::Inp_right_up() {
    release_direction();
}
void Handheld::Inp_down_up() {
    release_direction();
}

}  // namespace fluffo
