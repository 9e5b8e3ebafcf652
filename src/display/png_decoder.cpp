// PNG through libpng's simplified reader: palette, grey, 16-bit and tRNS pictures all come
// out as 8-bit RGBA with their alpha. The reader keeps libpng's longjmp inside the library.
#include <png.h>

#include <bit>
#include <memory>

#include "display/picture_decoders.h"

namespace fluffo {
namespace {

// Frees libpng's state on every way out, the refusals included.
struct PngImageGuard {
    png_image* image;
    ~PngImageGuard() { png_image_free(image); }
};

std::string reason_of(const png_image& image) {
    return image.message[0] != '\0' ? std::string(image.message) : std::string("damaged data");
}

}  // namespace

PicturePtr decode_png(std::span<const uint8_t> bytes, const std::string& file_name) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    PngImageGuard guard{&image};
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) {
        refuse_picture(file_name, "it is not a PNG file");
    }
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        refuse_picture(file_name, reason_of(image));
    }
    check_picture_size(file_name, image.width, image.height);

    // A 16-bit picture without colour space information is taken as sRGB like an 8-bit one,
    // so its values scale straight down instead of being read as linear light.
    image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    image.format = PNG_FORMAT_RGBA;
    auto picture = std::make_shared<Picture>();
    picture->width = static_cast<int32_t>(image.width);
    picture->height = static_cast<int32_t>(image.height);
    picture->pixels.resize(static_cast<size_t>(image.width) * image.height);
    picture->transparency = Transparency::Alpha;
    if (!png_image_finish_read(&image, nullptr, picture->pixels.data(), 0, nullptr)) {
        refuse_picture(file_name, reason_of(image));
    }
    // The bytes came out R, G, B, A: that is 0xAABBGGRR on a little-endian machine.
    if constexpr (std::endian::native == std::endian::big) {
        for (uint32_t& p : picture->pixels)
            p = __builtin_bswap32(p);
    }
    return picture;
}

}  // namespace fluffo
