#pragma once
// The LCD's look: dark, flat, slightly see-through segments that cast a faint shadow on the
// reflector behind the liquid crystal; a small pixel font for the panel's printed marks; and
// the typeface printed on everything else.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <functional>
#include <string_view>

namespace artwork {

inline const QColor Lcd_Ink{0x20, 0x24, 0x20, 200};

// A segment picture: `draw` paints the segment's shape in any opaque colour on a clear
// picture (and may cut details out with CompositionMode_Clear); the result is that shape in
// LCD ink with its shadow one pixel down and right.
QImage lcd_segment(QSize size, const std::function<void(QPainter&)>& draw);

// A painter with smooth edges on a picture.
void smooth(QPainter& p);
// The typeface printed on the case, the manual and the windows, fully hinted so small sizes
// stay crisp.
QFont print_font(int pixels, bool bold = false, bool italic = false,
                 const char* family = "DejaVu Sans");

enum class PixelFont { Small, Tall };  // 5 and 7 pixels high
// Draws text with its top-left corner at (x, y), one filled square per pixel.
void draw_pixel_text(QPainter& p, int x, int y, std::string_view text, PixelFont font);

}  // namespace artwork
