#include "figures.h"

#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "lcd_ink.h"

namespace artwork {

namespace {

// Fluffo's design box and the wolf's, in design units.
constexpr double Fluffo_W = 20, Fluffo_H = 24;
constexpr double Wolf_W = 24, Wolf_H = 27;

// Maps a design box of dw x dh into box: uniform scale, centred across, feet on the bottom;
// mirrored when the figure looks left.
void fit(QPainter& p, QRectF box, double dw, double dh, bool mirror) {
    const double scale = std::min(box.width() / dw, box.height() / dh);
    const double x = box.left() + (box.width() - dw * scale) / 2;
    const double y = box.bottom() - dh * scale;
    p.translate(x, y);
    p.scale(scale, scale);
    if (mirror) {
        p.translate(dw, 0);
        p.scale(-1, 1);
    }
}

void clear_mode(QPainter& p) {
    p.setCompositionMode(QPainter::CompositionMode_Clear);
}
void ink_mode(QPainter& p) {
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

// The egg outline: narrower at the top than at the bottom.
QPainterPath egg_outline(QPointF c, double w, double h) {
    QPolygonF points;
    constexpr int Steps = 48;
    for (int i = 0; i < Steps; ++i) {
        const double t = 2 * M_PI * i / Steps;
        const double narrowing = 0.86 - 0.14 * std::cos(t);
        points << QPointF(c.x() + w / 2 * std::sin(t) * narrowing, c.y() - h / 2 * std::cos(t));
    }
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    return path;
}

QRectF local_box(QRect place, double left, double right, double bottom) {
    const double l = std::clamp(left - place.left(), 0.0, double(place.width()));
    const double r = std::clamp(right - place.left(), l + 1, double(place.width()));
    const double b = std::clamp(bottom - place.top(), 1.0, double(place.height()));
    return QRectF(l, 0, r - l, b);
}

}  // namespace

void draw_fluffo_shape(QPainter& p, QRectF box, Facing facing) {
    p.save();
    fit(p, box, Fluffo_W, Fluffo_H, facing == Facing::Left);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    // The fluffy body: a round core ringed by tufts.
    const QPointF core(10, 13.4);
    p.drawEllipse(core, 7.0, 6.8);
    for (int i = 0; i < 10; ++i) {
        const double t = 2 * M_PI * i / 10 + 0.31;
        p.drawEllipse(QPointF(core.x() + 6.9 * std::cos(t), core.y() + 6.7 * std::sin(t)), 2.3,
                      2.3);
    }
    // Three hairs standing up on top.
    p.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath hairs;
    hairs.moveTo(10, 5);
    hairs.cubicTo(9.6, 3.2, 10.4, 1.8, 11.2, 0.9);
    hairs.moveTo(8.2, 5.4);
    hairs.cubicTo(7.2, 4.0, 6.2, 3.4, 5.4, 3.2);
    hairs.moveTo(11.8, 5.4);
    hairs.cubicTo(12.8, 3.8, 14.0, 3.4, 14.8, 3.6);
    p.drawPath(hairs);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    // Feet.
    p.drawEllipse(QPointF(6.7, 22.8), 2.8, 1.2);
    p.drawEllipse(QPointF(13.3, 22.8), 2.8, 1.2);

    // Big round eyes and the beak are cut out of the ink; the pupils are ink again.
    clear_mode(p);
    if (facing == Facing::Front) {
        p.drawEllipse(QPointF(7.3, 11.2), 2.6, 2.8);
        p.drawEllipse(QPointF(12.7, 11.2), 2.6, 2.8);
        p.drawPath(polygon({{8.3, 14.6}, {11.7, 14.6}, {10, 17.4}}));
    } else {
        p.drawEllipse(QPointF(9.6, 11.0), 2.5, 2.8);
        p.drawEllipse(QPointF(14.6, 11.0), 2.4, 2.7);
        p.drawPath(polygon({{14.2, 14.5}, {19.4, 15.6}, {14.2, 17.2}}));
        // The wing.
        p.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3.6, 13.4, 6.6, 6.4), 110 * 16, 150 * 16);
        p.setPen(Qt::NoPen);
    }
    ink_mode(p);
    p.setBrush(Qt::black);
    if (facing == Facing::Front) {
        p.drawEllipse(QPointF(7.7, 11.8), 1.2, 1.3);
        p.drawEllipse(QPointF(12.3, 11.8), 1.2, 1.3);
    } else {
        p.drawEllipse(QPointF(10.5, 11.4), 1.2, 1.3);
        p.drawEllipse(QPointF(15.4, 11.4), 1.2, 1.3);
        // The beak juts out past the fluff.
        p.drawPath(polygon({{18.0, 15.1}, {20.0, 15.6}, {18.0, 16.4}}));
    }
    p.restore();
}

