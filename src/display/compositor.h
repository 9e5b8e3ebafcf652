#pragma once
// Draws a window's picture holders into an RGBA frame of the window's client size, bottom to
// top, over the window colour, and afterwards only the rectangles the screen model reports as
// changed. The frame is row-major, top row first, each pixel 0xAABBGGRR with alpha 255.
//
// The frame has the screen's resolution: at scale s each window pixel is s x s frame pixels
// (a zoomed window, a high-density screen), and holders keep their places in window pixels.
// A picture whose density is the scale is copied pixel for pixel; any other is scaled once to
// its size in frame pixels and kept while holder, picture and scale stay. Scaled for the
// scale, a picture keeps hard edges where it is see-through by a colour (a bitmap's key, or
// in an opaque holder the window's own colour, which is the shape's key in windowed mode):
// no blend of the key with the picture appears for the shape to leave standing.
//
// Drawing rules: a picture sits at its own size at the holder's top-left corner, or centred in
// the holder, or scaled smoothly to the holder's size (stretch wins over centre), and never
// leaves the holder. A transparent holder lets what lies beneath show through a bitmap's
// pixels of its bottom-left colour and through a PNG's alpha (blended). A holder that is not
// transparent draws every pixel of its picture as it is, opaque: a bitmap's key colour shows
// as a colour and a PNG's alpha is ignored, so pictures for such holders are made opaque.

#include <cstdint>
#include <string>
#include <vector>

#include "base/platform_error.h"
#include "display/screen_model.h"

namespace fluffo {

// Config.ini may give the window any size; a frame larger than the largest picture there can
// be, or wider or taller than a window can be, is not made. The text names the size.
class FrameTooLarge : public PlatformError {
public:
    using PlatformError::PlatformError;
};

inline constexpr int32_t Max_Frame_Side = 32767;
bool frame_size_allowed(int32_t width, int32_t height);
std::string frame_too_large_text(int32_t width, int32_t height);

class Compositor {
public:
    // A window of width x height window pixels, each scale x scale frame pixels: the frame is
    // ceil(width * scale) x ceil(height * scale). A new size, colour or scale recomposes the
    // whole frame at the next update. Colour 0x00BBGGRR. Throws FrameTooLarge beyond
    // Max_Picture_Pixels frame pixels or for a scale outside Min_Scale..Max_Scale; the frame
    // stays as it was.
    void set_frame(int32_t width, int32_t height, uint32_t window_colour, double scale = 1.0);

    // Takes the model's changed rectangles and recomposes them, clipped to the frame (the
    // whole frame after set_frame changed it). Returns the rectangles recomposed, in frame
    // pixels.
    std::vector<Rect> update(ScreenModel& model);

    // Recomposes one area (window pixels) of the frame from the window colour up.
    void compose(const ScreenModel& model, Rect area);

    // The frame pixels a rectangle of window pixels covers, its edges rounded outward.
    Rect to_frame(const Rect& window_rect) const;
    // The window pixels a rectangle of frame pixels touches, its edges rounded outward.
    Rect to_window(const Rect& frame_rect) const;

    static constexpr double Min_Scale = 0.25;
    static constexpr double Max_Scale = 16.0;

    double scale() const { return m_scale; }
    // The frame's size in frame pixels.
    int32_t width() const { return m_width; }
    int32_t height() const { return m_height; }
    const std::vector<uint32_t>& pixels() const { return m_pixels; }
    uint32_t pixel(int32_t x, int32_t y) const {
        return m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width) +
                        static_cast<size_t>(x)];
    }

private:
    // A picture scaled once to its size in frame pixels, kept while it stays the same.
    struct Scaled {
        PicturePtr source;
        int32_t width = 0;
        int32_t height = 0;
        bool see_through = false;
        bool hard_edges = false;
        uint32_t key = 0;
        std::vector<uint32_t> pixels;  // premultiplied
    };

    void compose_frame(const ScreenModel& model, Rect area);
    void draw(const Holder& h, size_t index, const Rect& area);
    // A holder's rectangle (window pixels) in frame pixels, each edge where its pixel starts.
    Rect edges_in_frame(const Rect& window_rect) const;
    Rect picture_place(const Holder& h, const Rect& holder) const;
    // A picture at its own size, pixel for pixel.
    void copy_pixels(const Picture& p, Transparency rule, const Rect& target, const Rect& clip);
    void draw_scaled(const Holder& h, size_t index, const Rect& target, const Rect& clip);
    // The holder's picture scaled to the target's size, made anew only when it changed.
    const Scaled& scaled_copy(const Holder& h, size_t index, const Rect& target);
    // A window coordinate's frame coordinate: the place where the window pixel starts.
    int32_t edge(int64_t window_coordinate) const;
    uint32_t* row(int32_t y) {
        return m_pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(m_width);
    }

    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_window_width = 0;
    int32_t m_window_height = 0;
    double m_scale = 1.0;
    uint32_t m_background = 0xff000000u;
    bool m_recompose_all = true;
    std::vector<uint32_t> m_pixels;
    std::vector<Scaled> m_scaled;  // by holder index
};

}  // namespace fluffo
