#include "app/qt/widgets/picture_image.h"

namespace fluffo {

QImage picture_image(const Picture& picture, bool transparent) {
    const size_t count = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
    if (picture.width <= 0 || picture.height <= 0 || picture.pixels.size() < count) return {};

    const bool keyed = transparent && picture.transparency == Transparency::BottomLeftKey;
    const bool alpha = picture.transparency == Transparency::Alpha;
    const uint32_t key = key_colour(picture);
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const uint32_t* from = picture.pixels.data() + static_cast<size_t>(y) * picture.width;
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t p = from[x];
            int a = 255;
            if (alpha) {
                a = static_cast<int>(p >> 24);
            } else if (keyed && (p & 0x00ffffffu) == key) {
                a = 0;
            }
            row[x] = qRgba(static_cast<int>(p & 0xff), static_cast<int>((p >> 8) & 0xff),
                           static_cast<int>((p >> 16) & 0xff), a);
        }
    }
    return image;
}

}  // namespace fluffo
