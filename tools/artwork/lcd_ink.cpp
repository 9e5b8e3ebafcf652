#include "lcd_ink.h"

#include <algorithm>
#include <array>

#include "art_scale.h"

namespace artwork {

namespace {

struct Glyph {
    char ch;
    std::array<const char*, 7> rows;  // '#' lit; rows beyond the font's height unused
};

// Only the letters the panel prints.
constexpr std::array<Glyph, 5> Small_Glyphs{{
    {'G', {".##", "#..", "#.#", "#.#", ".##"}},
    {'A', {".#.", "#.#", "###", "#.#", "#.#"}},
    {'M', {"#...#", "##.##", "#.#.#", "#...#", "#...#"}},
    {'E', {"##", "#.", "##", "#.", "##"}},
    {' ', {".", ".", ".", ".", "."}},
}};

constexpr std::array<Glyph, 4> Tall_Glyphs{{
    {'A', {".##.", "#..#", "#..#", "####", "#..#", "#..#", "#..#"}},
    {'B', {"##.", "#.#", "#.#", "##.", "#.#", "#.#", "##."}},
    {'P', {"###.", "#..#", "#..#", "###.", "#...", "#...", "#..."}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
}};

const Glyph* find_glyph(char ch, PixelFont font) {
    if (font == PixelFont::Small) {
        for (const Glyph& g : Small_Glyphs)
            if (g.ch == ch) return &g;
    } else {
        for (const Glyph& g : Tall_Glyphs)
            if (g.ch == ch) return &g;
    }
    return nullptr;
}

int glyph_height(PixelFont font) {
    return font == PixelFont::Small ? 5 : 7;
}

}  // namespace

void smooth(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

QFont print_font(int pixels, bool bold, bool italic, const char* family) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QImage lcd_segment(QSize size, const std::function<void(QPainter&)>& draw) {
    QImage mask = art_canvas(size, QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        smooth(p);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        draw(p);
    }
    QImage out = art_canvas(size, QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    // The shadow falls one window pixel down and right, whatever the resolution.
    const int w = out.width(), h = out.height(), drop = art_scale();
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        const auto* ink_row = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        const auto* shade_row =
            y >= drop ? reinterpret_cast<const QRgb*>(mask.constScanLine(y - drop)) : nullptr;
        for (int x = 0; x < w; ++x) {
            const double ink = qAlpha(ink_row[x]) / 255.0 * Lcd_Ink.alphaF();
            const double shade =
                (shade_row && x >= drop) ? qAlpha(shade_row[x - drop]) / 255.0 * 0.16 : 0.0;
            // Ink over shadow: both dark, the shadow a plain black.
            const double a = ink + shade * (1 - ink);
            if (a <= 0) continue;
            const double r = (Lcd_Ink.red() * ink) / a;
            const double g = (Lcd_Ink.green() * ink) / a;
            const double b = (Lcd_Ink.blue() * ink) / a;
            row[x] = qRgba(int(r + 0.5), int(g + 0.5), int(b + 0.5), int(a * 255 + 0.5));
        }
    }
    return out;
}

void draw_pixel_text(QPainter& p, int x, int y, std::string_view text, PixelFont font) {
    for (char ch : text) {
        const Glyph* g = find_glyph(ch, font);
        if (!g) continue;
        const int gw = static_cast<int>(std::string_view(g->rows[0]).size());
        for (int row = 0; row < glyph_height(font); ++row) {
            for (int col = 0; col < gw; ++col) {
                if (g->rows[static_cast<size_t>(row)][col] == '#') {
                    p.fillRect(QRect(x + col, y + row, 1, 1), p.brush());
                }
            }
        }
        x += gw + 1;
    }
}

}  // namespace artwork
