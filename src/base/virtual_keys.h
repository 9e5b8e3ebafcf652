#pragma once
// The program's one key vocabulary: a key is its Windows virtual-key code, the numbering the
// store keeps the bindings in. Every toolkit's key events are translated into these codes at
// the edge (app/qt/keyboard/key_translation.h); the rooms below app/ speak only them. 0 is no key.
// The modifier keys held with a key travel beside it as a set of bits.

#include <cstdint>

namespace fluffo {

using VirtualKey = uint16_t;

namespace vk {

inline constexpr VirtualKey None = 0;
inline constexpr VirtualKey Enter = 13;  // both Enter keys
inline constexpr VirtualKey Shift = 16;
inline constexpr VirtualKey Ctrl = 17;
inline constexpr VirtualKey Alt = 18;  // AltGr too
inline constexpr VirtualKey Esc = 27;
inline constexpr VirtualKey Space = 32;
inline constexpr VirtualKey Left = 37;
inline constexpr VirtualKey Up = 38;
inline constexpr VirtualKey Right = 39;
inline constexpr VirtualKey Down = 40;

// The digit row, '0'..'9'.
constexpr VirtualKey digit(int d) {
    return static_cast<VirtualKey>('0' + d);
}
// 'A'..'Z', in capitals whatever the case typed.
constexpr VirtualKey letter(char capital) {
    return static_cast<VirtualKey>(capital);
}
// The keypad's digits, numbered apart from the digit row.
constexpr VirtualKey keypad_digit(int d) {
    return static_cast<VirtualKey>(96 + d);
}

inline constexpr int Function_Key_Count = 24;
// F1..F24.
constexpr VirtualKey function_key(int n) {
    return static_cast<VirtualKey>(111 + n);
}
// n for the key Fn, 0 for any other key.
constexpr int function_key_number(VirtualKey key) {
    const int n = key - 111;
    return n >= 1 && n <= Function_Key_Count ? n : 0;
}

}  // namespace vk

// The modifier keys held with a key, as bits of mod::.
using KeyModifiers = uint8_t;

namespace mod {

inline constexpr KeyModifiers None = 0;
inline constexpr KeyModifiers Shift = 1;
inline constexpr KeyModifiers Ctrl = 2;
inline constexpr KeyModifiers Alt = 4;
inline constexpr KeyModifiers Meta = 8;  // the system key

}  // namespace mod
}  // namespace fluffo
