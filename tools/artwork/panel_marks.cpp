#include "panel_marks.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <algorithm>
#include <array>

#include "figures.h"
#include "lcd_ink.h"

namespace artwork {

namespace {

// Segments a..g: top, upper right, lower right, bottom, lower left, upper left, middle.
constexpr std::array<const char*, 10> Digit_Segments{
    "abcdef", "bc", "abged", "abgcd", "fgbc", "afgcd", "afgedc", "abc", "abcdefg", "abcdfg"};

QPolygonF bar(QPointF from, QPointF to, double thickness) {
    const double h = thickness / 2;
    if (from.y() == to.y()) {
        return QPolygonF({from, from + QPointF(h, -h), to + QPointF(-h, -h), to,
                          to + QPointF(-h, h), from + QPointF(h, h)});
    }
    return QPolygonF({from, from + QPointF(h, h), to + QPointF(h, -h), to, to + QPointF(-h, -h),
                      from + QPointF(-h, h)});
}

// The segments of one digit (0..9; 8 lights all seven) in a size box at its top-left corner.
void draw_digit_shape(QPainter& p, int digit, QSizeF size) {
    // A digit of 13 x 22 in a 19 x 25 place, leaning slightly forward.
    const double sx = size.width() / 19.0, sy = size.height() / 25.0;
    const double t = 2.9, gap = 0.85;
    const double left = 3.2 + t / 2, right = 15.2 - t / 2;
    const double top = 1.6 + t / 2, middle = 12.5, bottom = 23.4 - t / 2;
    QTransform lean;
    lean.scale(sx, sy);
    lean.translate(0, 25);
    lean.shear(-0.07, 0);
    lean.translate(0, -25);
    auto horizontal = [&](double y) {
        return bar(QPointF(left + gap, y), QPointF(right - gap, y), t);
    };
    auto vertical = [&](double x, double y0, double y1) {
        return bar(QPointF(x, y0 + gap), QPointF(x, y1 - gap), t);
    };
    for (const char* s = Digit_Segments[static_cast<size_t>(digit)]; *s; ++s) {
        QPolygonF segment;
        switch (*s) {
            case 'a':
                segment = horizontal(top);
                break;
            case 'b':
                segment = vertical(right, top, middle);
                break;
            case 'c':
                segment = vertical(right, middle, bottom);
                break;
            case 'd':
                segment = horizontal(bottom);
                break;
            case 'e':
                segment = vertical(left, middle, bottom);
                break;
            case 'f':
                segment = vertical(left, top, middle);
                break;
            default:
                segment = horizontal(middle);
                break;
        }
        p.drawPolygon(lean.map(segment));
    }
}

}  // namespace

QImage digit_picture(int digit, QSize size) {
    return lcd_segment(size, [&](QPainter& p) { draw_digit_shape(p, digit, QSizeF(size)); });
}

QImage colon_picture(QSize size) {
    return lcd_segment(size, [&](QPainter& p) {
        const double x = size.width() / 2.0;
        p.drawRoundedRect(QRectF(x - 1.7, size.height() * 0.25 - 1.7, 3.4, 3.4), 0.8, 0.8);
        p.drawRoundedRect(QRectF(x - 2.4, size.height() * 0.72 - 1.7, 3.4, 3.4), 0.8, 0.8);
    });
}

QImage pm_picture(QSize size) {
    return lcd_segment(size, [&](QPainter& p) {
        p.setBrush(Qt::black);
        draw_pixel_text(p, 1, size.height() - 8, "PM", PixelFont::Tall);
    });
}

QImage bell_picture(QSize size) {
    return lcd_segment(size, [&](QPainter& p) {
        const double w = size.width(), h = size.height();
        const double cx = w / 2;
        QPainterPath bell;
        bell.moveTo(cx - 6.2, h * 0.66);
        bell.cubicTo(cx - 5.8, h * 0.30, cx - 4.5, h * 0.16, cx, h * 0.16);
        bell.cubicTo(cx + 4.5, h * 0.16, cx + 5.8, h * 0.30, cx + 6.2, h * 0.66);
        bell.lineTo(cx + 7.6, h * 0.74);
        bell.lineTo(cx - 7.6, h * 0.74);
        bell.closeSubpath();
        p.drawPath(bell);
        p.drawEllipse(QPointF(cx, h * 0.12), 1.6, 1.6);
        p.drawEllipse(QPointF(cx, h * 0.81), 2.1, 1.8);
        // The bell rings.
        p.setPen(QPen(Qt::black, 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(1.0, h * 0.30), QPointF(2.4, h * 0.40));
        p.drawLine(QPointF(0.8, h * 0.52), QPointF(2.4, h * 0.52));
        p.drawLine(QPointF(w - 1.0, h * 0.30), QPointF(w - 2.4, h * 0.40));
        p.drawLine(QPointF(w - 0.8, h * 0.52), QPointF(w - 2.4, h * 0.52));
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.drawLine(QPointF(cx - 3.4, h * 0.62), QPointF(cx + 3.4, h * 0.62));
    });
}

QImage lives_picture(QSize size) {
    return lcd_segment(size, [&](QPainter& p) {
        draw_fluffo_shape(p, QRectF(1, 0, size.width() - 2, size.height()), Facing::Front);
    });
}

QImage game_a_picture(QSize size) {
    return lcd_segment(size, [&](QPainter& p) {
        p.setBrush(Qt::black);
        draw_pixel_text(p, 0, size.height() - 5, "GAME", PixelFont::Small);
        draw_pixel_text(p, size.width() - 4, size.height() - 7, "A", PixelFont::Tall);
    });
}

QImage game_b_picture(QSize size) {
    return lcd_segment(size, [&](QPainter& p) {
        p.setBrush(Qt::black);
        draw_pixel_text(p, 0, size.height() - 5, "GAME", PixelFont::Small);
        draw_pixel_text(p, size.width() - 3, size.height() - 7, "B", PixelFont::Tall);
    });
}

QImage game_over_picture(QSize size) {
    return lcd_segment(size, [&](QPainter& p) {
        const QFont font = print_font(size.height() - 1, true);
        p.setFont(font);
        p.setPen(Qt::black);
        const QString text = "GAME OVER";
        // Squeezed across to fit its place, as printed marks on an LCD often are.
        const double width = QFontMetricsF(font).horizontalAdvance(text);
        const double squeeze = std::min(1.0, (size.width() - 1.0) / width);
        p.scale(squeeze, 1.0);
        p.drawText(QRectF(0, -0.5, size.width() / squeeze, size.height() + 1), Qt::AlignCenter,
                   text);
    });
}

}  // namespace artwork
