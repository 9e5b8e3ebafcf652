#include "lcd_glass.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <cstdio>
#include <string>
#include <vector>

#include "art_scale.h"
#include "board_layout.h"
#include "design_places.h"
#include "figures.h"
#include "lcd_ink.h"
#include "panel_marks.h"

namespace artwork {

namespace {

// The glass, its printed paths and the dark recess and frame around it.
const QColor Glass_Top{0xCE, 0xD6, 0xBD};
const QColor Glass_Bottom{0xBA, 0xC3, 0xA6};
const QColor Path_Fill{0xD8, 0xDE, 0xC7};
const QColor Path_Edge{0xA4, 0xAE, 0x90};
const QColor Recess{0x0C, 0x0D, 0x0F};

void draw_paths(QPainter& p) {
    const std::vector<PathPiece> pieces = board_paths();
    auto stroke = [&](const PathPiece& piece, const QColor& colour, double width) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.drawLine(piece.from, piece.to);
    };
    const double edge = 9.5, fill = 7.0;
    auto square_ends = [&](const PathPiece& piece, const QColor& colour, double width) {
        // Corners and junctions need the corridor's ends squared off.
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        for (QPointF end : {piece.from, piece.to}) {
            if (piece.kind == PathPiece::Tunnel && end == piece.to) continue;
            p.drawRect(QRectF(end.x() - width / 2, end.y() - width / 2, width, width));
        }
    };
    // Bridges first: the crossing corridor then passes over them, its edges drawn across.
    for (const PathPiece& piece : pieces) {
        if (piece.kind != PathPiece::Bridge) continue;
        stroke(piece, Path_Edge, edge);
        stroke(piece, Path_Fill.darker(104), fill);
    }
    for (const PathPiece& piece : pieces) {
        if (piece.kind == PathPiece::Bridge) continue;
        stroke(piece, Path_Edge, edge);
        square_ends(piece, Path_Edge, edge);
    }
    for (const PathPiece& piece : pieces) {
        if (piece.kind == PathPiece::Bridge) continue;
        stroke(piece, Path_Fill, fill);
        square_ends(piece, Path_Fill, fill);
    }
    // The bridge decks: rails along the crossing corridor.
    p.setPen(QPen(Path_Edge.darker(115), 1.0));
    for (const PathPiece& piece : pieces) {
        if (piece.kind != PathPiece::Bridge) continue;
        const QPointF mid = (piece.from + piece.to) / 2;
        for (double dy : {-edge / 2 - 0.5, edge / 2 + 0.5}) {
            p.drawLine(QPointF(mid.x() - 8, mid.y() + dy), QPointF(mid.x() + 8, mid.y() + dy));
        }
    }
}

void draw_den(QPainter& p) {
    // The wolves' den in the middle of the board, its door opening upwards.
    const QRectF den(201, 139, 42, 23);
    p.setPen(QPen(Path_Edge, 1.2));
    p.setBrush(Glass_Bottom.darker(106));
    p.drawRoundedRect(den, 6, 6);
    p.setPen(QPen(Path_Edge, 1.0, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(den.adjusted(2.5, 2.5, -2.5, -2.5), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(Path_Fill);
    p.drawRect(QRectF(216.5, 134, 9, 6.5));
}

// Unlit segments are not quite invisible: seen at a slant, the figures and digits leave a
// faint trace. Eggs leave none, so an empty spot never looks visited.
void draw_ghosts(QPainter& p) {
    p.save();
    p.setOpacity(0.06);
    for (const fluffo::SkinImage& s : fluffo::skin_images()) {
        const std::string name(s.name);
        const QRect place = qrect(s.design);
        int col = 0, row = 0;
        QImage ghost;
        if (std::sscanf(name.c_str(), "im_fluffo_%d_%d", &col, &row) == 2) {
            ghost = fluffo_picture(place, col, row);
        } else if (name == "im_wolf_3_4" || name == "im_wolf_3_4b") {
            ghost = den_wolf_picture(place, name == "im_wolf_3_4b");
        } else if (std::sscanf(name.c_str(), "im_wolf_%d_%d", &col, &row) == 2) {
            ghost = wolf_picture(place, col, row);
        } else if (name.rfind("im_panel_digit_pos_", 0) == 0) {
            ghost = digit_picture(8, place.size());
        }
        if (!ghost.isNull()) p.drawImage(place.topLeft(), ghost);
    }
    p.restore();
}

}  // namespace

void draw_lcd_glass(QPainter& p) {
    // The recess around the glass, then the glass with its printed maze.
    p.setPen(Qt::NoPen);
    p.setBrush(Recess);
    p.drawRoundedRect(QRectF(Lcd_Glass).adjusted(-4, -4, 4, 4), 4, 4);
    QLinearGradient glass(0, Lcd_Glass.top(), 0, Lcd_Glass.bottom());
    glass.setColorAt(0, Glass_Top);
    glass.setColorAt(1, Glass_Bottom);
    p.setBrush(glass);
    p.drawRect(Lcd_Glass);
    p.save();
    p.setClipRect(Lcd_Glass);
    draw_paths(p);
    draw_den(p);
    draw_ghosts(p);
    // A thin printed rule under the number panel, broken where the top tunnel leaves through
    // its gate.
    const QRect gate = design_place("im_gate_3_1");
    p.setPen(QPen(Path_Edge, 1.0));
    p.drawLine(QPointF(Lcd_Glass.left() + 4, 64.5), QPointF(gate.left(), 64.5));
    p.drawLine(QPointF(gate.left() + gate.width(), 64.5), QPointF(Lcd_Glass.right() - 3, 64.5));
    p.restore();
}

QImage screen_top_picture(QRect place) {
    QImage img = art_canvas(place.size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    smooth(p);
    p.translate(-place.topLeft());
    const QRectF glass(Lcd_Glass);
    // The frame: everything of the overlay outside the glass is bezel.
    QPainterPath frame;
    frame.addRect(QRectF(place));
    QPainterPath window;
    window.addRoundedRect(glass, 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Recess);
    p.drawPath(frame.subtracted(window));
    // The bezel's shadow falls on the glass from above and from the left.
    QLinearGradient top(0, glass.top(), 0, glass.top() + 7);
    top.setColorAt(0, QColor(0, 0, 0, 120));
    top.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(top);
    p.drawRect(QRectF(glass.left(), glass.top(), glass.width(), 7));
    QLinearGradient left(glass.left(), 0, glass.left() + 6, 0);
    left.setColorAt(0, QColor(0, 0, 0, 100));
    left.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(left);
    p.drawRect(QRectF(glass.left(), glass.top(), 6, glass.height()));
    // Light caught by the lower lip of the frame.
    p.setPen(QPen(QColor(255, 255, 255, 60), 1.0));
    p.drawLine(QPointF(glass.left() + 2, glass.bottom() + 0.5),
               QPointF(glass.right() - 2, glass.bottom() + 0.5));
    // A broad, faint reflection across the glass and a narrow one beside it.
    p.setPen(Qt::NoPen);
    p.setClipPath(window);
    QLinearGradient sheen(glass.topLeft(), glass.topLeft() + QPointF(120, 120));
    sheen.setColorAt(0, QColor(255, 255, 255, 48));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawPolygon(QPolygonF(
        {glass.topLeft(), glass.topLeft() + QPointF(150, 0), glass.topLeft() + QPointF(0, 150)}));
    p.setBrush(QColor(255, 255, 255, 22));
    p.drawPolygon(QPolygonF({glass.topLeft() + QPointF(168, 0), glass.topLeft() + QPointF(186, 0),
                             glass.topLeft() + QPointF(18, 168), glass.topLeft() + QPointF(0, 168),
                             glass.topLeft() + QPointF(0, 168)}));
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace artwork
