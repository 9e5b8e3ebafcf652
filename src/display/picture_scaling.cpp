#include "display/picture_scaling.h"

#include <algorithm>
#include <cmath>

namespace fluffo {

namespace {

// The source pixels that make up one destination pixel along an axis, and their weights.
struct Taps {
    std::vector<int32_t> first;  // per destination index: the first source index
    std::vector<int32_t> count;  // per destination index: how many weights
    std::vector<size_t> offset;  // per destination index: where its weights start
    std::vector<float> weights;
};

Taps axis_taps(int32_t src, int32_t dst) {
    Taps t;
    t.first.resize(static_cast<size_t>(dst));
    t.count.resize(static_cast<size_t>(dst));
    t.offset.resize(static_cast<size_t>(dst));
    const double ratio = static_cast<double>(src) / dst;
    for (int32_t d = 0; d < dst; ++d) {
        const auto i = static_cast<size_t>(d);
        t.offset[i] = t.weights.size();
        if (dst >= src) {
            // Growing: blend the two source pixels nearest the destination pixel's centre.
            const double centre = (d + 0.5) * ratio - 0.5;
            const double base = std::floor(centre);
            const auto f = static_cast<float>(centre - base);
            const auto a = std::clamp(static_cast<int32_t>(base), 0, src - 1);
            const auto b = std::clamp(static_cast<int32_t>(base) + 1, 0, src - 1);
            t.first[i] = a;
            t.count[i] = b - a + 1;
            if (a == b) {
                t.weights.push_back(1.0f);
            } else {
                t.weights.push_back(1.0f - f);
                t.weights.push_back(f);
            }
        } else {
            // Shrinking: average the source pixels the destination pixel covers, by overlap.
            const double start = d * ratio;
            const double end = (d + 1) * ratio;
            const auto lo = static_cast<int32_t>(std::floor(start));
            const auto hi = std::min(static_cast<int32_t>(std::ceil(end)), src);
            t.first[i] = lo;
            t.count[i] = hi - lo;
            for (int32_t s = lo; s < hi; ++s) {
                const double overlap = std::min<double>(s + 1, end) - std::max<double>(s, start);
                t.weights.push_back(static_cast<float>(overlap / ratio));
            }
        }
    }
    return t;
}

uint32_t channel(uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xffu;
}

uint32_t div255(uint32_t x) {
    return (x + 128 + ((x + 128) >> 8)) >> 8;
}

}  // namespace

std::vector<uint32_t> premultiplied(const Picture& picture, bool see_through) {
    std::vector<uint32_t> out(picture.pixels.size());
    const Transparency rule = see_through ? picture.transparency : Transparency::None;
    const uint32_t key = key_colour(picture);
    for (size_t i = 0; i < out.size(); ++i) {
        const uint32_t p = picture.pixels[i];
        switch (rule) {
            case Transparency::None:
                out[i] = p | 0xff000000u;
                break;
            case Transparency::BottomLeftKey:
                out[i] = (p & 0x00ffffffu) == key ? 0u : (p | 0xff000000u);
                break;
            case Transparency::Alpha: {
                const uint32_t a = p >> 24;
                out[i] = (a << 24) | (div255(channel(p, 16) * a) << 16) |
                         (div255(channel(p, 8) * a) << 8) | div255(channel(p, 0) * a);
                break;
            }
        }
    }
    return out;
}

std::vector<uint32_t> premultiplied_clearing(const Picture& picture, bool see_through,
                                             uint32_t clear) {
    std::vector<uint32_t> out = premultiplied(picture, see_through);
    clear &= 0x00ffffffu;
    for (size_t i = 0; i < out.size(); ++i) {
        if ((picture.pixels[i] & 0x00ffffffu) == clear) out[i] = 0;
    }
    return out;
}

void harden_edges(std::vector<uint32_t>& pixels, uint32_t clear_as) {
    for (uint32_t& p : pixels) {
        const uint32_t a = p >> 24;
        if (a == 255) continue;
        if (a < 128) {
            p = clear_as;
            continue;
        }
        uint32_t out = 0xff000000u;
        for (int c = 0; c < 3; ++c) {
            const uint32_t v = std::min<uint32_t>(255, (channel(p, 8 * c) * 255 + a / 2) / a);
            out |= v << (8 * c);
        }
        p = out;
    }
}

std::vector<uint32_t> scaled(const std::vector<uint32_t>& pixels, int32_t src_width,
                             int32_t src_height, int32_t width, int32_t height) {
    const Taps tx = axis_taps(src_width, width);
    const Taps ty = axis_taps(src_height, height);
    const auto w = static_cast<size_t>(width);
    std::vector<uint32_t> out(w * static_cast<size_t>(height));
    std::vector<float> row(w * 4);  // one source row scaled across
    std::vector<float> acc(w * 4);
    for (int32_t y = 0; y < height; ++y) {
        const auto yi = static_cast<size_t>(y);
        std::fill(acc.begin(), acc.end(), 0.0f);
        for (int32_t k = 0; k < ty.count[yi]; ++k) {
            const float wy = ty.weights[ty.offset[yi] + static_cast<size_t>(k)];
            const uint32_t* src = pixels.data() + static_cast<size_t>(ty.first[yi] + k) *
                                                      static_cast<size_t>(src_width);
            std::fill(row.begin(), row.end(), 0.0f);
            for (size_t x = 0; x < w; ++x) {
                for (int32_t j = 0; j < tx.count[x]; ++j) {
                    const float wx = tx.weights[tx.offset[x] + static_cast<size_t>(j)];
                    const uint32_t p = src[tx.first[x] + j];
                    for (int c = 0; c < 4; ++c) {
                        row[x * 4 + static_cast<size_t>(c)] +=
                            wx * static_cast<float>(channel(p, 8 * c));
                    }
                }
            }
            for (size_t i = 0; i < acc.size(); ++i) {
                acc[i] += wy * row[i];
            }
        }
        for (size_t x = 0; x < w; ++x) {
            uint32_t p = 0;
            for (int c = 0; c < 4; ++c) {
                const float v = std::clamp(acc[x * 4 + static_cast<size_t>(c)], 0.0f, 255.0f);
                p |= static_cast<uint32_t>(std::lround(v)) << (8 * c);
            }
            // Rounding must never leave a colour brighter than its opacity allows.
            const uint32_t a = p >> 24;
            for (int c = 0; c < 3; ++c) {
                if (channel(p, 8 * c) > a) p = (p & ~(0xffu << (8 * c))) | (a << (8 * c));
            }
            out[yi * w + x] = p;
        }
    }
    return out;
}

}  // namespace fluffo
