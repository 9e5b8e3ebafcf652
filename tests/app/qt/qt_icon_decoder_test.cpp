// Icons through the toolkit's reader: pixels and alpha arrive in the core's layout, the
// extension's case does not matter, and damaged data is refused with the file's name.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <vector>

#include "app/qt/qt_icon_decoder.h"
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

TEST(QtIconDecoderTest, ReadsPixelsAndAlphaInTheCoreLayout) {
    QImage image(16, 8, QImage::Format_ARGB32);
    image.fill(QColor(10, 20, 30, 255));
    image.setPixelColor(0, 0, QColor(0, 0, 0, 0));
    image.setPixelColor(15, 7, QColor(200, 100, 50, 255));
    const QtIconDecoder decoder;

    const PicturePtr picture = decode_picture(icon_bytes(image), "Skin/App.ICO", &decoder);

    ASSERT_EQ(picture->width, 16);
    ASSERT_EQ(picture->height, 8);
    EXPECT_EQ(picture->transparency, Transparency::Alpha);
    EXPECT_EQ(picture->pixels[1], 0xFF1E140Au);           // red 10, green 20, blue 30
    EXPECT_EQ(picture->pixels[0] >> 24, 0u);              // see-through corner
    EXPECT_EQ(picture->pixels[16 * 8 - 1], 0xFF3264C8u);  // red 200, green 100, blue 50
}

TEST(QtIconDecoderTest, DamagedIconIsRefusedNamingTheFile) {
    std::vector<uint8_t> bytes = icon_bytes(QImage(16, 16, QImage::Format_ARGB32));
    bytes.resize(30);
    const QtIconDecoder decoder;
    try {
        decode_picture(bytes, "Skin/broken.ico", &decoder);
        FAIL() << "a truncated icon was accepted";
    } catch (const UndecodablePicture& e) {
        EXPECT_NE(std::string(e.what()).find("Skin/broken.ico"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace fluffo
