#include "body.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <map>
#include <string_view>

#include "art_scale.h"
#include "design_places.h"
#include "lcd_glass.h"
#include "lcd_ink.h"

namespace artwork {

namespace {

// The plastic: a bright red case, a charcoal bezel and rubber buttons.
const QColor Case_Top{0xD8, 0x47, 0x3A};
const QColor Case_Bottom{0xB0, 0x30, 0x27};
const QColor Case_Shade{0x7C, 0x1D, 0x16};
const QColor Case_Light{0xF2, 0x84, 0x73};
const QColor Print{0xFF, 0xEA, 0xB8};
const QColor Bezel_Top{0x2E, 0x30, 0x35};
const QColor Bezel_Bottom{0x1C, 0x1D, 0x21};

// The body is the picture of a holder at the window's origin, so its pixels are window pixels.
QSize body_size() {
    return design_place("im_background").size();
}

// Each button sits in its click area's holder.
struct Button {
    std::string_view holder;
    bool round;  // SET is a small round button, the others are pills
    const char* label;
};
const std::array<Button, 4> Buttons{{
    {"btn_set_top", true, "SET"},
    {"btn_game_a_top", false, "GAME A"},
    {"btn_game_b_top", false, "GAME B"},
    {"btn_time_top", false, "TIME"},
}};

// The controller's middle, arms and well.
constexpr QPointF Pad_Centre{220.5, 476};
constexpr double Pad_Arm = 82, Pad_Half_Width = 22, Pad_Well = 87;

// Text with a dark shadow below, as if printed on the plastic.
void printed_text(QPainter& p, QRectF box, const QString& text, const QFont& font,
                  const QColor& colour, int align = Qt::AlignCenter) {
    p.setFont(font);
    p.setPen(QColor(0x50, 0x10, 0x0C, 170));
    p.drawText(box.translated(0.8, 1.0), align, text);
    p.setPen(colour);
    p.drawText(box, align, text);
}

void draw_case(QPainter& p) {
    const QRectF outline(QPointF(0, 0), QSizeF(body_size()));
    p.setPen(Qt::NoPen);
    p.setBrush(Case_Shade.darker(130));
    p.drawRoundedRect(outline, 44, 44);
    // The rounded edge: light where it faces up and left, dark down and right.
    QLinearGradient edge(0, 0, outline.width(), outline.height());
    edge.setColorAt(0, Case_Light);
    edge.setColorAt(0.45, Case_Top);
    edge.setColorAt(1, Case_Shade);
    p.setBrush(edge);
    p.drawRoundedRect(outline.adjusted(1.5, 1.5, -1.5, -1.5), 42.5, 42.5);
    QLinearGradient face(0, 0, 0, outline.height());
    face.setColorAt(0, Case_Top);
    face.setColorAt(1, Case_Bottom);
    p.setBrush(face);
    p.drawRoundedRect(outline.adjusted(6, 6, -6, -6), 38, 38);
    // The seam where the front shell meets the back.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x5A, 0x12, 0x0D, 110), 1.0));
    p.drawRoundedRect(outline.adjusted(11.5, 11.5, -11.5, -11.5), 33, 33);
    p.setPen(QPen(QColor(255, 255, 255, 45), 1.0));
    p.drawRoundedRect(outline.adjusted(12.5, 12.5, -12.5, -12.5), 32, 32);
    p.setPen(Qt::NoPen);
    // A soft sheen across the upper half.
    QLinearGradient sheen(0, 0, 0, 330);
    sheen.setColorAt(0, QColor(255, 255, 255, 34));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawRoundedRect(QRectF(6, 6, outline.width() - 12, 330), 38, 38);
}

void draw_bezel(QPainter& p) {
    const QRectF plate(72, 11, 296, 258);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5A, 0x12, 0x0D, 120));
    p.drawRoundedRect(plate.translated(0, 2), 18, 18);
    QLinearGradient bezel(0, plate.top(), 0, plate.bottom());
    bezel.setColorAt(0, Bezel_Top);
    bezel.setColorAt(1, Bezel_Bottom);
    p.setBrush(bezel);
    p.setPen(QPen(QColor(0x10, 0x10, 0x12), 1.2));
    p.drawRoundedRect(plate, 18, 18);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(plate.adjusted(1.5, 1.5, -1.5, -1.5), 16.5, 16.5);
    // Coloured stripes and the series name under the glass.
    const double y = 258;
    p.setPen(Qt::NoPen);
    const std::array<QColor, 3> stripes{QColor(0xF2, 0xB1, 0x2C), QColor(0x3F, 0xA7, 0xD6),
                                        QColor(0x7C, 0xC1, 0x4B)};
    for (size_t i = 0; i < stripes.size(); ++i) {
        p.setBrush(stripes[i]);
        p.drawRect(QRectF(92, y - 3 + 2.5 * double(i), 82, 1.6));
        p.drawRect(QRectF(266, y - 3 + 2.5 * double(i), 82, 1.6));
    }
    p.setFont(print_font(10, true, true));
    p.setPen(QColor(0xE8, 0xE4, 0xD8));
    p.drawText(QRectF(170, y - 9, 100, 14), Qt::AlignCenter, "Gleeplay");
}

