#pragma once
// Which of the main window's holders take the mouse and what a press there does: the seven
// button areas press their controls, the four drag areas move the window, the in-game menu
// button opens the menu; every other holder takes the press and does nothing. Keys reach the
// controls through the bindings, first match in the order Game A .. Down.

#include <cstdint>
#include <string_view>

#include "engine/control.h"
#include "input/control_holds.h"
#include "input/key_bindings.h"

namespace fluffo {

enum class AreaKind : uint8_t { None, Button, Drag, MenuButton };

struct InputArea {
    AreaKind kind = AreaKind::None;
    Control control = Control::Game_A;  // a button's control; the other kinds have none
    bool shows_hint = false;
};

InputArea input_area(std::string_view holder_name);

// FormKeyDown / FormKeyUp: the first binding whose key this is, pressed or released by the
// keyboard; false when none is.
bool FormKeyDown(const KeyBindings& keys, ControlHolds& holds, VirtualKey virtual_key);
bool FormKeyUp(const KeyBindings& keys, ControlHolds& holds, VirtualKey virtual_key);

}  // namespace fluffo
