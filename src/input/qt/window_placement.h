#pragma once
// How the program's smaller windows come up: at the centre of the screen (the first time, or
// every time), then shown, in front and active.

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace fluffo {

inline void centre_on_screen(QWidget& window) {
    if (const QScreen* s = QGuiApplication::primaryScreen())
        window.move(s->geometry().center() - window.rect().center());
}

inline void show_in_front(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace fluffo
