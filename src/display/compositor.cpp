#include "display/compositor.h"

#include <algorithm>
#include <cmath>
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

// The rectangle whose edges are r's mapped by `map`, rounded outward.
template <typename Map>
Rect mapped_outward(const Rect& r, Map map) {
    if (is_empty(r)) return Rect{};
    const auto lo = [&](int64_t v) {
        return clamp_to_int32(static_cast<int64_t>(std::floor(map(static_cast<double>(v)))));
    };
    const auto hi = [&](int64_t v) {
        return clamp_to_int32(static_cast<int64_t>(std::ceil(map(static_cast<double>(v)))));
    };
    const int32_t left = lo(r.left), top = lo(r.top);
    return Rect{left, top, clamp_to_int32(int64_t{hi(int64_t{r.left} + r.width)} - left),
                clamp_to_int32(int64_t{hi(int64_t{r.top} + r.height)} - top)};
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

void Compositor::set_frame(int32_t width, int32_t height, uint32_t window_colour, double scale) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (!(scale >= Min_Scale && scale <= Max_Scale)) {
        throw FrameTooLarge("the window cannot be drawn at scale " + std::to_string(scale));
    }
    const double frame_width = std::ceil(width * scale - 1e-9);
    const double frame_height = std::ceil(height * scale - 1e-9);
    // The frame's own pixels must fit, not only the window's.
    if (frame_width > Max_Frame_Side || frame_height > Max_Frame_Side ||
        !frame_size_allowed(static_cast<int32_t>(frame_width),
                            static_cast<int32_t>(frame_height))) {
        throw FrameTooLarge(frame_too_large_text(width, height));
    }
    const uint32_t background = (window_colour & Colour_Bits) | Opaque;
    if (width == m_window_width && height == m_window_height && background == m_background &&
        scale == m_scale) {
        return;
    }
    m_window_width = width;
    m_window_height = height;
    m_scale = scale;
    m_width = static_cast<int32_t>(frame_width);
    m_height = static_cast<int32_t>(frame_height);
    m_background = background;
    m_pixels.assign(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), background);
    m_recompose_all = true;
}

int32_t Compositor::edge(int64_t window_coordinate) const {
    return clamp_to_int32(std::llround(static_cast<double>(window_coordinate) * m_scale));
}

Rect Compositor::to_frame(const Rect& r) const {
    return mapped_outward(r, [this](double v) { return v * m_scale; });
}

Rect Compositor::to_window(const Rect& r) const {
    return mapped_outward(r, [this](double v) { return v / m_scale; });
}

std::vector<Rect> Compositor::update(ScreenModel& model) {
    const std::vector<Rect> dirty = model.take_dirty();
    const Rect frame{0, 0, m_width, m_height};
    if (m_recompose_all) {
        m_recompose_all = false;
        compose_frame(model, frame);
        if (is_empty(frame)) return {};
        return {frame};
    }
    std::vector<Rect> done;
    for (const Rect& r : dirty) {
        const Rect clip = intersect(to_frame(r), frame);
        if (is_empty(clip)) continue;
        compose_frame(model, clip);
        done.push_back(clip);
    }
    return done;
}

void Compositor::compose(const ScreenModel& model, Rect area) {
    compose_frame(model, to_frame(area));
}

void Compositor::compose_frame(const ScreenModel& model, Rect area) {
    area = intersect(area, Rect{0, 0, m_width, m_height});
    if (is_empty(area)) return;
    if (m_scaled.size() < model.size()) m_scaled.resize(model.size());
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
    const Rect holder = edges_in_frame(h.bounds);
    Rect clip = intersect(area, holder);
    if (is_empty(clip)) return;
    const Rect target = picture_place(h, holder);
    clip = intersect(clip, target);
    if (is_empty(clip)) return;
    if (target.width != p.width || target.height != p.height) {
        draw_scaled(h, index, target, clip);
        return;
    }
    copy_pixels(p, h.transparent ? p.transparency : Transparency::None, target, clip);
}

