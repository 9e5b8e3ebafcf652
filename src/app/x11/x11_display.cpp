#include "app/x11/x11_display.h"

#include <QGuiApplication>

namespace fluffo {

Display* x11_display() {
    auto* app = qGuiApp;
    if (app == nullptr) return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

}  // namespace fluffo
