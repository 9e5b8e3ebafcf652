#pragma once
// The compositor's frame as Qt sees it: an image over its pixels, the window mask of windowed
// mode, and painting a changed rectangle onto a widget.

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <cstdint>

#include "display/compositor.h"

namespace fluffo {

// The frame's pixels without a copy, Format_RGBA8888 (the core's 0xAABBGGRR is R,G,B,A in
// memory, alpha always 255). RGBA rather than RGBX, though RGBX would tell Qt the frame is
// opaque: measured with Qt 6.4 on x86-64, RGBA paints faster onto both backing store formats
// (RGB32, ARGB32_Premultiplied): 440 x 664 at ratio 1 in 0.10-0.14 ms against 0.16-0.24 ms
// (when the frame was still stretched at ratio 2, 1.2-2.0 ms against 1.5-2.0 ms); presumably
// Qt's converter for RGBA is vectorised and passes opaque pixels straight through, the one
// for RGBX less so.
// Valid while the compositor's frame keeps its size; it shows every later update of the pixels.
QImage frame_image(const Compositor& compositor);

// The window mask of windowed mode: pixels of exactly the key colour (0x00BBGGRR, the core's
// form) are cut out, neither drawn nor hit by the mouse; all others stay. For QWidget::setMask,
// which takes widget pixels: on a screen with device_pixel_ratio frame pixels to each, a widget
// pixel is cut out when any frame pixel of it is the key, so no key colour is left showing.
QBitmap shape_mask(const QImage& frame, uint32_t key_colour_bbggrr, qreal device_pixel_ratio = 1.0);

// Copies the frame's pixels in `rect` into `keyed` (ARGB32 premultiplied, the frame's size):
// pixels of exactly the key colour (0x00BBGGRR) fully transparent, all others opaque. What a
// shaped window paints where a compositor shows the window's transparency.
void key_out(const QImage& frame, uint32_t key_colour_bbggrr, const QRect& rect, QImage& keyed);

// A rectangle of frame (device) pixels in widget pixels, its edges rounded outward.
QRect logical_rect(const QRect& device_rect, qreal device_pixel_ratio);

// A colour of the core's (0x00BBGGRR, red in the low byte) as the toolkit's opaque QRgb.
inline QRgb rgb_of(uint32_t bbggrr) {
    return qRgb(static_cast<int>(bbggrr & 0xffu), static_cast<int>((bbggrr >> 8) & 0xffu),
                static_cast<int>((bbggrr >> 16) & 0xffu));
}

// A rectangle of the core's model in the toolkit's terms.
inline QRect to_qrect(const Rect& r) {
    return {r.left, r.top, r.width, r.height};
}

// Paints one rectangle of the widget (logical coordinates) from the frame, whose pixels are
// the screen's: each frame pixel on one device pixel, a plain copy.
void paint_frame(QPainter& painter, const QImage& frame, const QRect& logical_rect,
                 qreal device_pixel_ratio);

}  // namespace fluffo
