// The seven controls, each with a press and a release. The buttons switch modes once per
// press (their held latches swallow a held key's repeats); the directions only choose where
// Fluffo walks next, and only where its cell opens that way.
#include "engine/handheld.h"

namespace fluffo {

void Handheld::Inp_time_down() {
    told(Control::Time, true);
    m_lcd.show(Mark::Time_Pressed, true);
    if (state.Inp_Time_Held) return;
    state.Inp_Time_Held = true;
    const Mode mode = state.Gam_Mode;
    if (mode == Mode::All_On || mode == Mode::Time || mode == Mode::Alarm ||
        mode == Mode::Game_Over) {
        // TIME goes round the clock and the alarm; from anything else it lands on the clock.
        set_mode(mode == Mode::Time ? Mode::Alarm : Mode::Time);
    }
}

void Handheld::Inp_time_up() {
    told(Control::Time, false);
    m_lcd.show(Mark::Time_Pressed, false);
    state.Inp_Time_Held = false;
}

void Handheld::game_button_down(Mark pressed, bool& held, Mode intro_mode) {
    m_lcd.show(pressed, true);
    if (held) return;
    held = true;
    if (state.Gam_Mode == Mode::Time || state.Gam_Mode == Mode::Game_Over) {
        set_mode(intro_mode);
    }
}

void Handheld::Inp_game_a_down() {
    told(Control::Game_A, true);
    game_button_down(Mark::Game_A_Pressed, state.Inp_Game_A_Held, Mode::Game_A_Intro);
}

void Handheld::Inp_game_a_up() {
    told(Control::Game_A, false);
    m_lcd.show(Mark::Game_A_Pressed, false);
    state.Inp_Game_A_Held = false;
}

void Handheld::Inp_game_b_down() {
    told(Control::Game_B, true);
    game_button_down(Mark::Game_B_Pressed, state.Inp_Game_B_Held, Mode::Game_B_Intro);
}

void Handheld::Inp_game_b_up() {
    told(Control::Game_B, false);
    m_lcd.show(Mark::Game_B_Pressed, false);
    state.Inp_Game_B_Held = false;
}

void Handheld::direction_down(Dir dir) {
    if (state.Gam_Mode == Mode::All_On) set_mode(Mode::Time);
    if ((state.Gam_Mode == Mode::Game_A || state.Gam_Mode == Mode::Game_B) &&
        m_scheduler.enabled(TimerId::Timer_Game) &&
        has(state.cell(state.Gam_Fluffo_Col, state.Gam_Fluffo_Row).Fluffo_Dirs, dir)) {
        state.Gam_Fluffo_Dir = dir;
    }
}

// Releasing a direction also frees the TIME latch: a held TIME key then switches again.
void Handheld::release_direction() {
    state.Inp_Time_Held = false;
}

void Handheld::Inp_up_down() {
    told(Control::Up, true);
    direction_down(Dir::Up);
}
void Handheld::Inp_left_down() {
    told(Control::Left, true);
    direction_down(Dir::Left);
}
void Handheld::Inp_right_down() {
    told(Control::Right, true);
    direction_down(Dir::Right);
}
void Handheld::Inp_down_down() {
    told(Control::Down, true);
    direction_down(Dir::Down);
}
void Handheld::Inp_up_up() {
    told(Control::Up, false);
    release_direction();
}
void Handheld::Inp_left_up() {
    told(Control::Left, false);
    release_direction();
}
void Handheld::Inp_right_up() {
    told(Control::Right, false);
    release_direction();
}
void Handheld::Inp_down_up() {
    told(Control::Down, false);
    release_direction();
}

}  // namespace fluffo
