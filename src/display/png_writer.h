#pragma once
// Writes RGBA pixels (0xAABBGGRR, row-major, top row first) to a PNG file through libpng.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace fluffo {

// The text names the file and the reason.
class PngWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// with_alpha false writes RGB and drops the alpha bytes (an opaque frame).
void write_png(const std::string& path, int32_t width, int32_t height,
               const std::vector<uint32_t>& pixels, bool with_alpha);

}  // namespace fluffo
