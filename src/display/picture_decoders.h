#pragma once
// The decoders behind decode_picture, one per format, and the checks they share. Each takes
// the whole file's bytes and either gives a picture or throws UndecodablePicture naming the
// file and the reason. Sizes are checked from the header before any pixel memory is taken.

#include <cstdint>
#include <span>
#include <string>

#include "display/picture_files.h"

namespace fluffo {

[[noreturn]] void refuse_picture(const std::string& file_name, const std::string& reason);

// Whether a picture of this size may be decoded: at least 1 x 1, at most Max_Picture_Side a
// side and Max_Picture_Pixels in all.
bool picture_size_allowed(int64_t width, int64_t height);

// Refuses a width or height below 1, or beyond Max_Picture_Side or Max_Picture_Pixels.
void check_picture_size(const std::string& file_name, int64_t width, int64_t height);

PicturePtr decode_png(std::span<const uint8_t> bytes, const std::string& file_name);
PicturePtr decode_jpeg(std::span<const uint8_t> bytes, const std::string& file_name);
PicturePtr decode_bmp(std::span<const uint8_t> bytes, const std::string& file_name);
PicturePtr decode_ico(std::span<const uint8_t> bytes, const std::string& file_name);

}  // namespace fluffo
