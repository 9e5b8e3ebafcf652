#pragma once
// Which pixels of a composed frame carry the window's key colour: the pixels a windowed
// window's shape cuts away. Kept for the whole frame and looked at again only where the frame
// was recomposed, so that the window cuts its shape anew exactly when a repaint changed which
// pixels are cut (a holder shown over the key-coloured outline, or hidden from it), and a
// repaint that leaves them as they were costs no more than a look at the repainted pixels.

#include <cstdint>
#include <vector>

#include "display/compositor.h"

namespace fluffo {

class KeyColourPixels {
public:
    // Forgets what it knew: the next look finds a change.
    void reset() { m_width = -1; }

    // After the compositor recomposed these rectangles: takes in which of their pixels carry
    // the key colour (0x00BBGGRR, the frame's alpha ignored) and tells whether that changed
    // anywhere. A new frame size or key colour, or a reset, reads the whole frame and counts
    // as a change.
    bool changed(const Compositor& frame, uint32_t key_colour, const std::vector<Rect>& recomposed);

private:
    // Reads one rectangle, already inside the frame; true when a pixel changed.
    bool read(const Compositor& frame, const Rect& area);

    int32_t m_width = -1;
    int32_t m_height = -1;
    uint32_t m_key = 0;
    std::vector<uint8_t> m_keyed;  // one per pixel, row-major: 1 where the key colour is
};

}  // namespace fluffo
