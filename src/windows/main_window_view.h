#pragma once
// What the main window's logic asks of its toolkit window beyond the skin loader's needs: its
// place on the screen, being shown, enabled or disabled; and of the program's other windows:
// being brought up. The desktop program fills these with Qt; tests keep plain values.

#include <cstdint>
#include <string>

#include "display/skin_window.h"

namespace fluffo {

class MainWindowView : public SkinWindow {
public:
    // Top-left corner of the client area, in screen pixels (the window has no frame).
    virtual int32_t left() const = 0;
    virtual int32_t top() const = 0;
    virtual void move_to(int32_t left, int32_t top) = 0;
    // Asks the window system to move the window with the pointer from the left press now in
    // progress on (it snaps to the screen's edges as the desktop's windows do, and it is the
    // only way on Wayland); false where it refuses, and the logic moves the window itself.
    virtual bool start_system_move() { return false; }
    // Out of every screen while the window is laid out anew: left and top at minus the
    // screen's size where the program places windows; where the compositor places them the
    // window stays where it is.
    virtual void move_out_of_sight() { move_to(-screen_width(), -screen_height()); }
    // The window is never seen before the play action; from then on it is shown.
    virtual void set_shown(bool shown) = 0;
    // A disabled window takes no mouse or keyboard input; its timers keep running.
    virtual void set_enabled(bool enabled) = 0;
    // The text of the task-bar button.
    virtual void set_title(const std::string& title) = 0;
    // The window shows each client pixel as zoom x zoom window pixels (1 at 100 %).
    virtual void set_zoom(double zoom) { (void)zoom; }
    // Screen pixels per window pixel: the desktop's own scale factor.
    virtual double device_pixel_ratio() const { return 1.0; }
    // The part of the screen a window may take (without the desktop's panels).
    virtual Rect available_area() const { return Rect{0, 0, screen_width(), screen_height()}; }
};

// The program's other windows, as the main window opens them.
class AuxWindows {
public:
    virtual ~AuxWindows() = default;
    virtual void show_about() = 0;         // shown and brought to the front
    virtual void show_manual() = 0;        // shown and brought to the front
    virtual void show_key_settings() = 0;  // placed at the centre of the screen and shown
    virtual void show_start_screen() = 0;  // brought to the front and made active
};

}  // namespace fluffo
