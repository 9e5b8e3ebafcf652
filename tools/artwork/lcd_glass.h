#pragma once
// The LCD's glass: the maze printed on it, with the wolves' den and the faint traces of the
// unlit segments, as the body picture shows it; and the screen-top overlay, the frame's shadow
// and the glass's reflection laid over the figures.

#include <QImage>
#include <QPainter>
#include <QRect>

namespace artwork {

// The recess, the glass and its print, in window pixels.
void draw_lcd_glass(QPainter& p);
// The LCD's frame and glass reflection at place, clear where the figures show.
QImage screen_top_picture(QRect place);

}  // namespace artwork
