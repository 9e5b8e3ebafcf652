#include "app/x11/x11_shape.h"
#include "app/x11/x11_display.h"

#include <QGuiApplication>
#include <string>
#include <vector>

// Xlib's names (Bool, True, Status...) come last: they would clash with Qt's.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

namespace fluffo {

bool x11_compositor_shows_alpha() {
    Display* display = x11_display();
    if (display == nullptr) return false;
    const std::string name = "_NET_WM_CM_S" + std::to_string(DefaultScreen(display));
    const Atom selection = XInternAtom(display, name.c_str(), False);
    return XGetSelectionOwner(display, selection) != None;
}

void x11_set_input_shape(QWindow& window, const QRegion& region) {
    Display* display = x11_display();
    if (display == nullptr) return;
    int event_base = 0;
    int error_base = 0;
    if (!XShapeQueryExtension(display, &event_base, &error_base)) return;
    const auto x_window = static_cast<Window>(window.winId());
    if (region.isEmpty()) {
        XShapeCombineMask(display, x_window, ShapeInput, 0, 0, None, ShapeSet);
    } else {
        // The region in the native window's pixels.
        const qreal ratio = window.devicePixelRatio();
        std::vector<XRectangle> rects;
        for (const QRect& r : region) {
            const QRect n(
                QPoint(qRound(r.left() * ratio), qRound(r.top() * ratio)),
                QPoint(qRound((r.right() + 1) * ratio) - 1, qRound((r.bottom() + 1) * ratio) - 1));
            rects.push_back(XRectangle{static_cast<short>(n.x()), static_cast<short>(n.y()),
                                       static_cast<unsigned short>(n.width()),
                                       static_cast<unsigned short>(n.height())});
        }
        XShapeCombineRectangles(display, x_window, ShapeInput, 0, 0, rects.data(),
                                static_cast<int>(rects.size()), ShapeSet, Unsorted);
    }
    XFlush(display);
}

}  // namespace fluffo
