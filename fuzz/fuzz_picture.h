#pragma once
// What every picture fuzzer checks: the decoder either refuses the bytes with
// UndecodablePicture or gives a picture within the size limits whose pixels match its size.

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "display/picture_files.h"

namespace fluffo::fuzz {

inline void decode_and_check(const uint8_t* data, size_t size, const std::string& file_name) {
    PicturePtr picture;
    try {
        picture = decode_picture(std::span<const uint8_t>(data, size), file_name);
    } catch (const UndecodablePicture&) {
        return;
    }
    const int64_t w = picture->width;
    const int64_t h = picture->height;
    if (w < 1 || h < 1 || w > Max_Picture_Side || h > Max_Picture_Side ||
        w * h > Max_Picture_Pixels || picture->pixels.size() != static_cast<size_t>(w * h)) {
        std::abort();
    }
}

}  // namespace fluffo::fuzz