// The steps of draw are inlined into it: they run for every holder at every repaint, and a
// call apiece cost a game tick's repaint about a tenth more (core_bench).
[[gnu::always_inline]] inline Rect Compositor::edges_in_frame(const Rect& b) const {
    const int32_t left = edge(b.left), top = edge(b.top);
    return Rect{left, top, clamp_to_int32(int64_t{edge(int64_t{b.left} + b.width)} - left),
                clamp_to_int32(int64_t{edge(int64_t{b.top} + b.height)} - top)};
}

// Where the picture lies, in frame pixels: the holder's area when stretched, else the
// picture's own size at the corner or in the middle.
[[gnu::always_inline]] inline Rect Compositor::picture_place(const Holder& h,
                                                             const Rect& holder) const {
    if (h.stretch) return holder;
    const Picture& p = *h.picture;
    const Rect& b = h.bounds;
    Rect target = holder;
    const double ratio = m_scale / std::max(p.density, 1);
    target.width = clamp_to_int32(std::llround(p.width * ratio));
    target.height = clamp_to_int32(std::llround(p.height * ratio));
    if (h.center) {
        target.left = edge(int64_t{b.left} + (b.width - window_width(p)) / 2);
        target.top = edge(int64_t{b.top} + (b.height - window_height(p)) / 2);
    }
    return target;
}

[[gnu::always_inline]] inline void Compositor::copy_pixels(const Picture& p, Transparency rule,
                                                           const Rect& target, const Rect& clip) {
    const uint32_t key = key_colour(p);
    for (int32_t y = clip.top; y < clip.top + clip.height; ++y) {
        const uint32_t* src = p.pixels.data() +
                              static_cast<size_t>(y - target.top) * static_cast<size_t>(p.width) +
                              static_cast<size_t>(clip.left - target.left);
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

void Compositor::draw_scaled(const Holder& h, size_t index, const Rect& target, const Rect& clip) {
    // Config.ini may give a holder any size; a scaled copy larger than the biggest picture
    // there can be is not made.
    if (int64_t{target.width} * target.height > Max_Picture_Pixels) return;
    const Scaled& s = scaled_copy(h, index, target);
    for (int32_t y = clip.top; y < clip.top + clip.height; ++y) {
        const uint32_t* src =
            s.pixels.data() +
            static_cast<size_t>(y - target.top) * static_cast<size_t>(target.width) +
            static_cast<size_t>(clip.left - target.left);
        uint32_t* dst = row(y) + clip.left;
        for (int32_t x = 0; x < clip.width; ++x)
            dst[x] = blend_premultiplied(src[x], dst[x]);
    }
}

const Compositor::Scaled& Compositor::scaled_copy(const Holder& h, size_t index,
                                                  const Rect& target) {
    Scaled& s = m_scaled[index];
    const Picture& p = *h.picture;
    const Transparency rule = h.transparent ? p.transparency : Transparency::None;
    // The holder's Stretch flag scales smoothly throughout; scaled for the scale alone, a
    // picture see-through by a colour keeps its edges hard.
    const bool hard_edges = !h.stretch && rule != Transparency::Alpha;
    if (s.source == h.picture && s.width == target.width && s.height == target.height &&
        s.see_through == h.transparent && s.hard_edges == hard_edges && s.key == m_background) {
        return s;
    }
    s.source = h.picture;
    s.width = target.width;
    s.height = target.height;
    s.see_through = h.transparent;
    s.hard_edges = hard_edges;
    s.key = m_background;
    if (hard_edges) {
        const bool opaque = rule == Transparency::None;
        s.pixels =
            scaled(opaque ? premultiplied_clearing(p, false, m_background) : premultiplied(p, true),
                   p.width, p.height, target.width, target.height);
        harden_edges(s.pixels, opaque ? m_background : 0u);
    } else {
        s.pixels =
            scaled(premultiplied(p, h.transparent), p.width, p.height, target.width, target.height);
    }
    return s;
}

}  // namespace fluffo
