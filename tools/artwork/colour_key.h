#pragma once
// The windowed handheld's colour key: art put on it with hard edges, so no pink fringe shows
// where the window is cut out, and taken off it again where a picture of the handheld is
// drawn over something else.

#include <QImage>

namespace artwork {

// Outside the case every pixel of the window is exactly this.
inline constexpr QRgb Colour_Key = 0xFFFF00FF;

// Art with alpha made opaque: a pixel is the art's colour or the key, never a blend of the
// two; art that happens to be the key's colour is moved off it by one step.
QImage on_colour_key(const QImage& art);
// The picture with every pixel of the key's colour made clear.
QImage without_colour_key(const QImage& image);

}  // namespace artwork
