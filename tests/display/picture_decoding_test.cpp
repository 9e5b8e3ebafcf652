// Picture decoding: bitmaps in every depth and orientation, PNG with its alpha, JPEG, the
// choice of format by extension, and the refusals (damaged, cut short, absurd sizes).
#include <gtest/gtest.h>
#include <zlib.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "display/picture_files.h"
#include "support/picture_bytes.h"

namespace fluffo {
namespace {

using test::BmpRecipe;
using test::JpegRecipe;
using test::PngRecipe;

constexpr uint32_t Opaque = 0xFF00'0000u;

PicturePtr decode(const std::vector<uint8_t>& bytes, const std::string& name) {
    return decode_picture(bytes, name);
}

// The refusal's text, which must name the file; empty when the bytes were accepted.
std::string refusal(const std::vector<uint8_t>& bytes, const std::string& name) {
    try {
        decode(bytes, name);
    } catch (const UndecodablePicture& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find(name), std::string::npos) << what;
        return what;
    }
    return {};
}

bool mentions(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A pattern over the given colours in which neighbouring pixels differ.
std::vector<uint32_t> pattern(int width, int height, const std::vector<uint32_t>& colours) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(colours[static_cast<size_t>(x * 3 + y) % colours.size()]);
        }
    }
    return pixels;
}

std::vector<uint32_t> opaque(std::vector<uint32_t> pixels) {
    for (uint32_t& p : pixels)
        p = (p & 0xFFFFFF) | Opaque;
    return pixels;
}

const std::vector<uint32_t> Sixteen_Colours = {
    0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0xFF00FF, 0x00FFFF, 0xFFFF00,
    0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x123456, 0x654321, 0x0F0F0F};
// 16-bit bitmaps keep five bits a channel; these colours survive that exactly.
const std::vector<uint32_t> Five_Bit_Colours = {0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00,
                                                0xFF0000, 0xFF00FF, 0x00FFFF, 0xFFFF00};

TEST(BitmapDecodingTest, EveryDepthBottomUpAndTopDown) {
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        for (bool top_down : {false, true}) {
            SCOPED_TRACE(std::to_string(bits) + " bits" + (top_down ? " top-down" : ""));
            const std::vector<uint32_t> colours = bits == 1
                                                      ? std::vector<uint32_t>{0x00FF00, 0xFF00FF}
                                                  : bits == 16 ? Five_Bit_Colours
                                                               : Sixteen_Colours;
            // Nine pixels a row: rows that need padding, and more than a byte at 1 bit.
            const BmpRecipe recipe{9, 3, bits, top_down, false, pattern(9, 3, colours)};
            const PicturePtr picture = decode(test::make_bmp(recipe), "pic.bmp");
            EXPECT_EQ(picture->width, 9);
            EXPECT_EQ(picture->height, 3);
            EXPECT_EQ(picture->transparency, Transparency::BottomLeftKey);
            EXPECT_EQ(picture->pixels, opaque(recipe.pixels));
        }
    }
}

TEST(BitmapDecodingTest, SixteenBitsWithBitFieldsAndThirtyTwoBitsIgnoreAlpha) {
    const BmpRecipe rgb565{4, 2, 16, false, true, pattern(4, 2, Five_Bit_Colours)};
    EXPECT_EQ(decode(test::make_bmp(rgb565), "a.bmp")->pixels, opaque(rgb565.pixels));

    BmpRecipe with_alpha{2, 1, 32, false, false, {0x112233, 0x445566}};
    std::vector<uint8_t> bytes = test::make_bmp(with_alpha);
    bytes[54 + 3] = 0x00;  // one pixel see-through by its alpha byte, one half
    bytes[54 + 7] = 0x80;
    EXPECT_EQ(decode(bytes, "a.bmp")->pixels, opaque(with_alpha.pixels));
}

