#include "app/qt/frame/frame_image.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace fluffo {

// 0xAABBGGRR as a 32-bit word is the byte sequence R,G,B,A only on little-endian machines.
static_assert(std::endian::native == std::endian::little,
              "the frame's pixels are RGBA8888 only on little-endian machines");

QImage frame_image(const Compositor& compositor) {
    const int32_t width = compositor.width();
    return QImage(reinterpret_cast<const uchar*>(compositor.pixels().data()), width,
                  compositor.height(), static_cast<qsizetype>(width) * 4, QImage::Format_RGBA8888);
}

QBitmap shape_mask(const QImage& frame, uint32_t key_colour_bbggrr, qreal device_pixel_ratio) {
    const QRgb key = rgb_of(key_colour_bbggrr);
    if (device_pixel_ratio != 1.0) {
        // Frame pixels to widget pixels: a widget pixel is the key when any of its frame
        // pixels is, and only then.
        const QRect logical = logical_rect(frame.rect(), device_pixel_ratio);
        QImage keyed(logical.size(), QImage::Format_RGB32);
        keyed.fill(key ^ 0x00ffffffu);
        const QImage argb = frame.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < argb.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            const int ly = std::min(static_cast<int>(y / device_pixel_ratio), logical.height() - 1);
            auto* out = reinterpret_cast<QRgb*>(keyed.scanLine(ly));
            for (int x = 0; x < argb.width(); ++x) {
                if (row[x] != key) continue;
                out[std::min(static_cast<int>(x / device_pixel_ratio), logical.width() - 1)] = key;
            }
        }
        return QBitmap::fromImage(keyed.createMaskFromColor(key, Qt::MaskInColor));
    }
    // createMaskFromColor compares a 32-bit image's raw pixel words with the QRgb it is given;
    // they are QRgb values (0xAARRGGBB) only in the ARGB32 formats and RGB32 (premultiplied
    // too for opaque pixels, the only ones the opaque key matches). The frame's RGBA is not.
    QImage argb = frame;
    const QImage::Format format = frame.format();
    if (format != QImage::Format_ARGB32 && format != QImage::Format_RGB32 &&
        format != QImage::Format_ARGB32_Premultiplied) {
        argb = frame.convertToFormat(QImage::Format_ARGB32);
    }
    // MaskInColor: the key's pixels become Qt::color0 in the bitmap, outside the mask.
    return QBitmap::fromImage(argb.createMaskFromColor(key, Qt::MaskInColor));
}

void key_out(const QImage& frame, uint32_t key, const QRect& rect, QImage& keyed) {
    const QRect r = rect & frame.rect() & keyed.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        // The frame's words are 0xAABBGGRR (R,G,B,A in memory), the keyed image's 0xAARRGGBB.
        const auto* in = reinterpret_cast<const uint32_t*>(frame.constScanLine(y)) + r.left();
        auto* out = reinterpret_cast<QRgb*>(keyed.scanLine(y)) + r.left();
        for (int x = 0; x < r.width(); ++x) {
            const uint32_t v = in[x] & 0x00ffffffu;
            out[x] = v == key ? 0u : 0xff000000u | ((v & 0xffu) << 16) | (v & 0xff00u) | (v >> 16);
        }
    }
}

QRect logical_rect(const QRect& r, qreal dpr) {
    if (dpr == 1.0) return r;
    const int left = static_cast<int>(std::floor(r.left() / dpr));
    const int top = static_cast<int>(std::floor(r.top() / dpr));
    const int right = static_cast<int>(std::ceil((r.left() + r.width()) / dpr));
    const int bottom = static_cast<int>(std::ceil((r.top() + r.height()) / dpr));
    return {left, top, right - left, bottom - top};
}

void paint_frame(QPainter& painter, const QImage& frame, const QRect& logical_rect,
                 qreal device_pixel_ratio) {
    if (device_pixel_ratio == 1.0) {
        painter.drawImage(logical_rect.topLeft(), frame, logical_rect);
        return;
    }
    // The frame pixels under the area, drawn back at their own places: one on one.
    const qreal d = device_pixel_ratio;
    const QRect device =
        QRect(QPoint(static_cast<int>(std::floor(logical_rect.left() * d)),
                     static_cast<int>(std::floor(logical_rect.top() * d))),
              QPoint(static_cast<int>(std::ceil((logical_rect.right() + 1) * d)) - 1,
                     static_cast<int>(std::ceil((logical_rect.bottom() + 1) * d)) - 1)) &
        frame.rect();
    if (device.isEmpty()) return;
    // A view of those pixels marked with the screen's ratio: drawn at its logical place, the
    // painter's scaling and the picture's cancel out, and Qt copies it plainly.
    const int depth = frame.depth() / 8;
    QImage part(frame.constBits() + static_cast<qsizetype>(device.top()) * frame.bytesPerLine() +
                    static_cast<qsizetype>(device.left()) * depth,
                device.width(), device.height(), frame.bytesPerLine(), frame.format());
    part.setDevicePixelRatio(d);
    painter.drawImage(QPointF(device.left() / d, device.top() / d), part);
}

}  // namespace fluffo
