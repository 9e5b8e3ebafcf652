// Feeds arbitrary bytes to the PNG decoder. libpng refuses a chunk whose checksum is wrong
// before looking inside, so the chunks' checksums are put right first: mutations then reach
// the header, palette, transparency and image data readers instead of stopping at the CRC.
#include <zlib.h>

#include <vector>

#include "fuzz_picture.h"

namespace {

uint32_t big_endian_at(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 |
           uint32_t{b[at + 3]};
}

void fix_chunk_checksums(std::vector<uint8_t>& png) {
    size_t at = 8;  // after the signature
    while (at + 12 <= png.size()) {
        const uint32_t length = big_endian_at(png, at);
        if (length > png.size() - at - 12) break;
        const auto crc = static_cast<uint32_t>(crc32(0, png.data() + at + 4, length + 4));
        const size_t crc_at = at + 8 + length;
        for (size_t i = 0; i < 4; ++i)
            png[crc_at + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
        at = crc_at + 4;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> png(data, data + size);
    fix_chunk_checksums(png);
    fluffo::fuzz::decode_and_check(png.data(), png.size(), "fuzz.png");
    return 0;
}
