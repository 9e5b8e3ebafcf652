#pragma once
// The window's design layout in Qt's terms: a skin holder's place read by its name from the
// design table in display/skin_images.h, the one source of those rectangles. The artwork
// keeps only how things look.

#include <QRect>
#include <string_view>

#include "display/skin_images.h"

namespace artwork {

inline QRect qrect(fluffo::Rect r) {
    return QRect(r.left, r.top, r.width, r.height);
}

// The design place of the holder called name (a name the table lacks throws).
inline QRect design_place(std::string_view holder) {
    return qrect(fluffo::skin_image(holder).design);
}

}  // namespace artwork