TEST(BitmapDecodingTest, PixelsBeyondAShortColourTableAreBlack) {
    const BmpRecipe recipe{4, 1, 8, false, false, {0x0000FF, 0x00FF00, 0x0000FF, 0x00FF00}};
    std::vector<uint8_t> bytes = test::make_bmp(recipe);
    const size_t first_pixel = 14 + 40 + 2 * 4;
    bytes[first_pixel + 2] = 200;  // the table has two entries
    const PicturePtr picture = decode(bytes, "short.bmp");
    EXPECT_EQ(picture->pixels, (std::vector<uint32_t>{0xFF0000FF, 0xFF00FF00, Opaque, 0xFF00FF00}));
}

TEST(BitmapDecodingTest, DamagedAndUnsupportedBitmapsAreRefused) {
    const std::vector<uint8_t> good =
        test::make_bmp({5, 4, 24, false, false, pattern(5, 4, Sixteen_Colours)});
    ASSERT_TRUE(refusal(good, "ok.bmp").empty());

    std::vector<uint8_t> cut(good.begin(), good.end() - 20);
    EXPECT_TRUE(mentions(refusal(cut, "cut.bmp"), "cut short"));
    EXPECT_FALSE(refusal({good.begin(), good.begin() + 30}, "header.bmp").empty());
    EXPECT_FALSE(refusal({'B', 'M'}, "tiny.bmp").empty());
    EXPECT_FALSE(refusal({}, "empty.bmp").empty());

    std::vector<uint8_t> not_bm = good;
    not_bm[0] = 'X';
    EXPECT_TRUE(mentions(refusal(not_bm, "x.bmp"), "not a bitmap"));

    std::vector<uint8_t> rle = good;  // run-length coding is for 8 and 4 bits only
    rle[30] = 1;
    EXPECT_TRUE(mentions(refusal(rle, "rle.bmp"), "compression (1)"));

    std::vector<uint8_t> two_bits = good;
    two_bits[28] = 2;
    EXPECT_FALSE(refusal(two_bits, "two.bmp").empty());

    std::vector<uint8_t> odd_header = good;
    odd_header[14] = 64;
    EXPECT_TRUE(mentions(refusal(odd_header, "os2v2.bmp"), "header"));

    // A PNG named .bmp is not tried as a PNG.
    const std::vector<uint8_t> png = test::make_rgba_png(1, 1, {Opaque});
    EXPECT_FALSE(refusal(png, "disguised.bmp").empty());
}

std::vector<uint8_t> bitmap_claiming(int32_t width, int32_t height) {
    std::vector<uint8_t> bytes = test::make_bmp({1, 1, 24, false, false, {0x123456}});
    test::put_u32_at(bytes, 18, static_cast<uint32_t>(width));
    test::put_u32_at(bytes, 22, static_cast<uint32_t>(height));
    return bytes;
}

TEST(BitmapDecodingTest, AbsurdOrEmptyDeclaredSizesAreRefusedFromTheHeader) {
    EXPECT_TRUE(mentions(refusal(bitmap_claiming(100000, 100000), "huge.bmp"), "too large"));
    EXPECT_TRUE(mentions(refusal(bitmap_claiming(16385, 1), "wide.bmp"), "too large"));
    EXPECT_TRUE(mentions(refusal(bitmap_claiming(1, -16385), "tall.bmp"), "too large"));
    EXPECT_TRUE(mentions(refusal(bitmap_claiming(8193, 8192), "many.bmp"), "too large"));
    EXPECT_TRUE(mentions(refusal(bitmap_claiming(1, INT32_MIN), "min.bmp"), "too large"));
    EXPECT_TRUE(mentions(refusal(bitmap_claiming(0, 5), "none.bmp"), "no pixels"));
    EXPECT_TRUE(mentions(refusal(bitmap_claiming(-3, 5), "negative.bmp"), "no pixels"));
    EXPECT_TRUE(mentions(refusal(bitmap_claiming(5, 0), "flat.bmp"), "no pixels"));
    // Within the limits but without the rows it declares.
    EXPECT_TRUE(mentions(refusal(bitmap_claiming(16384, 4096), "big.bmp"), "cut short"));

    // The longest side allowed decodes.
    const BmpRecipe line{16384, 1, 1, false, false, pattern(16384, 1, {0x000000, 0xFFFFFF})};
    EXPECT_EQ(decode(test::make_bmp(line), "line.bmp")->width, 16384);
}

