#pragma once
// An immutable picture: RGBA pixels and the rule that says which of them are see-through
// (a bitmap's bottom-left colour, a PNG's alpha, none for JPEG), and its density: how many of
// its pixels make one window pixel (2 for a "name@2x.png" drawn for twice the resolution).
// Places and sizes are in window pixels whatever the density. Shared between holders: a digit
// position that copies a number picture shares its pixels.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace fluffo {

enum class Transparency : uint8_t {
    None,           // every pixel opaque (JPEG)
    BottomLeftKey,  // every pixel of the bottom-left pixel's colour is see-through (bitmap)
    Alpha,          // the alpha channel (PNG)
};

struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    // Row-major, top row first; each pixel 0xAABBGGRR (red in the low byte).
    std::vector<uint32_t> pixels;
    Transparency transparency = Transparency::None;
    int32_t density = 1;  // pixels per window pixel, 1 or more
};

// The picture's size in window pixels, a part pixel counting whole.
inline int32_t window_width(const Picture& picture) {
    return (picture.width + picture.density - 1) / picture.density;
}
inline int32_t window_height(const Picture& picture) {
    return (picture.height + picture.density - 1) / picture.density;
}

using PicturePtr = std::shared_ptr<const Picture>;

// A bitmap's see-through colour, without alpha: that of its bottom-left pixel (0 for none).
inline uint32_t key_colour(const Picture& picture) {
    if (picture.pixels.empty() || picture.width <= 0 || picture.height <= 0) return 0;
    const size_t bottom_left =
        static_cast<size_t>(picture.height - 1) * static_cast<size_t>(picture.width);
    return picture.pixels[bottom_left] & 0x00ffffffu;
}

}  // namespace fluffo