void draw_wolf_shape(QPainter& p, QRectF box, bool facing_left) {
    p.save();
    fit(p, box, Wolf_W, Wolf_H, facing_left);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    // Head, ears and long snout.
    p.drawEllipse(QPointF(14.3, 8.2), 4.6, 4.2);
    p.drawPath(polygon({{15.8, 5.4}, {23.4, 8.3}, {23.1, 10.3}, {16.2, 12.0}}));
    p.drawPath(polygon({{10.4, 6.4}, {11.2, 0.4}, {14.2, 4.4}}));
    p.drawPath(polygon({{14.0, 4.2}, {16.6, 0.2}, {17.6, 5.4}}));
    // Hunched body leaning forward, and the reaching arm.
    QPainterPath body;
    body.moveTo(10.4, 10.6);
    body.cubicTo(13.5, 10.2, 17.2, 11.2, 16.4, 15.0);
    body.cubicTo(16.0, 17.5, 15.6, 19.6, 14.6, 20.4);
    body.lineTo(8.4, 20.4);
    body.cubicTo(7.6, 17.0, 8.2, 12.6, 10.4, 10.6);
    p.drawPath(body);
    p.drawPath(polygon({{14.6, 12.4}, {20.6, 14.0}, {21.2, 15.6}, {19.6, 15.9}, {14.4, 15.6}}));
    // Legs with paws pointing forward.
    p.drawPath(polygon({{8.4, 19.6}, {11.2, 19.6}, {9.4, 25.6}, {6.8, 25.6}}));
    p.drawPath(polygon({{12.4, 19.6}, {15.2, 19.6}, {15.8, 25.6}, {13.2, 25.6}}));
    p.drawEllipse(QPointF(8.9, 26.0), 2.3, 1.0);
    p.drawEllipse(QPointF(15.4, 26.0), 2.3, 1.0);
    // The bushy tail behind.
    QPainterPath tail;
    tail.moveTo(9.2, 17.4);
    tail.cubicTo(4.6, 18.2, 0.4, 14.6, 0.8, 8.8);
    tail.cubicTo(2.6, 10.8, 3.4, 12.6, 5.2, 13.2);
    tail.cubicTo(6.4, 13.8, 8.4, 14.4, 9.4, 14.4);
    tail.closeSubpath();
    p.drawPath(tail);

    clear_mode(p);
    // Eye, mouth and the line between arm and body.
    p.drawEllipse(QPointF(16.9, 7.4), 1.5, 1.1);
    QPen cut(Qt::black, 0.9, Qt::SolidLine, Qt::RoundCap);
    p.setPen(cut);
    p.drawLine(QPointF(18.4, 10.5), QPointF(22.6, 9.7));
    p.drawLine(QPointF(14.6, 15.9), QPointF(19.4, 16.4));
    p.drawLine(QPointF(11.0, 20.0), QPointF(12.6, 20.0));
    p.drawLine(QPointF(2.6, 12.2), QPointF(5.6, 14.2));
    ink_mode(p);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(17.4, 7.5), 0.7, 0.7);
    p.restore();
}