PngRecipe png_recipe(int width, int height, int bit_depth, int color_type,
                     std::vector<std::vector<uint8_t>> rows) {
    PngRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.bit_depth = bit_depth;
    recipe.color_type = color_type;
    recipe.rows = std::move(rows);
    return recipe;
}

TEST(PngDecodingTest, RgbaKeepsItsAlpha) {
    const std::vector<uint32_t> pixels = {0xFF0000FF, 0x8000FF00, 0x00FF0000,
                                          0x01020304, 0xFFFFFFFF, 0x7F7F7F7F};
    const PicturePtr picture = decode(test::make_rgba_png(3, 2, pixels), "alpha.png");
    EXPECT_EQ(picture->width, 3);
    EXPECT_EQ(picture->height, 2);
    EXPECT_EQ(picture->transparency, Transparency::Alpha);
    EXPECT_EQ(picture->pixels, pixels);
}

TEST(PngDecodingTest, PaletteGreySixteenBitAndKeyColourExpandToRgba) {
    PngRecipe palette = png_recipe(4, 1, 2, PNG_COLOR_TYPE_PALETTE, {{0b00011011}});
    palette.palette = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF};
    palette.palette_alpha = {0, 128};  // entries without alpha are opaque
    EXPECT_EQ(decode(test::make_png(palette), "p.png")->pixels,
              (std::vector<uint32_t>{0x000000FF, 0x8000FF00, 0xFFFF0000, 0xFFFFFFFF}));

    const PngRecipe grey = png_recipe(3, 1, 8, PNG_COLOR_TYPE_GRAY, {{0x00, 0x80, 0xFF}});
    EXPECT_EQ(decode(test::make_png(grey), "g.png")->pixels,
              (std::vector<uint32_t>{0xFF000000, 0xFF808080, 0xFFFFFFFF}));

    // Sixteen bits scale straight down: no colour space chunk means no gamma change.
    const PngRecipe grey16 =
        png_recipe(3, 1, 16, PNG_COLOR_TYPE_GRAY_ALPHA,
                   {{0x12, 0x34, 0xFF, 0xFF, 0x80, 0x00, 0x80, 0x00, 0xFF, 0xFF, 0x00, 0x00}});
    const PicturePtr wide = decode(test::make_png(grey16), "g16.png");
    EXPECT_EQ(wide->pixels[0], 0xFF121212u);
    EXPECT_EQ(wide->pixels[1], 0x80808080u);
    EXPECT_EQ(wide->pixels[2] >> 24, 0u);

    PngRecipe keyed =
        png_recipe(2, 2, 8, PNG_COLOR_TYPE_RGB, {{1, 2, 3, 9, 9, 9}, {9, 9, 9, 1, 2, 3}});
    keyed.key_colour = {9, 9, 9};
    keyed.interlaced = true;
    EXPECT_EQ(decode(test::make_png(keyed), "k.png")->pixels,
              (std::vector<uint32_t>{0xFF030201, 0x00090909, 0x00090909, 0xFF030201}));
}

