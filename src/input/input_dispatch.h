#pragma once
// Which of the main window's holders take the mouse and what a press there does: the seven
// button areas call the player actions, the four drag areas move the window, the in-game menu
// button opens the menu; every other holder takes the press and does nothing. Keys reach the
// actions through the bindings, first match in the order Game A .. Down.

#include <cstdint>
#include <string_view>

#include "engine/handheld.h"
#include "input/control_holds.h"
#include "input/key_bindings.h"

namespace fluffo {

enum class AreaKind : uint8_t { None, Button, Drag, MenuButton };

struct InputArea {
    AreaKind kind = AreaKind::None;
    int action = 0;  // for a button: the binding it stands for, Key_Game_A .. Key_Down
    bool shows_hint = false;
};

InputArea input_area(std::string_view holder_name);

// The `_down` / `_up` entry point of action n (Key_Game_A .. Key_Down); others do nothing.
void action_down(Handheld& handheld, int action);
void action_up(Handheld& handheld, int action);

// FormKeyDown / FormKeyUp: the first binding whose key this is, pressed or released by the
// keyboard; false when none is.
bool FormKeyDown(const KeyBindings& keys, ControlHolds& holds, VirtualKey virtual_key);
bool FormKeyUp(const KeyBindings& keys, ControlHolds& holds, VirtualKey virtual_key);

}  // namespace fluffo
