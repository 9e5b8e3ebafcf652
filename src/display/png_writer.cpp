#include "display/png_writer.h"

#include <png.h>

#include <cstring>

namespace fluffo {

void write_png(const std::string& path, int32_t width, int32_t height,
               const std::vector<uint32_t>& pixels, bool with_alpha) {
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        throw PngWriteError(path + ": no picture to write (" + std::to_string(width) + " x " +
                            std::to_string(height) + ")");
    }
    // Bytes in R, G, B(, A) order whatever the machine's byte order.
    const size_t channels = with_alpha ? 4 : 3;
    std::vector<uint8_t> bytes(pixels.size() * channels);
    for (size_t i = 0; i < pixels.size(); ++i) {
        for (size_t c = 0; c < channels; ++c) {
            bytes[i * channels + c] = static_cast<uint8_t>(pixels[i] >> (8 * c));
        }
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = with_alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    const int ok = png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr);
    if (!ok) {
        const std::string reason = image.message[0] != '\0' ? image.message : "write failed";
        png_image_free(&image);
        throw PngWriteError(path + ": " + reason);
    }
}

}  // namespace fluffo
