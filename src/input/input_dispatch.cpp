#include "input/input_dispatch.h"

#include <array>

namespace fluffo {

namespace {

struct AreaName {
    std::string_view name;
    InputArea area;
};

constexpr std::array<AreaName, 12> kAreas = {{
    {"btn_game_a_top", {AreaKind::Button, Control::Game_A, true}},
    {"btn_game_b_top", {AreaKind::Button, Control::Game_B, true}},
    {"btn_time_top", {AreaKind::Button, Control::Time, true}},
    {"btn_ctrlr_overlay_up", {AreaKind::Button, Control::Up, true}},
    {"btn_ctrlr_overlay_left", {AreaKind::Button, Control::Left, true}},
    {"btn_ctrlr_overlay_right", {AreaKind::Button, Control::Right, true}},
    {"btn_ctrlr_overlay_down", {AreaKind::Button, Control::Down, true}},
    {"im_background", {AreaKind::Drag, {}, false}},
    {"im_background_screen_top", {AreaKind::Drag, {}, false}},
    {"btn_set_top", {AreaKind::Drag, {}, true}},
    {"btn_joystick_top", {AreaKind::Drag, {}, true}},
    {"btn_game_menu_top", {AreaKind::MenuButton, {}, false}},
}};

}  // namespace

InputArea input_area(std::string_view holder_name) {
    for (const AreaName& a : kAreas) {
        if (a.name == holder_name) return a.area;
    }
    return {};
}

bool FormKeyDown(const KeyBindings& keys, ControlHolds& holds, VirtualKey virtual_key) {
    const std::optional<Control> control = keys.binding_for_key(virtual_key);
    if (control) holds.press(Keyboard_Source, *control);
    return control.has_value();
}

bool FormKeyUp(const KeyBindings& keys, ControlHolds& holds, VirtualKey virtual_key) {
    const std::optional<Control> control = keys.binding_for_key(virtual_key);
    if (control) holds.release(Keyboard_Source, *control);
    return control.has_value();
}

}  // namespace fluffo
