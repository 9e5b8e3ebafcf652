#include "window_pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <functional>

#include "art_scale.h"
#include "body.h"
#include "colour_key.h"
#include "display/main_screen.h"
#include "figures.h"
#include "lcd_ink.h"

namespace artwork {

namespace {

const QColor Navy{0x08, 0x29, 0x52};
const QColor Cream{0xFF, 0xEA, 0xB8};
const QColor Case_Red{0xC8, 0x3C, 0x30};
const QColor Glass{0xC8, 0xD0, 0xB6};

QImage canvas(QSize size, const QColor& fill) {
    QImage img = art_canvas(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

// A bitmap drawn transparent shows the window through every pixel of its bottom-left
// colour. The button's rounded corners get that colour; its edge pixels are button, never a
// blend with the key, so no fringe shows.
QImage keyed_button(QSize size, const std::function<void(QPainter&)>& draw) {
    QImage art = canvas(size, Qt::transparent);
    {
        QPainter p(&art);
        smooth(p);
        draw(p);
    }
    return on_colour_key(art);
}

QImage pill_button(const QColor& top, const QColor& bottom, const QColor& text_colour,
                   const QString& text, const std::function<void(QPainter&, QRectF)>& icon) {
    return keyed_button(QSize(107, 30), [&](QPainter& p) {
        const QRectF r(0.5, 0.5, 106, 29);
        QLinearGradient g(0, 0, 0, 30);
        g.setColorAt(0, top);
        g.setColorAt(1, bottom);
        p.setPen(QPen(bottom.darker(160), 1.0));
        p.setBrush(g);
        p.drawRoundedRect(r, 9, 9);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 70));
        p.drawRoundedRect(QRectF(4, 2.5, 99, 11), 6, 6);
        icon(p, QRectF(10, 7, 16, 16));
        p.setFont(print_font(14, true));
        p.setPen(QColor(0, 0, 0, 80));
        p.drawText(QRectF(27, 1, 76, 30), Qt::AlignCenter, text);
        p.setPen(text_colour);
        p.drawText(QRectF(26, 0, 76, 30), Qt::AlignCenter, text);
    });
}

void play_icon(QPainter& p, QRectF r, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({r.topLeft() + QPointF(2, 0), r.bottomLeft() + QPointF(2, 0),
                             QPointF(r.right(), r.center().y())}));
}

void heart_icon(QPainter& p, QRectF r) {
    QPainterPath heart;
    const QPointF c = r.center();
    heart.moveTo(c.x(), r.bottom() - 1);
    heart.cubicTo(r.left() - 2, c.y(), r.left() + 2, r.top() - 2, c.x(), r.top() + 4);
    heart.cubicTo(r.right() - 2, r.top() - 2, r.right() + 2, c.y(), c.x(), r.bottom() - 1);
    p.setPen(QPen(QColor(0x7A, 0x10, 0x10), 1.0));
    p.setBrush(QColor(0xE0, 0x30, 0x3A));
    p.drawPath(heart);
}

// The handheld drawn small, in colour, for the box and the start screen.
void small_handheld(QPainter& p, QRectF r) {
    p.drawImage(r, without_colour_key(body_picture()));
}

// An LCD-ink figure drawn at a place on a picture.
void lcd_figure(QPainter& p, QRectF r, const std::function<void(QPainter&, QRectF)>& shape) {
    const QSize size(int(r.width() + 1), int(r.height() + 1));
    p.drawImage(r.topLeft(), lcd_segment(size, [&](QPainter& q) {
                    shape(q, QRectF(0, 0, r.width(), r.height()));
                }));
}

QImage start_background() {
    QImage img = canvas(QSize(460, 420), Qt::white);
    QPainter p(&img);
    smooth(p);
    // Title band for the white title and version.
    QLinearGradient band(0, 0, 0, 50);
    band.setColorAt(0, Navy.lighter(130));
    band.setColorAt(1, Navy);
    p.fillRect(QRect(0, 0, 460, 50), band);
    // The stage the box stands on: a soft light behind it and the game's figures around.
    QRadialGradient light(QPointF(230, 136), 200);
    light.setColorAt(0, QColor(0xFF, 0xF4, 0xD8));
    light.setColorAt(1, QColor(0xF2, 0xE2, 0xBC));
    p.fillRect(QRect(0, 50, 460, 176), light);
    p.fillRect(QRect(0, 224, 460, 2), QColor(0xD8, 0xC4, 0x98));
    p.setOpacity(0.55);
    lcd_figure(p, QRectF(40, 120, 56, 68),
               [](QPainter& q, QRectF b) { draw_fluffo_shape(q, b, Facing::Right); });
    lcd_figure(p, QRectF(360, 112, 62, 72),
               [](QPainter& q, QRectF b) { draw_wolf_shape(q, b, true); });
    for (int i = 0; i < 3; ++i) {
        lcd_figure(p, QRectF(100 + 14 * i, 166, 14, 16),
                   [](QPainter& q, QRectF b) { draw_egg_shape(q, b.center(), 11, 13, false); });
    }
    p.setOpacity(1);
    // The foot band behind the start-up choice.
    p.fillRect(QRect(0, 384, 460, 36), Navy);
    p.fillRect(QRect(0, 382, 460, 2), QColor(0xF2, 0xB1, 0x2C));
    p.end();
    return img;
}

QImage box_picture() {
    QImage img = canvas(QSize(148, 160), Qt::transparent);
    QPainter p(&img);
    smooth(p);
    const QRectF front(6, 10, 112, 144);
    // Soft shadow on the floor, then the box's side and top in perspective.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(QRectF(4, 148, 140, 10));
    p.setBrush(Case_Red.darker(150));
    p.drawPolygon(QPolygonF({front.topRight(), front.topRight() + QPointF(24, -8),
                             front.bottomRight() + QPointF(24, -8), front.bottomRight()}));
    p.setBrush(Case_Red.lighter(120));
    p.drawPolygon(QPolygonF({front.topLeft(), front.topLeft() + QPointF(24, -8),
                             front.topRight() + QPointF(24, -8), front.topRight()}));
    QLinearGradient face(front.topLeft(), front.bottomRight());
    face.setColorAt(0, Case_Red.lighter(112));
    face.setColorAt(1, Case_Red.darker(115));
    p.setBrush(face);
    p.setPen(QPen(Case_Red.darker(170), 1.0));
    p.drawRect(front);
    // The front: title band, the handheld itself and the maker.
    p.fillRect(QRectF(front.left(), front.top() + 6, front.width(), 20), Navy);
    p.setFont(print_font(11, true, true));
    p.setPen(Cream);
    p.drawText(QRectF(front.left(), front.top() + 6, front.width(), 20), Qt::AlignCenter,
               "FLUFFO BRAMBO");
    // The handheld on a blue panel that makes it stand out.
    const QRectF panel(front.left() + 8, front.top() + 30, front.width() - 16, 78);
    QRadialGradient blue(panel.center(), 60);
    blue.setColorAt(0, QColor(0x4F, 0x9C, 0xE0));
    blue.setColorAt(1, QColor(0x1A, 0x4E, 0x96));
    p.setPen(QPen(Cream, 1.2));
    p.setBrush(blue);
    p.drawRoundedRect(panel, 5, 5);
    small_handheld(p, QRectF(front.left() + 33, front.top() + 33, 46, 69.4));
    p.setFont(print_font(8, true, true));
    p.setPen(Cream);
    p.drawText(QRectF(front.left(), front.bottom() - 36, front.width(), 12), Qt::AlignCenter,
               "Gleeplay");
    p.setFont(print_font(9, true));
    p.drawText(QRectF(front.left(), front.bottom() - 22, front.width(), 14), Qt::AlignCenter,
               "ZENTRIX");
    // The side carries the title as well, turned.
    p.save();
    p.translate(front.right() + 14, front.center().y());
    p.rotate(-90);
    p.setFont(print_font(8, true));
    p.setPen(Cream);
    p.drawText(QRectF(-60, -6, 120, 12), Qt::AlignCenter, "FLUFFO BRAMBO");
    p.restore();
    p.end();
    return img;
}

QImage about_picture() {
    // The author's portrait: Fluffo at the drawing board, framed.
    QImage img = canvas(QSize(116, 160), Navy);
    QPainter p(&img);
    smooth(p);
    p.setPen(QPen(Cream, 2));
    p.setBrush(Glass);
    p.drawRoundedRect(QRectF(4, 4, 108, 152), 6, 6);
    lcd_figure(p, QRectF(18, 30, 80, 96),
               [](QPainter& q, QRectF b) { draw_fluffo_shape(q, b, Facing::Front); });
    // A pencil in its wing.
    p.save();
    p.translate(86, 104);
    p.rotate(-40);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF2, 0xB1, 0x2C));
    p.drawRect(QRectF(-3, -22, 6, 26));
    p.setBrush(QColor(0xF0, 0xD8, 0xB0));
    p.drawPolygon(QPolygonF({{-3, 4}, {3, 4}, {0, 11}}));
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.drawPolygon(QPolygonF({{-1, 8.6}, {1, 8.6}, {0, 11}}));
    p.restore();
    p.setFont(print_font(10, true, true));
    p.setPen(QColor(0x30, 0x36, 0x30));
    p.drawText(QRectF(4, 128, 108, 22), Qt::AlignCenter, "the author");
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