void draw_cap(QPainter& p, const Button& b, bool pressed) {
    const QRectF r(design_place(b.holder));
    QPainterPath cap;
    if (b.round) {
        const double radius = pressed ? 6.6 : 7.0;
        cap.addEllipse(r.center() + QPointF(0, pressed ? 0.8 : 0), radius, radius);
    } else {
        const QRectF pill =
            pressed ? r.adjusted(2.2, 2.6, -2.2, -1.9) : r.adjusted(1.8, 1.5, -1.8, -2.5);
        cap.addRoundedRect(pill, pill.height() / 2, pill.height() / 2);
    }
    const QRectF box = cap.boundingRect();
    if (!pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 90));
        p.drawPath(cap.translated(0.5, 1.1));
    }
    QLinearGradient shade(0, box.top(), 0, box.bottom());
    shade.setColorAt(0, pressed ? QColor(0x26, 0x27, 0x2B) : QColor(0x5C, 0x5E, 0x64));
    shade.setColorAt(1, pressed ? QColor(0x33, 0x34, 0x39) : QColor(0x22, 0x23, 0x27));
    p.setBrush(shade);
    p.setPen(QPen(QColor(0x0E, 0x0E, 0x10), 0.9));
    p.drawPath(cap);
    p.setPen(Qt::NoPen);
    if (pressed) {
        // Sunk in: a shadow along its top edge.
        QLinearGradient inner(0, box.top(), 0, box.top() + 4);
        inner.setColorAt(0, QColor(0, 0, 0, 120));
        inner.setColorAt(1, QColor(0, 0, 0, 0));
        p.setBrush(inner);
        p.drawPath(cap);
    } else {
        // A glint on the rubber.
        p.setBrush(QColor(255, 255, 255, 70));
        p.drawEllipse(QRectF(box.left() + box.width() * 0.22, box.top() + 1.4, box.width() * 0.5,
                             box.height() * 0.28));
    }
}

void draw_buttons(QPainter& p, bool caps) {
    for (const Button& b : Buttons) {
        const QRectF r(design_place(b.holder));
        if (caps) {
            draw_cap(p, b, false);
            continue;
        }
        // The well in the case the button sits in.
        p.setPen(QPen(QColor(255, 200, 190, 70), 1.0));
        p.setBrush(Case_Shade);
        if (b.round) {
            p.drawEllipse(r.center(), 9.6, 9.6);
        } else {
            p.drawRoundedRect(r.adjusted(-0.5, 0, 0.5, 0.5), 10, 10);
        }
        printed_text(p, QRectF(r.center().x() - 30, 327, 60, 12), b.label,
                     print_font(9, true, false, "DejaVu Sans Condensed"), Print);
    }
}

