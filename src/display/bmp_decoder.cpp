// Bitmaps through stb_image: 1, 4, 8, 16, 24 and 32 bits a pixel, bottom-up or top-down.
// The header is read here first, so that absurd sizes and cut-off files are refused before
// stb_image takes any memory, and so that stb_image only ever sees a bitmap. Run-length
// compressed bitmaps (4 and 8 bits) are expanded here into a plain 8-bit one first.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "display/little_endian.h"
#include "display/picture_decoders.h"

// stb_image is built here with its bitmap reader alone: a file named .bmp is never tried as
// another format, and the reader is compiled with this program (and its sanitizers).
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 16384
#include <stb_image.h>

namespace fluffo {
namespace {

constexpr size_t File_Header_Size = 14;

struct BmpHeader {
    uint32_t data_offset = 0;  // where the pixel rows start
    uint32_t info_size = 0;    // 12 for the old OS/2 header, 40 and up for the Windows ones
    int64_t width = 0;
    int64_t height = 0;  // negative for a top-down bitmap
    uint32_t bits = 0;
    uint32_t compression = 0;
};

BmpHeader read_header(std::span<const uint8_t> bytes, const std::string& file_name) {
    if (bytes.size() < File_Header_Size + 4 || bytes[0] != 'B' || bytes[1] != 'M') {
        refuse_picture(file_name, "it is not a bitmap file");
    }
    BmpHeader h;
    h.data_offset = u32_at(bytes, 10);
    h.info_size = u32_at(bytes, 14);
    const uint32_t s = h.info_size;
    if (s != 12 && s != 40 && s != 56 && s != 108 && s != 124) {
        refuse_picture(file_name, "its bitmap header (" + std::to_string(s) + " bytes) is unknown");
    }
    if (bytes.size() < File_Header_Size + s) refuse_picture(file_name, "the file is cut short");
    const size_t at = File_Header_Size + 4;
    if (s == 12) {
        h.width = u16_at(bytes, at);
        h.height = u16_at(bytes, at + 2);
        h.bits = u16_at(bytes, at + 6);
    } else {
        h.width = static_cast<int32_t>(u32_at(bytes, at));
        h.height = static_cast<int32_t>(u32_at(bytes, at + 4));
        h.bits = u16_at(bytes, at + 10);
        h.compression = u32_at(bytes, at + 12);
    }
    return h;
}

// A short colour table is padded with black, so that a pixel naming an entry beyond the
// table is black instead of whatever stb_image's table held before.
std::optional<std::vector<uint8_t>> pad_colour_table(std::span<const uint8_t> bytes,
                                                     const BmpHeader& h) {
    const int64_t table_start = File_Header_Size + h.info_size;
    const int64_t entries = (int64_t{h.data_offset} - table_start) / 4;
    const int64_t wanted = int64_t{1} << h.bits;
    if (entries < 1 || entries >= wanted) return std::nullopt;
    const auto added = static_cast<size_t>((wanted - entries) * 4);
    const auto table_end = static_cast<size_t>(table_start + entries * 4);
    std::vector<uint8_t> padded;
    padded.reserve(bytes.size() + added);
    padded.insert(padded.end(), bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(table_end));
    padded.insert(padded.end(), added, 0);
    padded.insert(padded.end(), bytes.begin() + static_cast<ptrdiff_t>(table_end), bytes.end());
    const uint32_t offset = h.data_offset + static_cast<uint32_t>(added);
    for (size_t i = 0; i < 4; ++i)
        padded[10 + i] = static_cast<uint8_t>(offset >> (8 * i));
    return padded;
}

// The pixel indexes of a run-length compressed bitmap (RLE8 or RLE4), bottom row first, laid
// out as a plain 8-bit bitmap with the same colour table. Pixels the data skips (a jump, a
// line or the bitmap ended early) take index 0; runs past the right edge are cut.
std::vector<uint8_t> expanded_rle(std::span<const uint8_t> bytes, const BmpHeader& h,
                                  const std::string& file_name) {
    const bool four = h.compression == 2;
    const auto width = static_cast<size_t>(h.width);
    const auto rows = static_cast<size_t>(h.height);
    const size_t row_bytes = (width + 3) / 4 * 4;
    const size_t table_start = File_Header_Size + h.info_size;
    const size_t table_end = std::min<size_t>(h.data_offset, bytes.size());
    const size_t table_bytes = table_end > table_start ? (table_end - table_start) / 4 * 4 : 0;

    std::vector<uint8_t> out(File_Header_Size + 40 + table_bytes + row_bytes * rows, 0);
    const auto put32 = [&](size_t at, uint32_t v) {
        for (size_t i = 0; i < 4; ++i)
            out[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    const size_t pixels_at = File_Header_Size + 40 + table_bytes;
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<uint32_t>(out.size()));
    put32(10, static_cast<uint32_t>(pixels_at));
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(rows));
    out[26] = 1;  // planes
    out[28] = 8;  // bits a pixel; compression 0
    std::copy_n(bytes.begin() + static_cast<ptrdiff_t>(table_start), table_bytes,
                out.begin() + static_cast<ptrdiff_t>(File_Header_Size + 40));

    size_t at = h.data_offset;
    size_t x = 0;
    size_t y = 0;
    const auto next = [&]() -> uint8_t {
        if (at >= bytes.size()) refuse_picture(file_name, "the file is cut short");
        return bytes[at++];
    };
    const auto put = [&](uint8_t index) {
        if (x < width && y < rows) out[pixels_at + y * row_bytes + x] = index;
        ++x;
    };
    while (y < rows) {
        const uint8_t count = next();
        const uint8_t value = next();
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i)
                put(four ? static_cast<uint8_t>(i % 2 == 0 ? value >> 4 : value & 0x0f) : value);
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            x += next();
            y += next();
        } else {
            const unsigned data_bytes = four ? (value + 1u) / 2 : value;
            for (unsigned i = 0; i < value; ++i) {
                const uint8_t byte = four && i % 2 == 1 ? bytes[at - 1] : next();
                put(four ? static_cast<uint8_t>(i % 2 == 0 ? byte >> 4 : byte & 0x0f) : byte);
            }
            if (data_bytes % 2 == 1) next();  // absolute runs end on a 16-bit boundary
        }
    }
    return out;
}

