#include "app/qt/frame_image.h"

#include <bit>

namespace fluffo {

// 0xAABBGGRR as a 32-bit word is the byte sequence R,G,B,A only on little-endian machines.
static_assert(std::endian::native == std::endian::little,
              "the frame's pixels are RGBA8888 only on little-endian machines");

QImage frame_image(const Compositor& compositor) {
    const int32_t width = compositor.width();
    return QImage(reinterpret_cast<const uchar*>(compositor.pixels().data()), width,
                  compositor.height(), static_cast<qsizetype>(width) * 4, QImage::Format_RGBA8888);
}

QBitmap shape_mask(const QImage& frame, uint32_t key_colour_bbggrr) {
    // createMaskFromColor compares a 32-bit image's raw pixel words with the QRgb it is given;
    // they are QRgb values (0xAARRGGBB) only in the ARGB32 formats and RGB32 (premultiplied
    // too for opaque pixels, the only ones the opaque key matches). The frame's RGBA is not.
    QImage argb = frame;
    const QImage::Format format = frame.format();
    if (format != QImage::Format_ARGB32 && format != QImage::Format_RGB32 &&
        format != QImage::Format_ARGB32_Premultiplied) {
        argb = frame.convertToFormat(QImage::Format_ARGB32);
    }
    const QRgb key = rgb_of(key_colour_bbggrr);
    // MaskInColor: the key's pixels become Qt::color0 in the bitmap, outside the mask.
    return QBitmap::fromImage(argb.createMaskFromColor(key, Qt::MaskInColor));
}

void paint_frame(QPainter& painter, const QImage& frame, const QRect& logical_rect,
                 qreal device_pixel_ratio) {
    if (device_pixel_ratio == 1.0) {
        painter.drawImage(logical_rect.topLeft(), frame, logical_rect);
        return;
    }
    const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRectF(logical_rect), frame, QRectF(logical_rect));
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

}  // namespace fluffo
