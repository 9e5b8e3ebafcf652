#pragma once
// Numbers as the bitmap and icon files store them: little-endian, read from a span the caller
// has already checked is long enough.

#include <cstddef>
#include <cstdint>
#include <span>

namespace fluffo {

inline uint32_t u16_at(std::span<const uint8_t> b, size_t at) {
    return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8;
}

inline uint32_t u32_at(std::span<const uint8_t> b, size_t at) {
    return u16_at(b, at) | u16_at(b, at + 2) << 16;
}

}  // namespace fluffo
