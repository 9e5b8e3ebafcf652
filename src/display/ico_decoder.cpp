// Icon files (.ico): a directory of images, each a PNG or a bitmap without its file header
// whose height counts twice (the colour rows, then a 1-bit mask). The largest image that
// decodes is taken. A bitmap's see-through parts come from its alpha channel (32 bits a pixel
// with any alpha set) or else from its mask; the picture's transparency is its alpha.
#include <algorithm>
#include <cstring>
#include <vector>

#include "display/little_endian.h"
#include "display/picture_decoders.h"

namespace fluffo {
namespace {

constexpr size_t Directory_Size = 6;
constexpr size_t Entry_Size = 16;
constexpr size_t Info_Size = 40;

struct Entry {
    int64_t area = 0;  // as the directory gives it
    size_t offset = 0;
    size_t size = 0;
};

// One bitmap image of the icon: its colours through the bitmap decoder, then its alpha.
PicturePtr decode_icon_bitmap(std::span<const uint8_t> dib, const std::string& file_name) {
    if (dib.size() < Info_Size || u32_at(dib, 0) != Info_Size) {
        refuse_picture(file_name, "an icon image has no bitmap header");
    }
    const int64_t width = static_cast<int32_t>(u32_at(dib, 4));
    const int64_t height = static_cast<int32_t>(u32_at(dib, 8)) / 2;  // colour rows and mask
    const uint32_t bits = u16_at(dib, 14);
    check_picture_size(file_name, width, height);
    uint32_t colours = u32_at(dib, 32);
    if (colours == 0 && bits <= 8) colours = 1u << bits;
    if (bits > 8) colours = 0;
    if (colours > 256) refuse_picture(file_name, "an icon's colour table is too long");
    const size_t pixels_at = Info_Size + size_t{colours} * 4;

    // A bitmap file around the image, its height the colour rows alone.
    std::vector<uint8_t> file(14, 0);
    file[0] = 'B';
    file[1] = 'M';
    const auto set32 = [](std::vector<uint8_t>& b, size_t at, uint32_t v) {
        for (size_t i = 0; i < 4; ++i)
            b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    file.insert(file.end(), dib.begin(), dib.end());
    set32(file, 2, static_cast<uint32_t>(file.size()));
    set32(file, 10, static_cast<uint32_t>(14 + pixels_at));
    set32(file, 14 + 8, static_cast<uint32_t>(height));
    PicturePtr colour = decode_bmp(file, file_name);

    auto picture = std::make_shared<Picture>(*colour);
    picture->transparency = Transparency::Alpha;
    const auto w = static_cast<size_t>(width);
    const auto h = static_cast<size_t>(height);
    const size_t colour_row = (w * bits + 31) / 32 * 4;
    bool any_alpha = false;
    if (bits == 32) {
        for (size_t y = 0; y < h; ++y) {
            for (size_t x = 0; x < w; ++x) {
                const size_t at = pixels_at + y * colour_row + x * 4 + 3;
                const uint8_t alpha = at < dib.size() ? dib[at] : 0;
                any_alpha = any_alpha || alpha != 0;
                uint32_t& p = picture->pixels[(h - 1 - y) * w + x];
                p = (p & 0x00FF'FFFFu) | uint32_t{alpha} << 24;
            }
        }
    }
    if (any_alpha) return picture;
    // The mask: a set bit is see-through; a mask the file lacks hides nothing.
    const size_t mask_at = pixels_at + colour_row * h;
    const size_t mask_row = (w + 31) / 32 * 4;
    for (size_t y = 0; y < h; ++y) {
        for (size_t x = 0; x < w; ++x) {
            const size_t at = mask_at + y * mask_row + x / 8;
            const bool clear = at < dib.size() && (dib[at] >> (7 - x % 8) & 1) != 0;
            uint32_t& p = picture->pixels[(h - 1 - y) * w + x];
            p = (p & 0x00FF'FFFFu) | (clear ? 0u : 0xFF00'0000u);
        }
    }
    return picture;
}

}  // namespace

PicturePtr decode_ico(std::span<const uint8_t> bytes, const std::string& file_name) {
    if (bytes.size() < Directory_Size || u16_at(bytes, 0) != 0 ||
        (u16_at(bytes, 2) != 1 && u16_at(bytes, 2) != 2) || u16_at(bytes, 4) == 0) {
        refuse_picture(file_name, "it is not an icon file");
    }
    const size_t count = u16_at(bytes, 4);
    if (bytes.size() < Directory_Size + count * Entry_Size) {
        refuse_picture(file_name, "the file is cut short");
    }
    std::vector<Entry> entries;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = Directory_Size + i * Entry_Size;
        const int64_t w = bytes[at] == 0 ? 256 : bytes[at];
        const int64_t h = bytes[at + 1] == 0 ? 256 : bytes[at + 1];
        const size_t size = u32_at(bytes, at + 8);
        const size_t offset = u32_at(bytes, at + 12);
        if (offset > bytes.size() || size > bytes.size() - offset) continue;
        entries.push_back(Entry{w * h, offset, size});
    }
    // The largest first; the first that decodes is the picture.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.area > b.area; });
    if (entries.empty()) refuse_picture(file_name, "the file is cut short");
    std::string reason;
    for (const Entry& e : entries) {
        const std::span<const uint8_t> image = bytes.subspan(e.offset, e.size);
        try {
            static constexpr uint8_t Png_Signature[] = {0x89, 'P', 'N', 'G'};
            if (image.size() >= 4 && std::equal(image.begin(), image.begin() + 4, Png_Signature))
                return decode_png(image, file_name);
            return decode_icon_bitmap(image, file_name);
        } catch (const UndecodablePicture& error) {
            reason = error.what();
        }
    }
    throw UndecodablePicture(reason);
}

}  // namespace fluffo
