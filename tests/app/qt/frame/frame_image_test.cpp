// The compositor's frame in Qt: wrapped without a copy, the window mask cutting out exactly
// the key colour, the key's pixels made transparent, and painting a changed rectangle at device
// pixel ratio 1 and 2.
#include <gtest/gtest.h>

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <cstdint>
#include <vector>

#include "app/qt/frame/frame_image.h"
#include "display/compositor.h"

namespace fluffo {
namespace {

constexpr uint32_t Opaque = 0xff000000u;

// A made-up frame in the core's form, 0xAABBGGRR, wrapped like the compositor's.
QImage made_up_frame(const std::vector<uint32_t>& pixels, int width, int height) {
    return QImage(reinterpret_cast<const uchar*>(pixels.data()), width, height, width * 4,
                  QImage::Format_RGBA8888);
}

TEST(FrameImage, WrapsTheCompositorsPixelsWithoutCopying) {
    Compositor compositor;
    compositor.set_frame(5, 3, 0x00332211u);  // R 0x11, G 0x22, B 0x33
    const QImage image = frame_image(compositor);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(5, 3));
    EXPECT_EQ(image.format(), QImage::Format_RGBA8888);
    EXPECT_EQ(image.bytesPerLine(), 20);
    EXPECT_EQ(image.constBits(), reinterpret_cast<const uchar*>(compositor.pixels().data()));
    EXPECT_EQ(image.pixel(4, 2), qRgb(0x11, 0x22, 0x33));
}

TEST(FrameImage, AnEmptyFrameIsANullImage) {
    EXPECT_TRUE(frame_image(Compositor{}).isNull());
}

TEST(ShapeMask, CutsOutExactlyTheKeyColour) {
    const uint32_t key = 0x00102030u;  // R 0x30, G 0x20, B 0x10
    const uint32_t K = Opaque | key;
    const std::vector<uint32_t> pixels = {
        K,
        Opaque | 0x00102031u,
        Opaque | 0x00102130u,
        Opaque | 0x00112030u,  //
        Opaque | 0x00302010u,
        K,
        Opaque | 0x0010202fu,
        Opaque,  //
    };
    const QImage frame = made_up_frame(pixels, 4, 2);
    const QBitmap mask = shape_mask(frame, key);
    ASSERT_EQ(mask.size(), QSize(4, 2));
    // The region QWidget::setMask makes of the bitmap: what is drawn and hit by the mouse.
    const QRegion shown(mask);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            const bool is_key = pixels[static_cast<size_t>(y * 4 + x)] == K;
            EXPECT_EQ(shown.contains(QPoint(x, y)), !is_key) << x << "," << y;
        }
    }
}

TEST(ShapeMask, TakesAFrameInAnyFormat) {
    QImage frame(3, 1, QImage::Format_RGB32);
    frame.setPixel(0, 0, qRgb(0xff, 0x00, 0xff));
    frame.setPixel(1, 0, qRgb(0xfe, 0x00, 0xff));
    frame.setPixel(2, 0, qRgb(0xff, 0x00, 0xff));
    const QRegion shown(shape_mask(frame, 0x00ff00ffu));
    EXPECT_EQ(shown, QRegion(1, 0, 1, 1));
    const QRegion shown_rgbx(
        shape_mask(frame.convertToFormat(QImage::Format_RGBX8888), 0x00ff00ffu));
    EXPECT_EQ(shown_rgbx, QRegion(1, 0, 1, 1));
}

TEST(ShapeMask, AFrameAllOfTheKeyColourShowsNothing) {
    Compositor compositor;
    compositor.set_frame(3, 2, 0x00ff00ffu);
    EXPECT_TRUE(QRegion(shape_mask(frame_image(compositor), 0x00ff00ffu)).isEmpty());
}

constexpr QRgb Marker = 0xff123456u;
constexpr uint32_t Red = Opaque | 0x000000ffu, Blue = Opaque | 0x00ff0000u;

// Only the key's exact colour turns transparent, only inside the rectangle; every other pixel
// is the frame's colour, opaque, in the toolkit's channel order.
TEST(KeyOut, MakesTheKeysPixelsTransparentInTheRectangleOnly) {
    const uint32_t key = 0x00ff00ffu;  // magenta
    const std::vector<uint32_t> pixels = {Opaque | key, Opaque | 0x00332211u, Opaque | 0x00ff00feu,
                                          Opaque | key};
    const QImage frame = made_up_frame(pixels, 4, 1);
    QImage keyed(4, 1, QImage::Format_ARGB32_Premultiplied);
    keyed.fill(0x12345678u);
    key_out(frame, key, QRect(0, 0, 3, 1), keyed);
    const QRgb want[] = {0u, qRgb(0x11, 0x22, 0x33), qRgb(0xfe, 0x00, 0xff), 0x12345678u};
    const auto* words = reinterpret_cast<const QRgb*>(keyed.constScanLine(0));
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(words[x], want[x]) << x;
}

TEST(PaintFrame, CopiesTheRectangleAtRatioOne) {
    std::vector<uint32_t> pixels(6 * 4);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = Opaque | static_cast<uint32_t>(i * 10);  // red channel 0, 10, 20 ...
    const QImage frame = made_up_frame(pixels, 6, 4);
    QImage target(6, 4, QImage::Format_ARGB32_Premultiplied);
    target.fill(Marker);
    {
        QPainter painter(&target);
        paint_frame(painter, frame, QRect(1, 1, 3, 2), 1.0);
    }
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x < 4 && y >= 1 && y < 3;
            const QRgb expected = inside ? qRgb(y * 60 + x * 10, 0, 0) : Marker;
            EXPECT_EQ(target.pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(PaintFrame, CopiesTheScreensOwnPixelsAtRatioTwo) {
    // The frame has the screen's pixels: 12 x 8 for a 6 x 4 window at ratio 2.
    std::vector<uint32_t> pixels(12 * 8);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = Opaque | static_cast<uint32_t>(i * 2);
    const QImage frame = made_up_frame(pixels, 12, 8);
    QImage target(12, 8, QImage::Format_ARGB32_Premultiplied);
    target.setDevicePixelRatio(2.0);
    target.fill(Marker);
    {
        QPainter painter(&target);
        paint_frame(painter, frame, QRect(1, 0, 4, 4), 2.0);
    }
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 12; ++x) {
            // Logical columns 1-4 are device columns 2-9; only they are painted, one on one.
            const bool inside = x >= 2 && x < 10;
            const QRgb expected = inside ? qRgb((y * 12 + x) * 2, 0, 0) : Marker;
            EXPECT_EQ(target.pixel(x, y), expected) << x << "," << y;
        }
    }
}

// On a screen at ratio 2 the mask is in widget pixels: one is cut out when any of its four
// frame pixels is the key, so no key colour shows at the shape's edge.
TEST(ShapeMask, AtRatioTwoCutsAWidgetPixelWithAnyKeyInIt) {
    std::vector<uint32_t> pixels(4 * 2, Red);
    pixels[1] = Opaque | 0x00ff00ffu;  // one frame pixel of widget pixel (0, 0)
    const QRegion shown(shape_mask(made_up_frame(pixels, 4, 2), 0x00ff00ffu, 2.0));
    EXPECT_EQ(shown, QRegion(1, 0, 1, 1));
}

}  // namespace
}  // namespace fluffo
