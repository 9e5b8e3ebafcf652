#include "display/key_colour_pixels.h"

#include <algorithm>

namespace fluffo {

bool KeyColourPixels::changed(const Compositor& frame, uint32_t key_colour,
                              const std::vector<Rect>& recomposed) {
    const uint32_t key = key_colour & 0x00ffffffu;
    if (frame.width() != m_width || frame.height() != m_height || key != m_key) {
        m_width = frame.width();
        m_height = frame.height();
        m_key = key;
        m_keyed.assign(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), 0);
        read(frame, Rect{0, 0, m_width, m_height});
        return true;
    }
    bool any = false;
    for (const Rect& r : recomposed) {
        const int64_t left = std::max<int64_t>(r.left, 0);
        const int64_t top = std::max<int64_t>(r.top, 0);
        const int64_t right = std::min<int64_t>(int64_t{r.left} + r.width, m_width);
        const int64_t bottom = std::min<int64_t>(int64_t{r.top} + r.height, m_height);
        if (left >= right || top >= bottom) continue;
        any |= read(frame,
                    Rect{static_cast<int32_t>(left), static_cast<int32_t>(top),
                         static_cast<int32_t>(right - left), static_cast<int32_t>(bottom - top)});
    }
    return any;
}

bool KeyColourPixels::read(const Compositor& frame, const Rect& area) {
    bool any = false;
    const uint32_t* pixels = frame.pixels().data();
    const auto width = static_cast<size_t>(m_width);
    for (int32_t y = area.top; y < area.top + area.height; ++y) {
        const size_t row = static_cast<size_t>(y) * width;
        for (size_t i = row + static_cast<size_t>(area.left);
             i < row + static_cast<size_t>(area.left + area.width); ++i) {
            const uint8_t keyed = (pixels[i] & 0x00ffffffu) == m_key ? 1 : 0;
            any |= keyed != m_keyed[i];
            m_keyed[i] = keyed;
        }
    }
    return any;
}

}  // namespace fluffo