enum class Glyph { Close, Left, Right };

// The manual viewer's small blue bevelled buttons: raised, or sunk with the glyph moved one
// pixel down and right.
QImage manual_button(Glyph glyph, bool pressed) {
    QImage img = canvas(QSize(16, 14), QColor(0x1C, 0x3C, 0x7A));
    QPainter p(&img);
    QLinearGradient face(0, 0, 0, 14);
    face.setColorAt(0, pressed ? QColor(0x2A, 0x5A, 0xA8) : QColor(0x5C, 0x92, 0xE0));
    face.setColorAt(1, pressed ? QColor(0x3C, 0x70, 0xC4) : QColor(0x2C, 0x5C, 0xB0));
    p.fillRect(QRect(1, 1, 14, 12), face);
    const QColor light(0xB8, 0xD4, 0xFF), dark(0x10, 0x24, 0x50);
    p.setPen(pressed ? dark : light);
    p.drawLine(1, 1, 14, 1);
    p.drawLine(1, 1, 1, 12);
    p.setPen(pressed ? light : dark);
    p.drawLine(1, 12, 14, 12);
    p.drawLine(14, 1, 14, 12);
    smooth(p);
    const QPointF shift = pressed ? QPointF(1, 1) : QPointF(0, 0);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF c = QPointF(7.5, 6.5) + shift;
    switch (glyph) {
        case Glyph::Close:
            p.drawLine(c + QPointF(-3, -3), c + QPointF(3, 3));
            p.drawLine(c + QPointF(-3, 3), c + QPointF(3, -3));
            break;
        case Glyph::Left:
            p.drawPolyline(
                QPolygonF({c + QPointF(1.5, -3.5), c + QPointF(-2, 0), c + QPointF(1.5, 3.5)}));
            break;
        case Glyph::Right:
            p.drawPolyline(
                QPolygonF({c + QPointF(-1.5, -3.5), c + QPointF(2, 0), c + QPointF(-1.5, 3.5)}));
            break;
    }
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage game_menu_background() {
    QImage img = canvas(QSize(256, 512), QColor(0, 0, 0, 204));
    QPainter p(&img);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(QRect(0, 0, 256, 32), Qt::black);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    smooth(p);
    // The three-bar menu symbol, in the middle of the closed button.
    const fluffo::Rect closed = fluffo::MainScreen::Game_Menu_Closed;
    const QPointF middle(closed.width / 2.0, closed.height / 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < 3; ++i)
        p.drawRoundedRect(QRectF(middle.x() - 10, middle.y() - 7.5 + 6 * i, 20, 3), 1.5, 1.5);
    p.setFont(print_font(16, true));
    p.setPen(Qt::white);
    p.drawText(QRectF(40, 0, 210, 32), Qt::AlignLeft | Qt::AlignVCenter, "Game menu");
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

std::vector<WindowPicture> window_pictures() {
    return {
        {"start_background.bmp", start_background()},
        {"box.png", box_picture().convertToFormat(QImage::Format_ARGB32)},
        {"play.bmp",
         pill_button(QColor(0x5C, 0xC2, 0x4C), QColor(0x2E, 0x86, 0x28), Qt::white, "PLAY",
                     [](QPainter& p, QRectF r) { play_icon(p, r, Qt::white); })},
        {"play_disabled.bmp",
         pill_button(QColor(0xD8, 0xD8, 0xD8), QColor(0xA8, 0xA8, 0xA8), QColor(0x8A, 0x8A, 0x8A),
                     "PLAY",
                     [](QPainter& p, QRectF r) { play_icon(p, r, QColor(0x8A, 0x8A, 0x8A)); })},
        {"donate.bmp", pill_button(QColor(0xFF, 0xD8, 0x5C), QColor(0xE0, 0xA0, 0x20),
                                   QColor(0x3A, 0x28, 0x00), "Donate", heart_icon)},
        {"about.bmp", about_picture()},
        {"manual_close_up.bmp", manual_button(Glyph::Close, false)},
        {"manual_close_down.bmp", manual_button(Glyph::Close, true)},
        {"manual_left_up.bmp", manual_button(Glyph::Left, false)},
        {"manual_left_down.bmp", manual_button(Glyph::Left, true)},
        {"manual_right_up.bmp", manual_button(Glyph::Right, false)},
        {"manual_right_down.bmp", manual_button(Glyph::Right, true)},
        {"game_menu.png", game_menu_background()},
    };
}

}  // namespace artwork
