#pragma once
// The core's pictures as the toolkit's images, with the see-through rule applied: a bitmap
// drawn transparent loses every pixel of its bottom-left colour, a PNG keeps its alpha, and
// everything else is opaque.

#include <QImage>

#include "display/picture.h"

namespace fluffo {

// A null image for an empty picture.
QImage picture_image(const Picture& picture, bool transparent);

}  // namespace fluffo
