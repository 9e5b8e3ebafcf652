#pragma once
// From the toolkit's key events to the Windows virtual-key numbering that the key bindings
// use, and the modifiers held with a key. A key keeps its code whatever modifier is held with
// it: Shift+1 is still "1", read from the key's place on the keyboard when the toolkit reports
// the shifted symbol instead.

#include <QKeyEvent>
#include <cstdint>
#include <optional>

#include "base/virtual_keys.h"
#include "windows/window_zoom.h"

namespace fluffo {

// How a platform numbers its native key codes.
enum class NativeKeyCodes {
    X11,      // X11 and Wayland: nativeScanCode() is the evdev code + 8 (digit row 10..19)
    Windows,  // nativeVirtualKey() already is the Windows virtual-key code
    Other,    // native codes not used
};

// The scheme of the platform the program was built for.
NativeKeyCodes platform_native_key_codes();

// The virtual-key code of a key event: digits 48..57, letters 65..90 in either case, arrows
// 37..40, Shift 16, Ctrl 17, Alt and AltGr 18, space 32, Enter (both) 13, Esc 27, F1..F24
// 112..135, keypad digits 96..105 (as Windows numbers them, so they are not the digit row).
// Any other key gives 0, which no binding matches.
VirtualKey virtual_key_of(const QKeyEvent& event);
VirtualKey virtual_key_of(const QKeyEvent& event, NativeKeyCodes native);

// The Qt key of a code (the first Qt key that gives it), for showing it in a menu; 0 for none.
int qt_key_of(VirtualKey key);

// Shift, Ctrl, Alt and the system key held with the event's key (the keypad's flag is no
// modifier here).
KeyModifiers modifiers_of(const QKeyEvent& event);

// The window's size keys: Ctrl with plus (or =, the key plus shares), minus or 0 (the digit
// row's or the keypad's). Alt must not be held. nullopt for every other key.
std::optional<ZoomChange> zoom_change_of(const QKeyEvent& event);

}  // namespace fluffo
