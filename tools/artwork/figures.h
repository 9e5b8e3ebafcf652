#pragma once
// The figures of the LCD's playing field: Fluffo, the eggs, the wolves and the gates. Each
// picture is drawn for its holder's rectangle (window pixels) so that it sits on its cell's
// spot of the printed paths.

#include <QImage>
#include <QPainter>
#include <QRect>

#include "board_layout.h"

namespace artwork {

QImage fluffo_picture(QRect place, int col, int row);
QImage egg_picture(QRect place, int col, int row, bool power_egg);
QImage wolf_picture(QRect place, int col, int row);
// The den's two pictures: a wolf pacing one way and the other.
QImage den_wolf_picture(QRect place, bool facing_left);
QImage gate_picture(QRect place);

// The figures' shapes for a segment mask (opaque paint, details cut out), fitted into box
// with their feet on its bottom edge. Also used by the manual, the lives marks and the
// window pictures.
void draw_fluffo_shape(QPainter& p, QRectF box, Facing facing);
void draw_wolf_shape(QPainter& p, QRectF box, bool facing_left);
void draw_egg_shape(QPainter& p, QPointF centre, double width, double height, bool power_egg);

}  // namespace artwork
