#pragma once
// Draws a window's picture holders into an RGBA frame of the window's client size, bottom to
// top, over the window colour, and afterwards only the rectangles the screen model reports as
// changed. The frame is row-major, top row first, each pixel 0xAABBGGRR with alpha 255.
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
    // A new size or colour recomposes the whole frame at the next update. Colour 0x00BBGGRR.
    // Throws FrameTooLarge beyond Max_Picture_Pixels pixels; the frame stays as it was.
    void set_frame(int32_t width, int32_t height, uint32_t window_colour);

    // Takes the model's changed rectangles and recomposes them, clipped to the frame (the
    // whole frame after set_frame changed it). Returns the rectangles recomposed.
    std::vector<Rect> update(ScreenModel& model);

    // Recomposes one area of the frame from the window colour up.
    void compose(const ScreenModel& model, Rect area);

    int32_t width() const { return m_width; }
    int32_t height() const { return m_height; }
    const std::vector<uint32_t>& pixels() const { return m_pixels; }
    uint32_t pixel(int32_t x, int32_t y) const {
        return m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width) +
                        static_cast<size_t>(x)];
    }

private:
    // A stretched picture, scaled once for its holder's size and kept while both stay.
    struct Stretched {
        PicturePtr source;
        int32_t width = 0;
        int32_t height = 0;
        bool see_through = false;
        std::vector<uint32_t> pixels;  // premultiplied
    };

    void draw(const Holder& h, size_t index, const Rect& area);
    void draw_stretched(const Holder& h, size_t index, const Rect& clip);
    uint32_t* row(int32_t y) {
        return m_pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(m_width);
    }

    int32_t m_width = 0;
    int32_t m_height = 0;
    uint32_t m_background = 0xff000000u;
    bool m_recompose_all = true;
    std::vector<uint32_t> m_pixels;
    std::vector<Stretched> m_stretched;  // by holder index
};

}  // namespace fluffo
