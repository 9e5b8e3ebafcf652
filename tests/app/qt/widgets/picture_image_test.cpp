// The core's pictures handed to the toolkit: colours in place, and the see-through rule of
// each kind of picture (key colour only when drawn transparent, PNG alpha always).
#include <gtest/gtest.h>

#include <QImage>

#include "app/qt/widgets/picture_image.h"

namespace fluffo {
namespace {

// 2 x 2, top row first; the bottom-left pixel (blue) is a bitmap's key colour. A bitmap's
// decoded pixels are opaque; a PNG's carry their own alpha.
Picture sample(Transparency transparency) {
    Picture p;
    p.width = 2;
    p.height = 2;
    p.transparency = transparency;
    p.pixels = {0xFF0000FFu /* red */, 0x80FF0000u /* half blue */, 0xFFFF0000u /* blue */,
                0x4000FF00u /* quarter green */};
    return p;
}

TEST(PictureImage, ColoursKeepTheirPlaceAndChannels) {
    const QImage image = picture_image(sample(Transparency::None), false);
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.pixel(0, 0), qRgba(255, 0, 0, 255));
    EXPECT_EQ(image.pixel(1, 0), qRgba(0, 0, 255, 255));
    EXPECT_EQ(image.pixel(0, 1), qRgba(0, 0, 255, 255));
    EXPECT_EQ(image.pixel(1, 1), qRgba(0, 255, 0, 255));
}

TEST(PictureImage, ABitmapLosesItsKeyColourOnlyWhenDrawnTransparent) {
    const QImage keyed = picture_image(sample(Transparency::BottomLeftKey), true);
    EXPECT_EQ(qAlpha(keyed.pixel(0, 0)), 255);
    // The key matches by colour, whatever the alpha byte says.
    EXPECT_EQ(qAlpha(keyed.pixel(1, 0)), 0);
    EXPECT_EQ(qAlpha(keyed.pixel(0, 1)), 0);
    EXPECT_EQ(qAlpha(keyed.pixel(1, 1)), 255);

    const QImage plain = picture_image(sample(Transparency::BottomLeftKey), false);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(qAlpha(plain.pixel(x, y)), 255) << x << "," << y;
    }
    // A picture without transparency stays opaque even when asked to be drawn transparent.
    EXPECT_EQ(qAlpha(picture_image(sample(Transparency::None), true).pixel(0, 1)), 255);
}

TEST(PictureImage, APngKeepsItsAlphaEitherWay) {
    for (bool transparent : {false, true}) {
        const QImage image = picture_image(sample(Transparency::Alpha), transparent);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255);
        EXPECT_EQ(qAlpha(image.pixel(1, 0)), 0x80);
        EXPECT_EQ(qAlpha(image.pixel(0, 1)), 255);  // no key colour for a PNG
        EXPECT_EQ(qAlpha(image.pixel(1, 1)), 0x40);
        EXPECT_EQ(qGreen(image.pixel(1, 1)), 255);
    }
}

TEST(PictureImage, AnEmptyOrShortPictureGivesANullImage) {
    EXPECT_TRUE(picture_image(Picture{}, true).isNull());
    Picture short_of_pixels = sample(Transparency::None);
    short_of_pixels.pixels.pop_back();
    EXPECT_TRUE(picture_image(short_of_pixels, false).isNull());
}

}  // namespace
}  // namespace fluffo
