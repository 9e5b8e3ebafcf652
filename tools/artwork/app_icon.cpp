#include "app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "board_layout.h"
#include "figures.h"
#include "lcd_ink.h"

namespace artwork {

namespace {

// The case's plastic as on the body picture, a little brighter to read at small sizes.
const QColor Case_Top{0xE0, 0x4C, 0x3E};
const QColor Case_Bottom{0xB4, 0x31, 0x28};
const QColor Case_Rim{0x6A, 0x18, 0x12};
const QColor Bezel{0x26, 0x28, 0x2C};
const QColor Glass_Top{0xD2, 0xDA, 0xC1};
const QColor Glass_Bottom{0xB6, 0xC0, 0xA2};
const QColor Rubber{0x2C, 0x2E, 0x33};

// Places are given as fractions of the icon; edges are rounded to whole pixels of the size.
struct Grid {
    double size;
    double at(double fraction) const { return std::round(fraction * size); }
    QRectF rect(double left, double top, double right, double bottom) const {
        return QRectF(QPointF(at(left), at(top)), QPointF(at(right), at(bottom)));
    }
    // At least one pixel, so outlines never vanish at the small sizes.
    double line(double fraction) const { return std::max(1.0, std::round(fraction * size)); }
};

void draw_case(QPainter& p, const Grid& g, QRectF outline) {
    const double radius = g.size * 0.12;
    p.setPen(Qt::NoPen);
    p.setBrush(Case_Rim);
    p.drawRoundedRect(outline, radius, radius);
    const double rim = g.line(1.0 / 96);
    const QRectF face = outline.adjusted(rim, rim, -rim, -rim);
    QLinearGradient plastic(face.topLeft(), face.bottomLeft());
    plastic.setColorAt(0, Case_Top);
    plastic.setColorAt(1, Case_Bottom);
    p.setBrush(plastic);
    p.drawRoundedRect(face, radius - rim, radius - rim);
    // Light catching the upper left edge of the rounded plastic.
    QLinearGradient sheen(face.topLeft(), face.topLeft() + QPointF(0, face.height() * 0.55));
    sheen.setColorAt(0, QColor(255, 255, 255, 70));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawRoundedRect(face, radius - rim, radius - rim);
}

// Below 128 pixels the drawn figure's tufts and eyes blur into a grey blot; these are Fluffo
// set pixel by pixel ('#' ink), facing out with its eyes open and hair standing up.
using Sprite = std::vector<const char*>;
const Sprite Fluffo_15x14{
    ".......#.......",  //
    "....#..#..#....",  //
    ".....#.#.#.....",  //
    "...#########...",  //
    "..###########..",  //
    ".###...#...###.",  //
    "####.#.#.#.####",  //
    ".###...#...###.",  //
    ".#####...#####.",  //
    ".######.######.",  //
    "###############",  //
    "..###########..",  //
    "...#########...",  //
    "...##.....##...",  //
};
const Sprite Fluffo_11x11{
    ".....#.....",  //
    "...#.#.#...",  //
    "..#######..",  //
    ".#########.",  //
    ".##..#..##.",  //
    ".##..#..##.",  //
    ".####.####.",  //
    ".#########.",  //
    "..#######..",  //
    "...#####...",  //
    "..##...##..",  //
};
const Sprite Fluffo_9x8{
    "....#....",  //
    "..#.#.#..",  //
    ".#######.",  //
    ".#.###.#.",  //
    ".#######.",  //
    ".###.###.",  //
    "..#####..",  //
    "..#...#..",  //
};

// The sprite centred across the glass, its feet on the row above feet_y.
void draw_tiny_fluffo(QPainter& p, QRectF glass, const Sprite& sprite, int feet_y) {
    const int w = int(std::string_view(sprite.front()).size());
    const int h = int(sprite.size());
    const int left = int(glass.left() + (glass.width() - w) / 2);
    const int top = feet_y - h;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (sprite[size_t(y)][x] == '#')
                p.fillRect(QRect(left + x, top + y, 1, 1), QColor(0x20, 0x24, 0x20, 235));
        }
    }
}

