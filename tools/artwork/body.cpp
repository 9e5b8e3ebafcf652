#include "body.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <cstdio>
#include <string>

#include "board_layout.h"
#include "display/skin_images.h"
#include "figures.h"
#include "lcd_ink.h"
#include "panel_marks.h"

namespace artwork {

namespace {

constexpr QSize Body_Size{440, 664};

// The plastic: a bright red case, a charcoal bezel and rubber buttons.
const QColor Case_Top{0xD8, 0x47, 0x3A};
const QColor Case_Bottom{0xB0, 0x30, 0x27};
const QColor Case_Shade{0x7C, 0x1D, 0x16};
const QColor Case_Light{0xF2, 0x84, 0x73};
const QColor Print{0xFF, 0xEA, 0xB8};
const QColor Bezel_Top{0x2E, 0x30, 0x35};
const QColor Bezel_Bottom{0x1C, 0x1D, 0x21};
const QColor Glass_Top{0xCE, 0xD6, 0xBD};
const QColor Glass_Bottom{0xBA, 0xC3, 0xA6};
const QColor Path_Fill{0xD8, 0xDE, 0xC7};
const QColor Path_Edge{0xA4, 0xAE, 0x90};

struct Button {
    QRect place;
    bool round;  // SET is a small round button, the others are pills
    const char* label;
};
const std::array<Button, 4> Buttons{{
    {{142, 302, 20, 20}, true, "SET"},
    {{181, 305, 27, 20}, false, "GAME A"},
    {{230, 305, 28, 20}, false, "GAME B"},
    {{281, 305, 27, 20}, false, "TIME"},
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
    const QRectF outline(0, 0, Body_Size.width(), Body_Size.height());
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
    p.drawRoundedRect(QRectF(6, 6, 428, 330), 38, 38);
}

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
        const QRect place(s.design.left, s.design.top, s.design.width, s.design.height);
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

void draw_lcd(QPainter& p) {
    // The recess around the glass, then the glass with its printed maze.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0C, 0x0D, 0x0F));
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
    // A thin printed rule under the number panel.
    p.setPen(QPen(Path_Edge, 1.0));
    p.drawLine(QPointF(Lcd_Glass.left() + 4, 64.5), QPointF(196, 64.5));
    p.drawLine(QPointF(246, 64.5), QPointF(Lcd_Glass.right() - 3, 64.5));
    p.restore();
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
    const QRectF r(b.place);
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
        const QRectF r(b.place);
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
    printed_text(p, QRectF(0, 270, 440, 28), "FLUFFO BRAMBO", print_font(23, true, true), Print);
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
    QImage img(Body_Size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    smooth(p);
    draw_case(p);
    draw_bezel(p);
    draw_lcd(p);
    draw_buttons(p, false);
    draw_pad(p);
    draw_lower_case(p);
    return img;
}

const QImage& bare_body() {
    static const QImage bare = draw_bare_body();
    return bare;
}

const QImage& whole_body() {
    static const QImage body = [] {
        QImage img = bare_body();
        QPainter p(&img);
        smooth(p);
        draw_buttons(p, true);
        p.end();
        return on_colour_key(img);
    }();
    return body;
}

}  // namespace

QImage body_picture() {
    return whole_body();
}

QImage body_cut(QRect place) {
    return whole_body().copy(place);
}

QImage pressed_button_picture(QRect place) {
    QImage img = bare_body().copy(place);
    QPainter p(&img);
    smooth(p);
    p.translate(-place.topLeft());
    for (const Button& b : Buttons) {
        if (b.place == place) draw_cap(p, b, true);
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

QImage screen_top_picture(QRect place) {
    QImage img(place.size(), QImage::Format_ARGB32_Premultiplied);
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
    p.setBrush(QColor(0x0C, 0x0D, 0x0F));
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
