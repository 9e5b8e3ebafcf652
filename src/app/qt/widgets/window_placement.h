#pragma once
// How the program's smaller windows come up: at the centre of the screen (the first time, or
// every time), then shown, in front and active. They are top-level windows of their own, not
// children of the main window (a disabled parent disables its child windows too, and the main
// window is disabled while the key settings are open); keep_above ties them to it instead, so
// they stay above it, also when it covers the screen. Where the compositor places the windows
// (Wayland) it centres them itself: the program does not move them.

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "windows/window_system.h"

namespace fluffo {

inline WindowSystem this_window_system() {
    return window_system_of(QGuiApplication::platformName().toStdString());
}

inline void centre_on_screen(QWidget& window) {
    if (!this_window_system().places_windows) return;
    if (const QScreen* s = QGuiApplication::primaryScreen())
        window.move(s->geometry().center() - window.rect().center());
}

// The window system keeps `window` above `owner` (a transient window); nothing when the owner
// has no native window yet.
inline void keep_above(QWidget& window, const QWidget* owner) {
    if (owner == nullptr || owner->windowHandle() == nullptr) return;
    window.winId();  // makes the native window, so it has a handle to tie
    window.windowHandle()->setTransientParent(owner->windowHandle());
}

inline void show_in_front(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace fluffo
