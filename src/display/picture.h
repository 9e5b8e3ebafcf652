#pragma once
// An immutable picture: RGBA pixels and the rule that says which of them are see-through
// (a bitmap's bottom-left colour, a PNG's alpha, none for JPEG). Shared between holders:
// a digit position that copies a number picture shares its pixels.

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
};

using PicturePtr = std::shared_ptr<const Picture>;

}  // namespace fluffo