void draw_screen(QPainter& p, const Grid& g, QRectF bezel) {
    const double radius = g.size * 0.035;
    p.setPen(Qt::NoPen);
    p.setBrush(Bezel);
    p.drawRoundedRect(bezel, radius, radius);
    const double frame = g.line(0.04);
    const QRectF glass = bezel.adjusted(frame, frame, -frame, -frame);
    QLinearGradient lcd(glass.topLeft(), glass.bottomLeft());
    lcd.setColorAt(0, Glass_Top);
    lcd.setColorAt(1, Glass_Bottom);
    p.setBrush(lcd);
    p.drawRect(glass);

    // Fluffo looking out, standing on a printed path line.
    const double path_y = glass.top() + std::round(glass.height() * 0.86);
    if (g.size >= 64) {
        p.fillRect(QRectF(glass.left() + g.line(0.02), path_y, glass.width() - 2 * g.line(0.02),
                          g.line(1.0 / 128)),
                   Glass_Bottom.darker(125));
    }
    if (g.size >= 128) {
        const double figure_h = std::round(glass.height() * 0.72);
        const double figure_w = figure_h * 20 / 24;
        const QRect place(int(glass.left()), int(path_y - figure_h), int(glass.width()),
                          int(figure_h) + 2);
        const QRectF box((glass.width() - figure_w) / 2, 0, figure_w, figure_h);
        p.drawImage(place.topLeft(), lcd_segment(place.size(), [&](QPainter& q) {
                        draw_fluffo_shape(q, box, Facing::Front);
                    }));
    } else {
        const Sprite& sprite = g.size >= 64   ? Fluffo_15x14
                               : g.size >= 48 ? Fluffo_11x11
                                              : Fluffo_9x8;
        draw_tiny_fluffo(p, glass, sprite, g.size >= 64 ? int(path_y) : int(glass.bottom()) - 1);
    }

    // A faint glare across the glass's upper corner.
    if (g.size >= 64) {
        QPainterPath glare;
        glare.moveTo(glass.topLeft());
        glare.lineTo(glass.left() + glass.width() * 0.45, glass.top());
        glare.lineTo(glass.left(), glass.top() + glass.height() * 0.5);
        glare.closeSubpath();
        p.setBrush(QColor(255, 255, 255, 40));
        p.drawPath(glare);
    }
}

// A rubber part: dark, lit from above.
QBrush rubber(QRectF r) {
    QLinearGradient shade(r.topLeft(), r.bottomLeft());
    shade.setColorAt(0, Rubber.lighter(150));
    shade.setColorAt(1, Rubber);
    return shade;
}

void draw_cross(QPainter& p, const Grid& g, QPointF centre) {
    const double half_len = g.at(0.115), half_w = std::max(2.0, g.at(0.04));
    const double cx = std::round(centre.x()), cy = std::round(centre.y());
    const QRectF across(cx - half_len, cy - half_w, 2 * half_len, 2 * half_w);
    const QRectF down(cx - half_w, cy - half_len, 2 * half_w, 2 * half_len);
    QPainterPath cross;
    cross.setFillRule(Qt::WindingFill);
    const double corner = g.size >= 64 ? g.size * 0.012 : 0;
    cross.addRoundedRect(across, corner, corner);
    cross.addRoundedRect(down, corner, corner);
    cross = cross.simplified();
    // A shadow below it, where the pad stands out of the case.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0x0C, 0x08, 120));
    p.drawPath(cross.translated(0, g.line(1.0 / 64)));
    p.setBrush(rubber(down));
    p.drawPath(cross);
    if (g.size >= 64) {
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawEllipse(QPointF(cx, cy), half_w * 0.55, half_w * 0.55);
    }
}

void draw_button(QPainter& p, const Grid& g, QPointF centre) {
    const double radius = g.size * 0.055;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0x0C, 0x08, 120));
    p.drawEllipse(centre + QPointF(0, g.line(1.0 / 64)), radius, radius);
    QRadialGradient cap(centre - QPointF(radius * 0.35, radius * 0.45), radius * 1.4);
    cap.setColorAt(0, Rubber.lighter(190));
    cap.setColorAt(0.6, Rubber);
    cap.setColorAt(1, Rubber.darker(130));
    p.setBrush(cap);
    p.drawEllipse(centre, radius, radius);
}

}  // namespace

QImage app_icon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    const Grid g{double(size)};
    QPainter p(&icon);
    smooth(p);
    const QRectF outline = g.rect(0.16, 0.02, 0.84, 0.98);
    draw_case(p, g, outline);
    draw_screen(p, g, g.rect(0.23, 0.09, 0.77, 0.54));
    draw_cross(p, g, QPointF(g.size * 0.36, g.size * 0.755));
    draw_button(p, g, QPointF(g.size * 0.63, g.size * 0.81));
    draw_button(p, g, QPointF(g.size * 0.72, g.size * 0.69));
    p.end();
    return icon;
}

QString app_icon_file(int size) {
    return QString("icon_%1.png").arg(size);
}

}  // namespace artwork