void draw_egg_shape(QPainter& p, QPointF centre, double width, double height, bool power_egg) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(egg_outline(centre, width, height));
    clear_mode(p);
    if (power_egg) {
        // A zigzag band and a sparkle mark the power egg.
        QPen cut(Qt::black, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(cut);
        p.setBrush(Qt::NoBrush);
        const double y = centre.y() + height * 0.08;
        const double w = width * 0.42;
        QPolygonF zig;
        for (int i = 0; i <= 6; ++i) {
            zig << QPointF(centre.x() - w + i * w / 3, y + ((i % 2) ? -1.6 : 1.6));
        }
        p.drawPolyline(zig);
        const QPointF star(centre.x() - width * 0.08, centre.y() - height * 0.24);
        p.drawLine(star + QPointF(-1.6, 0), star + QPointF(1.6, 0));
        p.drawLine(star + QPointF(0, -1.8), star + QPointF(0, 1.8));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(centre.x() + width * 0.12, centre.y() + height * 0.3), 1.0, 1.0);
    } else {
        p.drawEllipse(QPointF(centre.x() - width * 0.17, centre.y() - height * 0.17), 0.95, 1.25);
    }
    p.restore();
}

QImage fluffo_picture(QRect place, int col, int row) {
    const QPointF spot = cell_spot(col, row);
    const QRectF box = local_box(place, spot.x() + 5, place.right() + 1.0, feet_line(row));
    const Facing facing = fluffo_facing(col, row);
    return lcd_segment(place.size(), [&](QPainter& p) { draw_fluffo_shape(p, box, facing); });
}

QImage egg_picture(QRect place, int col, int row, bool power_egg) {
    const QPointF spot = cell_spot(col, row);
    const double w = power_egg ? 11.5 : 9.0;
    const double h = power_egg ? 21.0 : 10.0;
    // The egg rests on the path; it moves inwards only as far as its rectangle needs.
    double cx = spot.x() - place.left();
    double cy = power_egg ? feet_line(row) - h / 2 - place.top() : spot.y() - place.top();
    cx = std::clamp(cx, w / 2 + 0.5, place.width() - w / 2 - 0.5);
    cy = std::clamp(cy, h / 2 + 0.5, place.height() - h / 2 - 0.5);
    return lcd_segment(place.size(),
                       [&](QPainter& p) { draw_egg_shape(p, QPointF(cx, cy), w, h, power_egg); });
}

QImage wolf_picture(QRect place, int col, int row) {
    const QPointF spot = cell_spot(col, row);
    // The body stays left of the egg; only the raised head reaches over it.
    const QRectF box = local_box(place, place.left(), spot.x() + 1, feet_line(row));
    return lcd_segment(place.size(), [&](QPainter& p) { draw_wolf_shape(p, box, false); });
}

QImage den_wolf_picture(QRect place, bool facing_left) {
    const QRectF box(0, 0, place.width(), std::min(place.height(), 163 - place.top()));
    return lcd_segment(place.size(), [&](QPainter& p) { draw_wolf_shape(p, box, facing_left); });
}

QImage gate_picture(QRect place) {
    const bool across = place.width() > place.height();
    // A grating: a rail along the board's edge and bars across the way, with gaps between.
    return lcd_segment(place.size(), [&](QPainter& p) {
        const double w = place.width(), h = place.height();
        if (across) {
            p.drawRect(QRectF(0, 0, w, 2));
            for (double x = 0; x < w - 1; x += 5)
                p.drawRect(QRectF(x, 0, 2, h));
        } else {
            p.drawRect(QRectF(0, 0, 2, h));
            for (double y = 0; y < h - 1; y += 5)
                p.drawRect(QRectF(0, y, w, 2));
        }
    });
}

}  // namespace artwork
