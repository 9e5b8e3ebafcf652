#include "art_scale.h"

namespace artwork {

namespace {
// Each thread draws at its own scale.
thread_local int g_scale = 1;
}  // namespace

int art_scale() {
    return g_scale;
}

DrawnAt::DrawnAt(int scale) : m_previous(g_scale) {
    g_scale = scale;
}

DrawnAt::~DrawnAt() {
    g_scale = m_previous;
}

QImage art_canvas(QSize size, QImage::Format format) {
    return at_scale(QImage(size * g_scale, format));
}

QSize window_size(const QImage& image) {
    const auto ratio = static_cast<int>(image.devicePixelRatio());
    return ratio > 1 ? image.size() / ratio : image.size();
}

QRect device_rect(const QRect& r) {
    return {r.topLeft() * g_scale, r.size() * g_scale};
}

QImage at_scale(QImage image) {
    image.setDevicePixelRatio(g_scale);
    return image;
}

}  // namespace artwork
