#pragma once
// The X server connection that Qt's xcb platform holds: none on any other platform (Wayland,
// offscreen) or before the application exists. Xlib's own header stays out of here, since its
// names clash with Qt's; its type is declared the way Xlib declares it.

typedef struct _XDisplay Display;

namespace fluffo {

Display* x11_display();

}  // namespace fluffo
