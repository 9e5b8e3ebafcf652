#include "backdrop.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "art_scale.h"
#include "figures.h"
#include "lcd_ink.h"

namespace artwork {

namespace {

constexpr int Width = 1920, Height = 1080, Plank = 135;

// A fixed hash, so the table top is the same on every build.
double lattice(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFF) / 65535.0;
}

// Smooth value noise in 0..1.
double noise(double x, double y, uint32_t seed) {
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const double fx = x - x0, fy = y - y0;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double top = lattice(x0, y0, seed) * (1 - sx) + lattice(x0 + 1, y0, seed) * sx;
    const double bottom = lattice(x0, y0 + 1, seed) * (1 - sx) + lattice(x0 + 1, y0 + 1, seed) * sx;
    return top * (1 - sy) + bottom * sy;
}

int channel(double v) {
    return std::clamp(static_cast<int>(v + 0.5), 0, 255);
}

}  // namespace

QImage backdrop_picture() {
    // Drawn at the scale: the same wood, each window pixel made of scale x scale finer ones.
    // The slow sweeps of the grain are worked out once per window pixel, the fine fibres
    // and rings for every pixel.
    const int scale = art_scale();
    QImage img = art_canvas(QSize(Width, Height), QImage::Format_RGB32);
    std::vector<double> warp(Width), streak(Width);
    for (int yd = 0; yd < img.height(); ++yd) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(yd));
        const double y = (yd + 0.5) / scale - 0.5;
        const int yi = yd / scale;
        const int plank = yi / Plank;
        const int in_plank = yi % Plank;
        const uint32_t seed = static_cast<uint32_t>(plank) + 7;
        if (yd % scale == 0) {
            // Growth rings sweep along the board, bending where the wood grew unevenly;
            // long streaks run with them.
            for (int x = 0; x < Width; ++x) {
                warp[static_cast<size_t>(x)] = noise(x * 0.0022, yi * 0.018, seed) * 46 +
                                               noise(x * 0.011, yi * 0.07, seed + 50) * 6;
                streak[static_cast<size_t>(x)] = noise(x * 0.003, yi * 0.35, seed + 70);
            }
        }
        // Each plank a little lighter or darker, its boards staggered.
        const double tone = 0.88 + 0.2 * lattice(plank, 3, 99);
        const int joint = static_cast<int>(lattice(plank, 5, 41) * 900) + 500;
        for (int xd = 0; xd < img.width(); ++xd) {
            const double x = (xd + 0.5) / scale - 0.5;
            const auto xi = static_cast<size_t>(xd / scale);
            const double wave = 0.5 + 0.5 * std::sin((y - plank * Plank + warp[xi]) * 0.42);
            const double ring = (wave * wave) * (wave * wave);
            const double fibre = noise(x * 0.25, y * 1.6, seed + 90);
            double shade = tone * (0.84 - 0.13 * ring + 0.10 * streak[xi] + 0.05 * fibre);
            const int column = static_cast<int>(xi) % 1400;
            if (in_plank < 2 || column == joint % 1400 || column == joint % 1400 + 1) {
                shade *= 0.45;  // the gaps between boards
            } else if (in_plank == 2) {
                shade *= 1.08;  // a board's rounded edge catches the light
            }
            // Light falls on the middle where the handheld lies.
            const double dx = (x - Width / 2.0) / Width, dy = (y - Height / 2.0) / Height;
            shade *= 1.08 - 0.75 * (dx * dx + dy * dy);
            row[xd] = qRgb(channel(0x9C * shade), channel(0x64 * shade), channel(0x38 * shade));
        }
    }
    return img;
}

QImage logo_picture() {
    QImage img = art_canvas(QSize(400, 120), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    smooth(p);
    // A little LCD with Fluffo on it.
    const QRectF badge(8, 8, 100, 100);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawRoundedRect(badge.translated(3, 4), 16, 16);
    p.setBrush(QColor(0x1E, 0x1F, 0x23));
    p.drawRoundedRect(badge, 16, 16);
    QLinearGradient glass(0, badge.top(), 0, badge.bottom());
    glass.setColorAt(0, QColor(0xCE, 0xD6, 0xBD));
    glass.setColorAt(1, QColor(0xBA, 0xC3, 0xA6));
    p.setBrush(glass);
    p.drawRoundedRect(badge.adjusted(9, 9, -9, -9), 6, 6);
    p.drawImage(QPointF(28, 20), lcd_segment(QSize(60, 72), [](QPainter& q) {
                    draw_fluffo_shape(q, QRectF(0, 0, 60, 72), Facing::Right);
                }));
    // The name, outlined like a sticker.
    const QFont font = print_font(44, true, true);
    QPainterPath name;
    name.addText(QPointF(120, 62), font, "Fluffo");
    name.addText(QPointF(150, 104), font, "Brambo");
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(name.translated(3, 4));
    p.setPen(QPen(QColor(0xB8, 0x32, 0x28), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(name);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xEA, 0xB8));
    p.drawPath(name);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace artwork
