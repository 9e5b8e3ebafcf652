#include "app/qt/key_translation.h"

#include <array>

namespace fluffo {

namespace {

// The code a Qt key stands for, or 0 when it is none of the keys the program knows.
uint16_t from_qt_key(int key, Qt::KeyboardModifiers modifiers) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        const int digit = key - Qt::Key_0;
        return static_cast<uint16_t>((modifiers & Qt::KeypadModifier) ? 96 + digit : 48 + digit);
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<uint16_t>(65 + key - Qt::Key_A);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return static_cast<uint16_t>(112 + key - Qt::Key_F1);
    }
    switch (key) {
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
            return 18;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        default:
            return 0;
    }
}

// The digit and letter keys by their place on an X11 keyboard (keycode = evdev code + 8), as
// Windows numbers them by place: used when the symbol is shifted or from another alphabet.
uint16_t from_x11_keycode(quint32 keycode) {
    if (keycode >= 10 && keycode <= 18) return static_cast<uint16_t>('1' + keycode - 10);
    if (keycode == 19) return '0';
    constexpr std::array<char, 10> top = {'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P'};
    constexpr std::array<char, 9> home = {'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L'};
    constexpr std::array<char, 7> bottom = {'Z', 'X', 'C', 'V', 'B', 'N', 'M'};
    if (keycode >= 24 && keycode < 24 + top.size()) return static_cast<uint16_t>(top[keycode - 24]);
    if (keycode >= 38 && keycode < 38 + home.size()) {
        return static_cast<uint16_t>(home[keycode - 38]);
    }
    if (keycode >= 52 && keycode < 52 + bottom.size()) {
        return static_cast<uint16_t>(bottom[keycode - 52]);
    }
    return 0;
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

uint16_t virtual_key_of(const QKeyEvent& event) {
    return virtual_key_of(event, platform_native_key_codes());
}

uint16_t virtual_key_of(const QKeyEvent& event, NativeKeyCodes native) {
    if (native == NativeKeyCodes::Windows) {
        const quint32 vk = event.nativeVirtualKey();
        if (vk > 0 && vk < 255) return static_cast<uint16_t>(vk);
    }
    const uint16_t code = from_qt_key(event.key(), event.modifiers());
    if (code != 0 || native != NativeKeyCodes::X11) return code;
    return from_x11_keycode(event.nativeScanCode());
}

bool passes_auto_repeat_filter(const QKeyEvent& event) {
    return !(event.type() == QEvent::KeyRelease && event.isAutoRepeat());
}

}  // namespace fluffo
