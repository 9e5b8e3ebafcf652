#include "app/qt/keyboard/key_translation.h"

#include <array>

namespace fluffo {

namespace {

// The keys that are neither digits, letters nor function keys, both ways.
struct NamedKey {
    int qt_key;
    VirtualKey key;
};
constexpr std::array<NamedKey, 12> Named_Keys = {{
    {Qt::Key_Left, vk::Left},
    {Qt::Key_Up, vk::Up},
    {Qt::Key_Right, vk::Right},
    {Qt::Key_Down, vk::Down},
    {Qt::Key_Shift, vk::Shift},
    {Qt::Key_Control, vk::Ctrl},
    {Qt::Key_Alt, vk::Alt},
    {Qt::Key_AltGr, vk::Alt},
    {Qt::Key_Space, vk::Space},
    {Qt::Key_Return, vk::Enter},
    {Qt::Key_Enter, vk::Enter},
    {Qt::Key_Escape, vk::Esc},
}};

// The code a Qt key stands for, or vk::None when it is none of the keys the program knows.
VirtualKey from_qt_key(int key, Qt::KeyboardModifiers modifiers) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        const int digit = key - Qt::Key_0;
        return (modifiers & Qt::KeypadModifier) ? vk::keypad_digit(digit) : vk::digit(digit);
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return vk::letter(char('A' + (key - Qt::Key_A)));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return vk::function_key(1 + key - Qt::Key_F1);
    for (const NamedKey& k : Named_Keys) {
        if (k.qt_key == key) return k.key;
    }
    return vk::None;
}

// The digit and letter keys by their place on an X11 keyboard (keycode = evdev code + 8), as
// Windows numbers them by place: used when the symbol is shifted or from another alphabet.
VirtualKey from_x11_keycode(quint32 keycode) {
    if (keycode >= 10 && keycode <= 18) return vk::digit(int(keycode) - 9);
    if (keycode == 19) return vk::digit(0);
    constexpr std::array<char, 10> top = {'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P'};
    constexpr std::array<char, 9> home = {'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L'};
    constexpr std::array<char, 7> bottom = {'Z', 'X', 'C', 'V', 'B', 'N', 'M'};
    if (keycode >= 24 && keycode < 24 + top.size()) return vk::letter(top[keycode - 24]);
    if (keycode >= 38 && keycode < 38 + home.size()) {
        return vk::letter(home[keycode - 38]);
    }
    if (keycode >= 52 && keycode < 52 + bottom.size()) {
        return vk::letter(bottom[keycode - 52]);
    }
    return vk::None;
}

}  // namespace

NativeKeyCodes platform_native_key_codes() {
#if defined(Q_OS_WIN)
    return NativeKeyCodes::Windows;
#elif defined(Q_OS_MACOS)
    return NativeKeyCodes::Other;
#else
    return NativeKeyCodes::X11;
#endif
}

VirtualKey virtual_key_of(const QKeyEvent& event) {
    return virtual_key_of(event, platform_native_key_codes());
}

VirtualKey virtual_key_of(const QKeyEvent& event, NativeKeyCodes native) {
    if (native == NativeKeyCodes::Windows) {
        const quint32 native_key = event.nativeVirtualKey();
        if (native_key > 0 && native_key < 255) return static_cast<VirtualKey>(native_key);
    }
    const VirtualKey code = from_qt_key(event.key(), event.modifiers());
    if (code != vk::None || native != NativeKeyCodes::X11) return code;
    return from_x11_keycode(event.nativeScanCode());
}

int qt_key_of(VirtualKey key) {
    if (const int n = vk::function_key_number(key)) return Qt::Key_F1 + n - 1;
    if (key >= vk::digit(0) && key <= vk::digit(9)) return Qt::Key_0 + (key - vk::digit(0));
    if (key >= vk::letter('A') && key <= vk::letter('Z'))
        return Qt::Key_A + (key - vk::letter('A'));
    for (const NamedKey& k : Named_Keys) {
        if (k.key == key) return k.qt_key;
    }
    return 0;
}

KeyModifiers modifiers_of(const QKeyEvent& event) {
    const Qt::KeyboardModifiers held = event.modifiers();
    KeyModifiers out = mod::None;
    if (held & Qt::ShiftModifier) out |= mod::Shift;
    if (held & Qt::ControlModifier) out |= mod::Ctrl;
    if (held & Qt::AltModifier) out |= mod::Alt;
    if (held & Qt::MetaModifier) out |= mod::Meta;
    return out;
}

std::optional<ZoomChange> zoom_change_of(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers();
    if (!mods.testFlag(Qt::ControlModifier) || mods.testFlag(Qt::AltModifier)) return std::nullopt;
    switch (event.key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            return ZoomChange::Larger;
        case Qt::Key_Minus:
        case Qt::Key_Underscore:
            return ZoomChange::Smaller;
        case Qt::Key_0:
        case Qt::Key_ParenRight:  // Ctrl+Shift+0 on some layouts
            return ZoomChange::Reset;
        default:
            return std::nullopt;
    }
}

}  // namespace fluffo
