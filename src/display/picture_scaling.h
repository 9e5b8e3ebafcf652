#pragma once
// Smooth scaling of a picture to any size, for holders that stretch their picture: bilinear
// where it grows, area averaging where it shrinks, each axis on its own. The result is
// premultiplied RGBA (0xAABBGGRR), ready to lay over what lies beneath.

#include <cstdint>
#include <vector>

#include "display/picture.h"

namespace fluffo {

// The picture's pixels premultiplied by their opacity. see_through false makes every pixel
// opaque (a holder that is not transparent); otherwise the picture's own rule applies.
std::vector<uint32_t> premultiplied(const Picture& picture, bool see_through);

// For a scaling with hard edges: the picture's pixels premultiplied as above, and besides
// every pixel of the colour `clear` (0x00BBGGRR) made clear.
std::vector<uint32_t> premultiplied_clearing(const Picture& picture, bool see_through,
                                             uint32_t clear);

// Hardens scaled premultiplied pixels: at half opacity or more a pixel turns opaque in its own
// colour, below it turns to `clear_as` (premultiplied; 0 for see-through).
void harden_edges(std::vector<uint32_t>& pixels, uint32_t clear_as);

// Scales premultiplied pixels of src_width x src_height to width x height (both > 0).
std::vector<uint32_t> scaled(const std::vector<uint32_t>& pixels, int32_t src_width,
                             int32_t src_height, int32_t width, int32_t height);

}  // namespace fluffo
