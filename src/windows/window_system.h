#pragma once
// What the window system lets the program do with its windows, by the name of the platform the
// toolkit runs on ("xcb", "wayland", "offscreen" ...). On Wayland the compositor places every
// window and tells no client where: the program resizes without moving, hides a window instead
// of moving it out of sight, and leaves centring to the compositor. Everywhere a drag asks the
// window system to move the window first; the program moves it itself where that is refused.

#include <string_view>

namespace fluffo {

struct WindowSystem {
    // The program may set a window's place and knows the place it set.
    bool places_windows = true;
};

inline WindowSystem window_system_of(std::string_view platform_name) {
    // "wayland", "wayland-egl", "wayland-brcm": one protocol, one rule.
    if (platform_name.starts_with("wayland")) return WindowSystem{.places_windows = false};
    return WindowSystem{};
}

}  // namespace fluffo
