#pragma once
// The toolkit's mouse button as the windows' logic tells the buttons apart.

#include <Qt>

#include "input/mouse_button.h"

namespace fluffo {

inline MouseButton mouse_button_of(Qt::MouseButton button) {
    if (button == Qt::LeftButton) return MouseButton::Left;
    if (button == Qt::RightButton) return MouseButton::Right;
    return MouseButton::Middle;
}

}  // namespace fluffo
