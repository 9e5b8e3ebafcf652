#pragma once
// The shape of a window on an X server with a compositor (a compositing manager, or Xwayland
// under a Wayland compositor). There the compositor shows a window's transparent pixels, but the
// X server draws nothing outside a window's drawn shape, so what was there before would stay:
// such a window keeps its drawn shape whole and takes the shape as where it hears the mouse.

#include <QRegion>
#include <QWindow>

namespace fluffo {

// True where the program runs on X11 and a compositor shows its windows' transparency (it owns
// the screen's _NET_WM_CM_S selection); false elsewhere.
bool x11_compositor_shows_alpha();

// Sets where the X window hears the mouse; an empty region: the whole window. Nothing away
// from X11.
void x11_set_input_shape(QWindow& window, const QRegion& region);

}  // namespace fluffo
