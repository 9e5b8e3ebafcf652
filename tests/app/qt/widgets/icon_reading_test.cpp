// Icons as the toolkit writes them, read by the program's own decoder: every pixel and its
// alpha as drawn, in the core's layout, whatever the extension's case; and damaged data
// refused with the file's name.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <cstring>
#include <vector>

#include "display/picture_files.h"

namespace fluffo {
namespace {

std::vector<uint8_t> icon_bytes(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "ICO"));
    return {data.begin(), data.end()};
}

TEST(IconReadingTest, ThePictureIsTheImageTheToolkitWrote) {
    QImage alpha(16, 8, QImage::Format_ARGB32);
    alpha.fill(QColor(10, 20, 30, 255));
    alpha.setPixelColor(0, 0, QColor(0, 0, 0, 0));
    alpha.setPixelColor(15, 7, QColor(200, 100, 50, 128));
    QImage opaque(33, 5, QImage::Format_RGB32);
    opaque.fill(QColor(1, 2, 3));
    opaque.setPixelColor(32, 4, QColor(250, 0, 9));
    for (const QImage& image : {alpha, opaque}) {
        const std::vector<uint8_t> bytes = icon_bytes(image);
        const PicturePtr picture = decode_picture(bytes, "Skin/App.ICO");
        const QImage theirs = image.convertToFormat(QImage::Format_RGBA8888);
        ASSERT_EQ(picture->width, theirs.width());
        ASSERT_EQ(picture->height, theirs.height());
        EXPECT_EQ(picture->transparency, Transparency::Alpha);
        for (int y = 0; y < theirs.height(); ++y) {
            for (int x = 0; x < theirs.width(); ++x) {
                uint32_t want = 0;  // RGBA8888 reads as 0xAABBGGRR on a little-endian machine
                std::memcpy(&want, theirs.constScanLine(y) + x * 4, 4);
                EXPECT_EQ(picture->pixels[static_cast<size_t>(y * theirs.width() + x)], want)
                    << x << "," << y;
            }
        }
    }
}

TEST(IconReadingTest, DamagedIconIsRefusedNamingTheFile) {
    std::vector<uint8_t> bytes = icon_bytes(QImage(16, 16, QImage::Format_ARGB32));
    bytes.resize(30);
    try {
        decode_picture(bytes, "Skin/broken.ico");
        FAIL() << "a truncated icon was accepted";
    } catch (const UndecodablePicture& e) {
        EXPECT_NE(std::string(e.what()).find("Skin/broken.ico"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace fluffo
