#include "engine/control.h"

#include "engine/handheld.h"

namespace fluffo {

namespace {

struct Entries {
    void (Handheld::*down)();
    void (Handheld::*up)();
};

constexpr PerControl<Entries> kEntries = {{{
    {&Handheld::Inp_game_a_down, &Handheld::Inp_game_a_up},
    {&Handheld::Inp_game_b_down, &Handheld::Inp_game_b_up},
    {&Handheld::Inp_time_down, &Handheld::Inp_time_up},
    {&Handheld::Inp_up_down, &Handheld::Inp_up_up},
    {&Handheld::Inp_left_down, &Handheld::Inp_left_up},
    {&Handheld::Inp_right_down, &Handheld::Inp_right_up},
    {&Handheld::Inp_down_down, &Handheld::Inp_down_up},
}}};

}  // namespace

void apply_control(Handheld& handheld, Control control, bool pressed) {
    const Entries& e = kEntries[control];
    (handheld.*(pressed ? e.down : e.up))();
}

}  // namespace fluffo