void set_ihdr_size(std::vector<uint8_t>& png, uint32_t width, uint32_t height) {
    const auto put_be = [&](size_t at, uint32_t v) {
        for (size_t i = 0; i < 4; ++i)
            png[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
    };
    put_be(16, width);
    put_be(20, height);
    put_be(29, static_cast<uint32_t>(crc32(0, png.data() + 12, 17)));  // type and data
}

TEST(PngDecodingTest, DamagedAndAbsurdPngsAreRefused) {
    const std::vector<uint8_t> good =
        test::make_rgba_png(8, 8, std::vector<uint32_t>(64, 0xFF336699));
    ASSERT_TRUE(refusal(good, "ok.png").empty());

    EXPECT_FALSE(refusal({good.begin(), good.end() - 20}, "cut.png").empty());
    EXPECT_FALSE(refusal({good.begin(), good.begin() + 40}, "header.png").empty());
    EXPECT_TRUE(mentions(refusal({good.begin(), good.begin() + 4}, "sig.png"), "not a PNG"));
    std::vector<uint8_t> bad_crc = good;
    bad_crc[30] ^= 0xFF;
    EXPECT_FALSE(refusal(bad_crc, "crc.png").empty());
    const std::vector<uint8_t> bmp = test::make_bmp({1, 1, 24, false, false, {0}});
    EXPECT_TRUE(mentions(refusal(bmp, "disguised.png"), "not a PNG"));

    std::vector<uint8_t> huge = good;
    set_ihdr_size(huge, 100000, 100000);
    EXPECT_TRUE(mentions(refusal(huge, "huge.png"), "too large"));
    set_ihdr_size(huge, 16385, 1);
    EXPECT_TRUE(mentions(refusal(huge, "wide.png"), "too large"));
    set_ihdr_size(huge, 8192, 8193);
    EXPECT_TRUE(mentions(refusal(huge, "many.png"), "too large"));
    // Allowed size, but the data holds 8 x 8 pixels.
    set_ihdr_size(huge, 64, 64);
    EXPECT_FALSE(refusal(huge, "short.png").empty());
}

uint32_t channel_distance(uint32_t a, uint32_t b) {
    uint32_t worst = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        worst = std::max(worst, static_cast<uint32_t>(d < 0 ? -d : d));
    }
    return worst;
}

TEST(JpegDecodingTest, ColourGreyAndProgressiveDecodeOpaque) {
    // Flat blocks of colour, so that the lossy coding stays close.
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 24; ++x)
            pixels.push_back(x < 8 ? 0x3366CC : x < 16 ? 0xF0F0F0 : 0x202020);
    }
    for (bool progressive : {false, true}) {
        for (bool grey : {false, true}) {
            SCOPED_TRACE(std::string(progressive ? "progressive" : "baseline") +
                         (grey ? " grey" : " colour"));
            const PicturePtr picture =
                decode(test::make_jpeg({24, 16, grey, progressive, 100, pixels}), "c.jpg");
            EXPECT_EQ(picture->width, 24);
            EXPECT_EQ(picture->height, 16);
            EXPECT_EQ(picture->transparency, Transparency::None);
            // Colour is stored at half resolution and smoothed: compare away from the edges.
            for (size_t i = 0; i < pixels.size(); ++i) {
                ASSERT_EQ(picture->pixels[i] >> 24, 0xFFu) << i;
                if (i % 8 < 2 || i % 8 > 5) continue;
                const uint32_t want = grey ? (pixels[i] & 0xFF) * 0x010101u : pixels[i];
                ASSERT_LE(channel_distance(picture->pixels[i], want), 4u) << i;
            }
        }
    }
}

TEST(JpegDecodingTest, CmykIsReadAsAdobeWritesIt) {
    // Adobe's inverted ink, 255 for none: C 255, M 0, Y 255, K 255 is magenta; K 128 alone
    // is mid grey.
    std::vector<uint8_t> samples;
    for (int i = 0; i < 64; ++i) {
        const bool left = i % 8 < 4;
        const uint8_t cmyk[4] = {255, static_cast<uint8_t>(left ? 0 : 255), 255,
                                 static_cast<uint8_t>(left ? 255 : 128)};
        samples.insert(samples.end(), cmyk, cmyk + 4);
    }
    const PicturePtr picture = decode(test::make_cmyk_jpeg(8, 8, samples), "print.jpg");
    EXPECT_LE(channel_distance(picture->pixels[8 * 3 + 1], 0xFF00FF), 4u);
    EXPECT_LE(channel_distance(picture->pixels[8 * 3 + 6], 0x808080), 4u);
    EXPECT_EQ(picture->pixels[0] >> 24, 0xFFu);
}

