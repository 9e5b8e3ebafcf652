// Loading the manual: the window's size from Config.ini or its defaults, the eight pages with
// placeholders for missing ones, the buttons kept at their edges, and a damaged page.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "display/manual_pages.h"
#include "support/skin_fakes.h"

namespace fluffo {
namespace {

using test::FakeConfigFiles;
using test::FakePictureFiles;
using test::solid_picture;

struct ManualPagesTest : ::testing::Test {
    ManualScreen manual;
    FakeConfigFiles config;
    FakePictureFiles pictures;
    SkinSources sources{config, pictures, "/prog/", "/prog/"};

    const Holder& at(HolderId id) const { return manual.model().at(id); }
    const Holder& page(int n) const { return at(manual.Vid_Pages[static_cast<size_t>(n)]); }
};

TEST_F(ManualPagesTest, WithoutConfigPagesTakeTheDefaults) {
    const PicturePtr last = solid_picture(275, 415, 0xff00ff00u);
    pictures.files["/prog/Graphics/Manual/8.bmp"] = last;
    Gfx_Load_Manual_Pages(manual, sources);
    EXPECT_EQ(manual.client_width(), 275);
    EXPECT_EQ(manual.client_height(), 415);
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(page(n).picture, n == 8 ? last : placeholder_picture()) << n;
        EXPECT_EQ(page(n).bounds, (Rect{0, 0, 275, 415})) << n;
        EXPECT_FALSE(page(n).visible);
        EXPECT_EQ(page(n).name, "im_page_0" + std::to_string(n));
    }
    EXPECT_EQ(at(manual.im_page_top).bounds, (Rect{0, 0, 275, 415}));
    EXPECT_EQ(at(manual.btn_close_up).bounds, (Rect{255, 4, 16, 14}));
}

TEST_F(ManualPagesTest, PagesComeFromTheManualDirectoryByNumber) {
    config.files["/prog/Config.ini"] = "[Manual]\nManualDir=Pages\\\n";
    for (int n = 1; n <= 8; ++n) {
        if (n == 5) continue;
        pictures.files["/prog/Pages/" + std::to_string(n) + ".bmp"] =
            solid_picture(275, 415, 0xff000000u + static_cast<uint32_t>(n));
    }
    pictures.files["/prog/Pages/05.bmp"] = solid_picture(1, 1, 0xffffffffu);  // not page 5
    Gfx_Load_Manual_Pages(manual, sources);
    for (int n = 1; n <= 8; ++n) {
        if (n == 5) {
            EXPECT_EQ(page(n).picture, placeholder_picture());
        } else {
            EXPECT_EQ(page(n).picture->pixels[0], 0xff000000u + static_cast<uint32_t>(n));
        }
    }
}

TEST_F(ManualPagesTest, DoubleSizeWindowKeepsButtonsAtTheEdges) {
    config.files["/prog/Config.ini"] = "[manual]\nManualWidth=550\nManualHeight=830\n";
    Gfx_Load_Manual_Pages(manual, sources);
    EXPECT_EQ(manual.client_width(), 550);
    EXPECT_EQ(manual.client_height(), 830);
    EXPECT_EQ(page(3).bounds, (Rect{0, 0, 550, 830}));
    EXPECT_EQ(at(manual.im_page_top).bounds, (Rect{0, 0, 550, 830}));
    EXPECT_EQ(at(manual.sh_page_top).bounds, (Rect{0, 0, 550, 830}));
    EXPECT_EQ(at(manual.sh_page_top).picture->width, 550);
    EXPECT_EQ(at(manual.btn_close_down).bounds, (Rect{530, 4, 16, 14}));
    EXPECT_EQ(at(manual.btn_left_up).bounds, (Rect{4, 812, 16, 14}));
    EXPECT_EQ(at(manual.btn_right_up).bounds, (Rect{530, 812, 16, 14}));
    EXPECT_FALSE(at(manual.btn_left_up).visible);
    EXPECT_TRUE(at(manual.btn_right_up).visible);
    EXPECT_TRUE(at(manual.btn_close_up).visible);
}

TEST_F(ManualPagesTest, WindowTooLargeForAFrameStillGetsItsPages) {
    config.files["/prog/Config.ini"] = "[Manual]\nManualWidth=2147483647\nManualHeight=100000\n";
    Gfx_Load_Manual_Pages(manual, sources);
    EXPECT_EQ(manual.client_width(), 2147483647);
    EXPECT_EQ(page(8).picture, placeholder_picture());
    EXPECT_EQ(at(manual.sh_page_top).bounds, (Rect{0, 0, 2147483647, 100000}));
    EXPECT_FALSE(at(manual.sh_page_top).picture);  // no frame picture of that size is made
}

TEST_F(ManualPagesTest, ButtonsOfTheSmallestWindowStopAtTheEdgeOfThirtyTwoBits) {
    config.files["/prog/Config.ini"] =
        "[Manual]\nManualWidth=-2147483648\nManualHeight=-2147483648\n";
    Gfx_Load_Manual_Pages(manual, sources);
    EXPECT_EQ(at(manual.btn_close_up).bounds, (Rect{INT32_MIN, 4, 16, 14}));
    EXPECT_EQ(at(manual.btn_left_up).bounds, (Rect{4, INT32_MIN, 16, 14}));
    EXPECT_EQ(at(manual.btn_right_up).bounds, (Rect{INT32_MIN, INT32_MIN, 16, 14}));
}

TEST_F(ManualPagesTest, ADamagedPageBlanksOnlyItselfAndIsToldWhenTheLoadEnds) {
    for (int n = 1; n <= 8; ++n) {
        pictures.files["/prog/Graphics/Manual/" + std::to_string(n) + ".bmp"] =
            solid_picture(2, 2, 0xff00ff00u);
    }
    for (const int damaged : {3, 5}) {
        const std::string path = "/prog/Graphics/Manual/" + std::to_string(damaged) + ".bmp";
        pictures.files.erase(path);
        pictures.damaged.insert(path);
    }
    try {
        Gfx_Load_Manual_Pages(manual, sources);
        FAIL() << "the damaged page went unnoticed";
    } catch (const UndecodablePicture& e) {
        EXPECT_NE(std::string(e.what()).find("3.bmp"), std::string::npos);  // the first
    }
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(page(n).bounds, (Rect{0, 0, 275, 415})) << n;
        const bool damaged = n == 3 || n == 5;
        EXPECT_EQ(page(n).picture == placeholder_picture(), damaged) << n;
    }
}

TEST(ManualScreenTest, HoldersLieInDrawingOrder) {
    ManualScreen manual;
    std::string order;
    for (const Holder& h : manual.model().holders())
        order += h.name + " ";
    EXPECT_EQ(order,
              "im_page_08 im_page_07 im_page_06 im_page_05 im_page_04 im_page_03 im_page_02 "
              "im_page_01 im_page_top sh_page_top btn_close_down btn_close_up btn_left_down "
              "btn_left_up btn_right_down btn_right_up ");
}

}  // namespace
}  // namespace fluffo
