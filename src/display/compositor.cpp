#include "display/compositor.h"

#include <algorithm>
#include <string>

#include "display/picture_files.h"
#include "display/picture_scaling.h"

namespace fluffo {

namespace {

constexpr uint32_t Opaque = 0xff000000u;
constexpr uint32_t Colour_Bits = 0x00ffffffu;

Rect intersect(const Rect& a, const Rect& b) {
    const int64_t left = std::max<int64_t>(a.left, b.left);
    const int64_t top = std::max<int64_t>(a.top, b.top);
    const int64_t right = std::min(int64_t{a.left} + a.width, int64_t{b.left} + b.width);
    const int64_t bottom = std::min(int64_t{a.top} + a.height, int64_t{b.top} + b.height);
    if (right <= left || bottom <= top) return Rect{};
    return Rect{static_cast<int32_t>(left), static_cast<int32_t>(top),
                static_cast<int32_t>(right - left), static_cast<int32_t>(bottom - top)};
}

bool is_empty(const Rect& r) {
    return r.width <= 0 || r.height <= 0;
}

uint32_t div255(uint32_t x) {
    return (x + 128 + ((x + 128) >> 8)) >> 8;
}

// A straight-alpha pixel over an opaque one.
uint32_t blend(uint32_t src, uint32_t dst) {
    const uint32_t a = src >> 24;
    if (a == 255) return src;
    if (a == 0) return dst;
    const uint32_t na = 255 - a;
    uint32_t out = Opaque;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t s = (src >> shift) & 0xffu;
        const uint32_t d = (dst >> shift) & 0xffu;
        out |= div255(s * a + d * na) << shift;
    }
    return out;
}

// A premultiplied pixel over an opaque one.
uint32_t blend_premultiplied(uint32_t src, uint32_t dst) {
    const uint32_t a = src >> 24;
    if (a == 255) return src;
    if (a == 0) return dst;
    const uint32_t na = 255 - a;
    uint32_t out = Opaque;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t s = (src >> shift) & 0xffu;
        const uint32_t d = (dst >> shift) & 0xffu;
        out |= std::min<uint32_t>(255, s + div255(d * na)) << shift;
    }
    return out;
}

}  // namespace

bool frame_size_allowed(int32_t width, int32_t height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    return width <= Max_Frame_Side && height <= Max_Frame_Side &&
           int64_t{width} * height <= Max_Picture_Pixels;
}

std::string frame_too_large_text(int32_t width, int32_t height) {
    return "the window is too large to draw (" + std::to_string(width) + " x " +
           std::to_string(height) + ")";
}

void Compositor::set_frame(int32_t width, int32_t height, uint32_t window_colour) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (!frame_size_allowed(width, height))
        throw FrameTooLarge(frame_too_large_text(width, height));
    const uint32_t background = (window_colour & Colour_Bits) | Opaque;
    if (width == m_width && height == m_height && background == m_background) return;
    m_width = width;
    m_height = height;
    m_background = background;
    m_pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), background);
    m_recompose_all = true;
}

std::vector<Rect> Compositor::update(ScreenModel& model) {
    const std::vector<Rect> dirty = model.take_dirty();
    const Rect frame{0, 0, m_width, m_height};
    if (m_recompose_all) {
        m_recompose_all = false;
        compose(model, frame);
        if (is_empty(frame)) return {};
        return {frame};
    }
    std::vector<Rect> done;
    for (const Rect& r : dirty) {
        const Rect clip = intersect(r, frame);
        if (is_empty(clip)) continue;
        compose(model, clip);
        done.push_back(clip);
    }
    return done;
}

void Compositor::compose(const ScreenModel& model, Rect area) {
    area = intersect(area, Rect{0, 0, m_width, m_height});
    if (is_empty(area)) return;
    if (m_stretched.size() < model.size()) m_stretched.resize(model.size());
    for (int32_t y = area.top; y < area.top + area.height; ++y) {
        std::fill_n(row(y) + area.left, area.width, m_background);
    }
    const std::vector<Holder>& holders = model.holders();
    for (size_t i = 0; i < holders.size(); ++i) {
        const Holder& h = holders[i];
        if (h.visible && h.picture) draw(h, i, area);
    }
}

void Compositor::draw(const Holder& h, size_t index, const Rect& area) {
    const Picture& p = *h.picture;
    if (p.width <= 0 || p.height <= 0) return;
    Rect clip = intersect(area, h.bounds);
    if (is_empty(clip)) return;
    if (h.stretch) {
        draw_stretched(h, index, clip);
        return;
    }
    int32_t left = h.bounds.left;
    int32_t top = h.bounds.top;
    if (h.center) {
        left += (h.bounds.width - p.width) / 2;
        top += (h.bounds.height - p.height) / 2;
    }
    clip = intersect(clip, Rect{left, top, p.width, p.height});
    if (is_empty(clip)) return;

    const Transparency rule = h.transparent ? p.transparency : Transparency::None;
    const uint32_t key = key_colour(p);
    for (int32_t y = clip.top; y < clip.top + clip.height; ++y) {
        const uint32_t* src = p.pixels.data() +
                              static_cast<size_t>(y - top) * static_cast<size_t>(p.width) +
                              static_cast<size_t>(clip.left - left);
        uint32_t* dst = row(y) + clip.left;
        switch (rule) {
            case Transparency::None:
                for (int32_t x = 0; x < clip.width; ++x)
                    dst[x] = src[x] | Opaque;
                break;
            case Transparency::BottomLeftKey:
                for (int32_t x = 0; x < clip.width; ++x) {
                    if ((src[x] & Colour_Bits) != key) dst[x] = src[x] | Opaque;
                }
                break;
            case Transparency::Alpha:
                for (int32_t x = 0; x < clip.width; ++x)
                    dst[x] = blend(src[x], dst[x]);
                break;
        }
    }
}

void Compositor::draw_stretched(const Holder& h, size_t index, const Rect& clip) {
    Stretched& s = m_stretched[index];
    const Rect& b = h.bounds;
    // Config.ini may give a holder any size; a scaled copy larger than the biggest picture
    // there can be is not made.
    if (int64_t{b.width} * b.height > Max_Picture_Pixels) return;
    if (s.source != h.picture || s.width != b.width || s.height != b.height ||
        s.see_through != h.transparent) {
        const Picture& p = *h.picture;
        s.source = h.picture;
        s.width = b.width;
        s.height = b.height;
        s.see_through = h.transparent;
        s.pixels = scaled(premultiplied(p, h.transparent), p.width, p.height, b.width, b.height);
    }
    for (int32_t y = clip.top; y < clip.top + clip.height; ++y) {
        const uint32_t* src = s.pixels.data() +
                              static_cast<size_t>(y - b.top) * static_cast<size_t>(b.width) +
                              static_cast<size_t>(clip.left - b.left);
        uint32_t* dst = row(y) + clip.left;
        for (int32_t x = 0; x < clip.width; ++x)
            dst[x] = blend_premultiplied(src[x], dst[x]);
    }
}

}  // namespace fluffo
