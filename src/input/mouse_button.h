#pragma once
// The mouse buttons as the windows' logic tells them apart: only the left one presses, drags
// and captures; the others are told apart so that they can be ignored.

#include <cstdint>

namespace fluffo {

enum class MouseButton : uint8_t { Left, Right, Middle };

}  // namespace fluffo