void draw_pad(QPainter& p) {
    // The well.
    QRadialGradient well(Pad_Centre + QPointF(0, -20), Pad_Well * 1.2);
    well.setColorAt(0, Case_Bottom.darker(112));
    well.setColorAt(1, Case_Shade);
    p.setPen(QPen(QColor(255, 190, 180, 90), 1.4));
    p.setBrush(well);
    p.drawEllipse(Pad_Centre, Pad_Well, Pad_Well);
    p.setPen(QPen(QColor(0x4A, 0x0E, 0x0A, 160), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(Pad_Centre.x() - Pad_Well + 1, Pad_Centre.y() - Pad_Well + 1, 2 * Pad_Well - 2,
                     2 * Pad_Well - 2),
              20 * 16, 140 * 16);

    QPainterPath cross;
    const double a = Pad_Arm, w = Pad_Half_Width;
    cross.addRoundedRect(QRectF(Pad_Centre.x() - w, Pad_Centre.y() - a, 2 * w, 2 * a), 6, 6);
    cross.addRoundedRect(QRectF(Pad_Centre.x() - a, Pad_Centre.y() - w, 2 * a, 2 * w), 6, 6);
    cross.setFillRule(Qt::WindingFill);
    cross = cross.simplified();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawPath(cross.translated(2, 3.5));
    QLinearGradient plastic(Pad_Centre.x() - a, Pad_Centre.y() - a, Pad_Centre.x() + a,
                            Pad_Centre.y() + a);
    plastic.setColorAt(0, QColor(0x4E, 0x50, 0x56));
    plastic.setColorAt(1, QColor(0x1E, 0x1F, 0x23));
    p.setBrush(plastic);
    p.setPen(QPen(QColor(0x0C, 0x0C, 0x0E), 1.2));
    p.drawPath(cross);
    p.setPen(QPen(QColor(255, 255, 255, 45), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(cross.translated(0.8, 0.8).intersected(cross));
    // Embossed arrows at the arm ends and the dimple in the middle.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x70, 0x72, 0x79));
    const double tip = a - 12, base = a - 24, half = 8;
    const std::array<std::array<QPointF, 3>, 4> arrows{{
        {{{0, -tip}, {-half, -base}, {half, -base}}},
        {{{-tip, 0}, {-base, -half}, {-base, half}}},
        {{{tip, 0}, {base, -half}, {base, half}}},
        {{{0, tip}, {-half, base}, {half, base}}},
    }};
    for (const auto& arrow : arrows) {
        QPolygonF tri;
        for (QPointF pt : arrow)
            tri << Pad_Centre + pt;
        p.drawPolygon(tri);
    }
    QRadialGradient dimple(Pad_Centre + QPointF(3, 4), 14);
    dimple.setColorAt(0, QColor(0x44, 0x46, 0x4C));
    dimple.setColorAt(1, QColor(0x18, 0x19, 0x1C));
    p.setBrush(dimple);
    p.drawEllipse(Pad_Centre, 12, 12);
}

void draw_lower_case(QPainter& p) {
    printed_text(p, QRectF(0, 270, body_size().width(), 28), "FLUFFO BRAMBO",
                 print_font(23, true, true), Print);
    // Speaker slots at the lower right.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        const QPointF c(346 + 11.0 * i, 604);
        p.save();
        p.translate(c);
        p.rotate(-28);
        p.setBrush(QColor(255, 200, 190, 60));
        p.drawRoundedRect(QRectF(-2.6, -20, 5.2, 40).translated(0.6, 0.8), 2.6, 2.6);
        p.setBrush(QColor(0x3A, 0x0C, 0x08));
        p.drawRoundedRect(QRectF(-2.6, -20, 5.2, 40), 2.6, 2.6);
        p.restore();
    }
    // The maker's name pressed into the plastic.
    QFont brand = print_font(17, true);
    brand.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(brand);
    p.setPen(QColor(255, 190, 180, 110));
    p.drawText(QRectF(41, 597, 160, 30), Qt::AlignLeft | Qt::AlignVCenter, "ZENTRIX");
    p.setPen(QColor(0x6C, 0x18, 0x12));
    p.drawText(QRectF(40, 596, 160, 30), Qt::AlignLeft | Qt::AlignVCenter, "ZENTRIX");
}

// Everything but the button caps, on a clear picture.
QImage draw_bare_body() {
    QImage img = art_canvas(body_size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    smooth(p);
    draw_case(p);
    draw_bezel(p);
    draw_lcd_glass(p);
    draw_buttons(p, false);
    draw_pad(p);
    draw_lower_case(p);
    return img;
}

// Drawn once at each resolution, by each thread that draws at it.
const QImage& bare_body() {
    thread_local std::map<int, QImage> bare;
    QImage& img = bare[art_scale()];
    if (img.isNull()) img = draw_bare_body();
    return img;
}

const QImage& whole_body() {
    thread_local std::map<int, QImage> bodies;
    QImage& body = bodies[art_scale()];
    if (body.isNull()) {
        QImage img = bare_body();
        QPainter p(&img);
        smooth(p);
        draw_buttons(p, true);
        p.end();
        body = on_colour_key(img);
    }
    return body;
}

}  // namespace

QImage body_picture() {
    return whole_body();
}

QImage body_cut(QRect place) {
    return at_scale(whole_body().copy(device_rect(place)));
}

QImage pressed_button_picture(QRect place) {
    QImage img = at_scale(bare_body().copy(device_rect(place)));
    QPainter p(&img);
    smooth(p);
    p.translate(-place.topLeft());
    for (const Button& b : Buttons) {
        if (design_place(b.holder) == place) draw_cap(p, b, true);
    }
    p.end();
    return on_colour_key(img);
}

QImage overlay_arrow_picture(QRect place, Arrow arrow) {
    QImage img = body_cut(place).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    smooth(p);
    const QRectF r(0, 0, place.width(), place.height());
    p.setPen(QPen(QColor(0xFF, 0xE0, 0x5C, 220), 2.0));
    p.setBrush(QColor(0xFF, 0xE0, 0x5C, 40));
    p.drawRoundedRect(r.adjusted(2.5, 2.5, -2.5, -2.5), 8, 8);
    p.translate(r.center());
    p.rotate(arrow == Arrow::Up      ? 0
             : arrow == Arrow::Right ? 90
             : arrow == Arrow::Down  ? 180
                                     : 270);
    const QPolygonF head({{0, -14}, {12, 0}, {5, 0}, {5, 12}, {-5, 12}, {-5, 0}, {-12, 0}});
    p.setPen(QPen(QColor(0x3A, 0x28, 0x00), 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(0xFF, 0xE0, 0x5C));
    p.drawPolygon(head);
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

}  // namespace artwork