struct StbFree {
    void operator()(unsigned char* p) const { stbi_image_free(p); }
};

std::string stb_reason() {
    const char* reason = stbi_failure_reason();
    return reason != nullptr ? std::string(reason) : std::string("damaged data");
}

}  // namespace

PicturePtr decode_bmp(std::span<const uint8_t> bytes, const std::string& file_name) {
    const BmpHeader h = read_header(bytes, file_name);
    const int64_t rows = h.height < 0 ? -h.height : h.height;
    check_picture_size(file_name, h.width, rows);

    const uint32_t b = h.bits;
    if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32) {
        refuse_picture(file_name, std::to_string(b) + " bits a pixel is not a bitmap depth");
    }
    const bool rle = (h.compression == 1 && b == 8) || (h.compression == 2 && b == 4);
    if (rle) {
        if (h.height < 0) refuse_picture(file_name, "a run-length bitmap cannot be top-down");
        const std::vector<uint8_t> plain = expanded_rle(bytes, h, file_name);
        return decode_bmp(plain, file_name);
    }
    if (h.compression != 0 && !(h.compression == 3 && (b == 16 || b == 32))) {
        refuse_picture(file_name,
                       "its compression (" + std::to_string(h.compression) + ") is not supported");
    }
    if (h.info_size == 12 && b <= 8) {
        refuse_picture(file_name, "OS/2 bitmaps with a colour table are not supported");
    }
    // Every row is padded to four bytes; the last one may lack its padding.
    const int64_t row_bytes = (h.width * b + 31) / 32 * 4;
    const int64_t needed = int64_t{h.data_offset} + row_bytes * (rows - 1) + (h.width * b + 7) / 8;
    if (static_cast<int64_t>(bytes.size()) < needed) {
        refuse_picture(file_name, "the file is cut short");
    }

    if (bytes.size() > static_cast<size_t>(std::numeric_limits<int>::max() / 2)) {
        refuse_picture(file_name, "the file is too large");
    }
    std::optional<std::vector<uint8_t>> padded;
    if (b <= 8) padded = pad_colour_table(bytes, h);
    const std::span<const uint8_t> data = padded ? std::span<const uint8_t>(*padded) : bytes;

    const auto size = static_cast<int>(data.size());
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!stbi_info_from_memory(data.data(), size, &width, &height, &channels)) {
        refuse_picture(file_name, stb_reason());
    }
    if (width != h.width || std::abs(height) != rows) {
        refuse_picture(file_name, "its header cannot be read");
    }
    const std::unique_ptr<unsigned char, StbFree> rgba(
        stbi_load_from_memory(data.data(), size, &width, &height, &channels, 4));
    if (!rgba) refuse_picture(file_name, stb_reason());

    auto picture = std::make_shared<Picture>();
    picture->width = static_cast<int32_t>(h.width);
    picture->height = static_cast<int32_t>(rows);
    picture->transparency = Transparency::BottomLeftKey;
    picture->pixels.resize(static_cast<size_t>(h.width * rows));
    const unsigned char* p = rgba.get();
    // A bitmap's transparency is its key colour, never an alpha channel: every pixel opaque.
    for (uint32_t& pixel : picture->pixels) {
        pixel = uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | 0xFF00'0000u;
        p += 4;
    }
    return picture;
}

}  // namespace fluffo