// The offset of the start-of-frame segment's height field.
size_t frame_size_at(const std::vector<uint8_t>& jpeg) {
    for (size_t i = 0; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) return i + 5;
    }
    return 0;
}

TEST(JpegDecodingTest, DamagedAndAbsurdJpegsAreRefused) {
    std::vector<uint32_t> noise;
    for (uint32_t i = 0; i < 64 * 64; ++i)
        noise.push_back(i * 2654435761u);
    const std::vector<uint8_t> good = test::make_jpeg({64, 64, false, false, 90, noise});
    ASSERT_TRUE(refusal(good, "ok.jpg").empty());

    // Cut short: refused, not completed with grey.
    EXPECT_FALSE(
        refusal({good.begin(), good.begin() + static_cast<long>(good.size() / 2)}, "cut.jpg")
            .empty());
    const std::vector<uint8_t> progressive = test::make_jpeg({64, 64, false, true, 90, noise});
    EXPECT_FALSE(refusal({progressive.begin(), progressive.end() - 100}, "cutp.jpg").empty());
    EXPECT_FALSE(refusal({good.begin(), good.begin() + 20}, "header.jpg").empty());
    EXPECT_FALSE(refusal({1, 2, 3, 4}, "junk.jpg").empty());
    EXPECT_FALSE(refusal({}, "empty.jpeg").empty());

    std::vector<uint8_t> huge = good;
    const size_t at = frame_size_at(huge);
    ASSERT_NE(at, 0u);
    huge[at] = 0xEA;  // 60000 x 60000
    huge[at + 1] = 0x60;
    huge[at + 2] = 0xEA;
    huge[at + 3] = 0x60;
    EXPECT_TRUE(mentions(refusal(huge, "huge.jpg"), "too large"));
    huge[at] = 0x40;  // 16385 high, 64 wide
    huge[at + 1] = 0x01;
    huge[at + 2] = 0;
    huge[at + 3] = 64;
    EXPECT_TRUE(mentions(refusal(huge, "tall.jpg"), "too large"));
    huge[at] = 0;  // no rows
    huge[at + 1] = 0;
    EXPECT_FALSE(refusal(huge, "flat.jpg").empty());
}

// An icon file of the given images, each its bytes and the size its directory entry gives.
std::vector<uint8_t> icon_file(const std::vector<std::pair<int, std::vector<uint8_t>>>& images) {
    std::vector<uint8_t> b = {0, 0, 1, 0, static_cast<uint8_t>(images.size()), 0};
    size_t offset = 6 + 16 * images.size();
    for (const auto& [side, data] : images) {
        const std::vector<uint8_t> entry = {static_cast<uint8_t>(side),
                                            static_cast<uint8_t>(side),
                                            0,
                                            0,
                                            1,
                                            0,
                                            32,
                                            0,
                                            static_cast<uint8_t>(data.size()),
                                            static_cast<uint8_t>(data.size() >> 8),
                                            0,
                                            0,
                                            static_cast<uint8_t>(offset),
                                            static_cast<uint8_t>(offset >> 8),
                                            0,
                                            0};
        b.insert(b.end(), entry.begin(), entry.end());
        offset += data.size();
    }
    for (const auto& image : images)
        b.insert(b.end(), image.second.begin(), image.second.end());
    return b;
}

