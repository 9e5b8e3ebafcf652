#pragma once
// The mouse as a window's logic takes it over its picture holders, in client pixels: a left
// press is captured by what lies under it, and its release and moves go there wherever the
// pointer is then; the other buttons are told apart so that they can be ignored. The windows
// that show a composed frame (the main window, the manual viewer) hand their mouse here.

#include <cstdint>

#include "display/screen_model.h"
#include "input/mouse_button.h"

namespace fluffo {

class PointerInput {
public:
    virtual ~PointerInput() = default;
    virtual void mouse_down(int32_t x, int32_t y, MouseButton button) = 0;
    virtual void mouse_up(int32_t x, int32_t y, MouseButton button) = 0;
    virtual void mouse_move(int32_t x, int32_t y, bool left_held) = 0;
    // The window lost the pointer during a left press and will not see its release.
    virtual void mouse_capture_lost() = 0;
    // The pointer's shape over the point.
    virtual Cursor cursor_at(int32_t x, int32_t y) const = 0;
};

}  // namespace fluffo
