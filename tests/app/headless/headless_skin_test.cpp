// fluffo-sim with a skin: --skin loads a small skin written to a temporary directory, and
// render writes the composed main window as a PNG that decodes back to the expected pixels.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/headless/headless_driver.h"
#include "display/picture_files.h"
#include "display/png_writer.h"
#include "display/skin_images.h"
#include "display/skin_loader.h"

namespace fluffo {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t Magenta = 0xffff00ffu, Body = 0xff336699u, Lcd = 0xff101010u;

struct HeadlessSkinTest : ::testing::Test {
    fs::path dir;

    HeadlessSkinTest() {
        dir = fs::temp_directory_path() /
              ("fluffo_skin_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "Art");
    }
    ~HeadlessSkinTest() override { fs::remove_all(dir); }

    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    void picture(const std::string& name, int32_t w, int32_t h, uint32_t colour, bool alpha) {
        write_png((dir / "Art" / name).string(), w, h,
                  std::vector<uint32_t>(static_cast<size_t>(w * h), colour), alpha);
    }
    // A 20 x 16 body with a 2 x 2 "egg" (image 73) and a see-through corner.
    void small_skin() {
        write("Config.ini",
              "[Common]\r\nSkinDir=Art\r\nGameWidth=20\r\nGameHeight=16\r\n"
              "[VideoMode]\r\nTranspColor=$00ff00ff\r\n"
              "[Image1]\r\nFilename=body.png\r\nLeft=2\r\nTop=0\r\nWidth=18\r\nHeight=16\r\n"
              "[Image73]\r\nFilename=egg.png\r\nLeft=5\r\nTop=6\r\nWidth=2\r\nHeight=2\r\n");
        picture("body.png", 18, 16, Body, true);
        picture("egg.png", 2, 2, Lcd, true);
    }
    Picture render(HeadlessDriver& d, const std::string& name) {
        const std::string path = (dir / name).string();
        EXPECT_EQ(d.execute("render " + path), "");
        std::ifstream in(path, std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
        return *decode_picture(bytes, path);
    }
};

TEST_F(HeadlessSkinTest, RenderDrawsTheLoadedSkin) {
    small_skin();
    HeadlessDriver d(1);
    d.load_skin(dir.string());
    const Picture dark = render(d, "dark.png");
    ASSERT_EQ(dark.width, 20);
    ASSERT_EQ(dark.height, 16);
    EXPECT_EQ(dark.pixels[0], Magenta);  // left of the body: the colour key
    EXPECT_EQ(dark.pixels[2], Body);
    EXPECT_EQ(dark.pixels[6 * 20 + 5], Body);  // the egg is dark until lit

    d.execute("play");  // every segment lit
    const Picture lit = render(d, "lit.png");
    EXPECT_EQ(lit.pixels[6 * 20 + 5], Lcd);
    EXPECT_EQ(lit.pixels[7 * 20 + 6], Lcd);
    EXPECT_EQ(lit.pixels[8 * 20 + 6], Body);
    EXPECT_FALSE(d.had_error());
}

TEST_F(HeadlessSkinTest, RenderWithoutSkinIsTheBareWindow) {
    HeadlessDriver d(1);
    d.execute("play");
    const Picture bare = render(d, "bare.png");
    EXPECT_EQ(bare.width, 440);
    EXPECT_EQ(bare.height, 664);
    for (uint32_t p : bare.pixels)
        ASSERT_EQ(p, Magenta);
}

TEST_F(HeadlessSkinTest, SkinErrorsNameTheirCause) {
    HeadlessDriver d(1);
    EXPECT_THROW(
        {
            try {
                d.load_skin(dir.string());
            } catch (const std::runtime_error& e) {
                EXPECT_STREQ(e.what(), Missing_Config_Message);
                throw;
            }
        },
        std::runtime_error);

    small_skin();
    write("Art/egg.png", "not a picture");
    EXPECT_THROW(d.load_skin(dir.string()), UndecodablePicture);
}

TEST_F(HeadlessSkinTest, AConfigWithoutImageSectionsOrWithAWindowTooLargeIsRefused) {
    const std::string missing = Missing_Config_Message;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", missing},
        {"\x89PNG\r\n\x1a\n garbage = 1\n[Image0]\n[Image147]\nLeft=3\n", missing},
        {"[Image146]\n[Common]\nGameWidth=100000\n",
         window_size_refused_text(100000, Design_Client.height)},
        {"[Image1]\n[Common]\nGameWidth=16384\nGameHeight=16384\n",
         window_size_refused_text(16384, 16384)},
    };
    for (const auto& [config, message] : cases) {
        write("Config.ini", config);
        HeadlessDriver d(1);
        try {
            d.load_skin(dir.string());
            ADD_FAILURE() << "accepted: " << config;
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(e.what(), message);
        }
        // No window of the refused size is left behind.
        EXPECT_EQ(d.world().window.client_width(), Design_Client.width);
    }
    write("Config.ini", "[image7]\n[Common]\nGameWidth=32767\nGameHeight=2048\n");
    HeadlessDriver d(1);
    d.load_skin(dir.string());  // large, but a frame can be made of it
    EXPECT_EQ(d.world().window.client_width(), 32767);
}

TEST_F(HeadlessSkinTest, RenderToAnUnwritablePlaceIsABadLine) {
    HeadlessDriver d(1);
    const std::string answer = d.execute("render " + (dir / "no" / "such" / "x.png").string());
    EXPECT_EQ(answer.rfind("{\"error\":\"line 1: render: ", 0), 0u) << answer;
    EXPECT_TRUE(d.had_error());
    EXPECT_NE(d.execute("render").find("render: missing FILE"), std::string::npos);
}

}  // namespace
}  // namespace fluffo