TEST(IcoDecoding, TheLargestImageThatDecodesIsTakenWithItsMaskOrItsPng) {
    // 2 x 2, 8 bits a pixel with a colour table of two (black, blue): the colour rows bottom
    // up, then the mask, whose set bit makes the top-left pixel see-through.
    std::vector<uint8_t> paletted = {40, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 1, 0, 8, 0};
    paletted.resize(40, 0);
    paletted[32] = 2;  // colours used
    for (const uint8_t c : {0, 0, 0, 0, 0xFF, 0, 0, 0})
        paletted.push_back(c);  // BGRX
    for (const uint8_t c : {1, 0, 0, 0, 0, 1, 0, 0})
        paletted.push_back(c);  // rows
    for (const uint8_t c : {0, 0, 0, 0, 0x80, 0, 0, 0})
        paletted.push_back(c);  // mask
    const std::vector<uint8_t> png =
        test::make_rgba_png(3, 3, std::vector<uint32_t>(9, 0x8000FF00));
    std::vector<uint8_t> damaged = paletted;
    damaged[0] = 12;

    const PicturePtr small = decode(icon_file({{2, paletted}}), "a.ico");
    EXPECT_EQ(small->transparency, Transparency::Alpha);
    EXPECT_EQ(small->pixels,
              (std::vector<uint32_t>{0x00000000, 0xFFFF0000, 0xFFFF0000, 0xFF000000}));
    // The PNG is larger; the damaged image, larger still, is passed over.
    const PicturePtr large = decode(icon_file({{2, paletted}, {3, png}, {9, damaged}}), "b.ICO");
    EXPECT_EQ(large->width, 3);
    EXPECT_EQ(large->pixels[0], 0x8000FF00u);

    EXPECT_TRUE(mentions(refusal(icon_file({{9, damaged}}), "c.ico"), "bitmap header"));
    std::vector<uint8_t> cut = icon_file({{2, paletted}});
    cut.resize(cut.size() - 20);
    EXPECT_FALSE(refusal(cut, "d.ico").empty());
    EXPECT_TRUE(mentions(refusal(png, "e.ico"), "not an icon"));
}

TEST(PictureFormatTest, TheExtensionChoosesTheFormatWhateverItsCase) {
    const std::vector<uint8_t> png = test::make_rgba_png(1, 1, {0x80FFFFFF});
    const std::vector<uint8_t> jpeg =
        test::make_jpeg({8, 8, true, false, 90, std::vector<uint32_t>(64, 0x80)});
    const std::vector<uint8_t> bmp = test::make_bmp({1, 1, 24, false, false, {0xFFFFFF}});
    for (const char* name : {"a.png", "B.PNG", "dir.v2/c.Png"}) {
        EXPECT_EQ(decode(png, name)->transparency, Transparency::Alpha) << name;
    }
    for (const char* name : {"a.jpg", "a.JPG", "a.jpeg", "a.JPEG", "a.JpEg"}) {
        EXPECT_EQ(decode(jpeg, name)->transparency, Transparency::None) << name;
    }
    for (const char* name : {"a.bmp", "a.BMP", "Graphics\\Skin\\a.Bmp"}) {
        EXPECT_EQ(decode(bmp, name)->transparency, Transparency::BottomLeftKey) << name;
    }
    EXPECT_TRUE(mentions(refusal(png, "pic.gif"), "gif"));
    EXPECT_TRUE(mentions(refusal(png, "pic.png.txt"), "txt"));
    EXPECT_TRUE(mentions(refusal(png, "pic"), "no extension"));
    EXPECT_TRUE(mentions(refusal(png, "dir.png/pic"), "no extension"));
    EXPECT_FALSE(refusal(png, "pic.").empty());

    EXPECT_TRUE(mentions(refusal(png, "icon.ico"), "icon"));
}

