#include "colour_key.h"

namespace artwork {

QImage on_colour_key(const QImage& art) {
    QImage out = art.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = row[x];
            if (qAlpha(c) < 128) {
                row[x] = Colour_Key;
            } else {
                row[x] = qRgb(qRed(c), qGreen(c), qBlue(c));
                if (row[x] == Colour_Key) row[x] = qRgb(0xFE, 0x00, 0xFF);
            }
        }
    }
    return out.convertToFormat(QImage::Format_RGB32);
}

QImage without_colour_key(const QImage& image) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((row[x] & 0xFFFFFF) == (Colour_Key & 0xFFFFFF)) row[x] = 0;
        }
    }
    return out;
}

}  // namespace artwork
