#include "input/input_dispatch.h"

#include <array>

namespace fluffo {

namespace {

struct AreaName {
    std::string_view name;
    InputArea area;
};

constexpr std::array<AreaName, 12> kAreas = {{
    {"btn_game_a_top", {AreaKind::Button, Key_Game_A, true}},
    {"btn_game_b_top", {AreaKind::Button, Key_Game_B, true}},
    {"btn_time_top", {AreaKind::Button, Key_Time, true}},
    {"btn_ctrlr_overlay_up", {AreaKind::Button, Key_Up, true}},
    {"btn_ctrlr_overlay_left", {AreaKind::Button, Key_Left, true}},
    {"btn_ctrlr_overlay_right", {AreaKind::Button, Key_Right, true}},
    {"btn_ctrlr_overlay_down", {AreaKind::Button, Key_Down, true}},
    {"im_background", {AreaKind::Drag, 0, false}},
    {"im_background_screen_top", {AreaKind::Drag, 0, false}},
    {"btn_set_top", {AreaKind::Drag, 0, true}},
    {"btn_joystick_top", {AreaKind::Drag, 0, true}},
    {"btn_game_menu_top", {AreaKind::MenuButton, 0, false}},
}};

using Entry = void (Handheld::*)();
struct ActionEntries {
    Entry down;
    Entry up;
};
// [1..7] in binding order.
constexpr std::array<ActionEntries, Key_Binding_Count + 1> kActions = {{
    {nullptr, nullptr},
    {&Handheld::Inp_game_a_down, &Handheld::Inp_game_a_up},
    {&Handheld::Inp_game_b_down, &Handheld::Inp_game_b_up},
    {&Handheld::Inp_time_down, &Handheld::Inp_time_up},
    {&Handheld::Inp_up_down, &Handheld::Inp_up_up},
    {&Handheld::Inp_left_down, &Handheld::Inp_left_up},
    {&Handheld::Inp_right_down, &Handheld::Inp_right_up},
    {&Handheld::Inp_down_down, &Handheld::Inp_down_up},
}};

}  // namespace

InputArea input_area(std::string_view holder_name) {
    for (const AreaName& a : kAreas) {
        if (a.name == holder_name) return a.area;
    }
    return {};
}

void action_down(Handheld& handheld, int action) {
    if (is_key_action(action)) (handheld.*kActions[static_cast<size_t>(action)].down)();
}

void action_up(Handheld& handheld, int action) {
    if (is_key_action(action)) (handheld.*kActions[static_cast<size_t>(action)].up)();
}

bool FormKeyDown(const KeyBindings& keys, ControlHolds& holds, VirtualKey virtual_key) {
    const int action = keys.binding_for_key(virtual_key);
    holds.press(Keyboard_Source, action);
    return action != 0;
}

bool FormKeyUp(const KeyBindings& keys, ControlHolds& holds, VirtualKey virtual_key) {
    const int action = keys.binding_for_key(virtual_key);
    holds.release(Keyboard_Source, action);
    return action != 0;
}

}  // namespace fluffo
