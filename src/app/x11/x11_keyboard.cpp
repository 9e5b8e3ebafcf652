#include "app/x11/x11_keyboard.h"
#include "app/x11/x11_display.h"

#include <QGuiApplication>

// Xlib's names (Bool, True, Status...) come last: they would clash with Qt's.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace fluffo {

bool ask_for_detectable_auto_repeat() {
    Display* display = x11_display();
    if (display == nullptr) return false;
    Bool supported = False;
    return XkbSetDetectableAutoRepeat(display, True, &supported) && supported;
}

std::function<bool(uint32_t key)> x11_key_state() {
    Display* display = x11_display();
    if (display == nullptr) return {};
    return [display](uint32_t key) {
        if (key > 255) return false;
        char keys[32] = {};
        XQueryKeymap(display, keys);
        return (keys[key / 8] & (1 << (key % 8))) != 0;
    };
}

}  // namespace fluffo