TEST(DiskPictureFilesTest, ExistsOnlyForFilesAndLoadNamesTheMissingFile) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("fluffo_picture_files_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir / "sub.png");
    const std::vector<uint8_t> png = test::make_rgba_png(2, 1, {0xFF0000FF, 0x00000000});
    {
        std::ofstream out(dir / "Egg.PNG", std::ios::binary);
        out.write(reinterpret_cast<const char*>(png.data()),
                  static_cast<std::streamsize>(png.size()));
    }
    const DiskPictureFiles files;
    const std::string egg = (dir / "Egg.PNG").string();
    EXPECT_TRUE(files.exists(egg));
    EXPECT_FALSE(files.exists((dir / "sub.png").string()));
    EXPECT_FALSE(files.exists((dir / "missing.png").string()));
    EXPECT_EQ(files.load(egg)->pixels, (std::vector<uint32_t>{0xFF0000FF, 0x00000000}));

    const std::string missing = (dir / "missing.png").string();
    try {
        files.load(missing);
        ADD_FAILURE() << "a missing file loaded";
    } catch (const UndecodablePicture& e) {
        EXPECT_TRUE(mentions(e.what(), missing)) << e.what();
    }
    EXPECT_THROW(files.load((dir / "sub.png").string()), UndecodablePicture);
    std::filesystem::remove_all(dir);
}

// A run-length compressed bitmap: headers, a colour table of BGRX entries, the coded data.
std::vector<uint8_t> rle_bmp(uint32_t compression, int width, int height,
                             const std::vector<uint32_t>& colours,
                             const std::vector<uint8_t>& data) {
    std::vector<uint8_t> b(54, 0);
    const auto put32 = [&](size_t at, uint32_t v) {
        for (size_t i = 0; i < 4; ++i)
            b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(10, static_cast<uint32_t>(54 + colours.size() * 4));
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    b[26] = 1;
    b[28] = compression == 1 ? 8 : 4;
    put32(30, compression);
    for (const uint32_t c : colours) {  // c is 0x00RRGGBB
        for (const int shift : {0, 8, 16, 24})
            b.push_back(static_cast<uint8_t>(shift == 24 ? 0 : c >> shift));
    }
    b.insert(b.end(), data.begin(), data.end());
    put32(2, static_cast<uint32_t>(b.size()));
    return b;
}

TEST(BmpDecoding, RunLengthBitmapsOfEightAndFourBitsDecodeRunsJumpsAndAbsoluteRuns) {
    const std::vector<uint32_t> colours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    const auto rgba = [&](std::initializer_list<int> indexes) {
        std::vector<uint32_t> out;
        for (const int i : indexes) {
            const uint32_t c = colours[static_cast<size_t>(i)];
            out.push_back(Opaque | (c >> 16 & 0xFF) | (c & 0xFF00) | (c & 0xFF) << 16);
        }
        return out;
    };
    struct Case {
        const char* name;
        uint32_t compression;
        int width, height;
        std::vector<uint8_t> data;
        std::vector<uint32_t> want;  // top row first
    };
    const std::vector<Case> cases = {
        // Bottom row: a run of 4; then an absolute run of 3 (padded) and a run of 1; then a
        // jump over one pixel, a run of 3, and the end.
        {"rle8.bmp",
         1,
         4,
         3,
         {4, 1, 0, 0, 0, 3, 2, 3, 0, 0, 1, 1, 0, 0, 0, 2, 1, 0, 3, 2, 0, 1},
         rgba({0, 2, 2, 2, 2, 3, 0, 1, 1, 1, 1, 1})},
        // Two pixels a byte: a run of 5 alternating, then an absolute run of 5 (padded), and
        // the end; a run past the right edge is cut.
        {"rle4.bmp",
         2,
         5,
         2,
         {7, 0x12, 0, 0, 0, 5, 0x30, 0x12, 0x30, 0, 0, 1},
         rgba({3, 0, 1, 2, 3, 1, 2, 1, 2, 1})},
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> table = colours;
        if (c.compression == 2) table.resize(16, 0);
        const std::vector<uint8_t> bytes = rle_bmp(c.compression, c.width, c.height, table, c.data);
        const PicturePtr picture = decode(bytes, c.name);
        EXPECT_EQ(picture->width, c.width) << c.name;
        EXPECT_EQ(picture->height, c.height) << c.name;
        EXPECT_EQ(picture->pixels, c.want) << c.name;
        const std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 3);
        EXPECT_TRUE(mentions(refusal(cut, c.name), "cut short")) << c.name;
    }
}

}  // namespace
}  // namespace fluffo
