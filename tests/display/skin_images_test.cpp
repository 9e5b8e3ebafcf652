// The 146 skin picture holders by image-section number, and their design layout as the
// handheld shows it.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <regex>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "display/skin_images.h"

namespace fluffo {
namespace {

TEST(SkinImagesTest, NamesAreUniqueAndWellFormed) {
    const std::regex well_formed("(im|btn)(_[a-z0-9]+)+");
    std::set<std::string_view> names;
    for (const SkinImage& s : skin_images()) {
        EXPECT_TRUE(std::regex_match(std::string(s.name), well_formed)) << s.name;
        EXPECT_TRUE(names.insert(s.name).second) << "duplicate " << s.name;
        EXPECT_GT(s.design.width, 0) << s.name;
        EXPECT_GT(s.design.height, 0) << s.name;
    }
    EXPECT_EQ(names.size(), 146u);
}

TEST(SkinImagesTest, NameByNumberCoversOneTo146) {
    EXPECT_EQ(skin_image_name(1), "im_background");
    EXPECT_EQ(skin_image_name(146), "im_gate_3_7");
    EXPECT_TRUE(skin_image_name(0).empty());
    EXPECT_TRUE(skin_image_name(147).empty());
    EXPECT_TRUE(skin_image_name(-1).empty());
}

TEST(SkinImagesTest, NameLookupFindsEachHolderAndOnlyThose) {
    for (const SkinImage& s : skin_images()) {
        EXPECT_EQ(&skin_image(s.name), &s) << s.name;
    }
    // Whole names only: a name that another one starts with is its own holder.
    EXPECT_EQ(skin_image("im_wolf_3_4").design, (Rect{198, 137, 24, 26}));
    EXPECT_EQ(skin_image("im_wolf_3_4b").design, (Rect{222, 134, 24, 29}));
    // The window's holders that carry no skin picture, a button without a pressed picture, a
    // name cut short or run on, and none at all.
    for (std::string_view other : {"im_backdrop", "btn_game_menu_top", "btn_set_down", "im_wolf_3",
                                   "im_wolf_3_4bb", "IM_BACKGROUND", ""}) {
        EXPECT_THROW(skin_image(other), std::logic_error) << other;
    }
}

TEST(SkinImagesTest, TheBodyFillsTheDesignClient) {
    EXPECT_EQ(skin_image("im_background").design, Design_Client);
}

bool inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

// The design's places as the player sees them: each holder on the body, what the LCD lights on
// its screen, a pressed button's picture over its click area, the digits in the number
// pictures' size from left to right, and the controller's arrows on the stick.
TEST(SkinImagesTest, EveryHolderSitsWhereTheHandheldShowsIt) {
    const Rect screen = skin_image("im_background_screen_top").design;
    for (const SkinImage& s : skin_images()) {
        SCOPED_TRACE(std::string(s.name));
        EXPECT_TRUE(inside(s.design, Design_Client));
        const bool lit = s.name.starts_with("im_panel_") || s.name.starts_with("im_fluffo_") ||
                         s.name.starts_with("im_egg_") || s.name.starts_with("im_wolf_") ||
                         s.name.starts_with("im_gate_");
        // The number pictures are the digits' sources, not lit in their own places.
        if (lit && !s.name.starts_with("im_panel_number_")) {
            EXPECT_TRUE(inside(s.design, screen));
        }
    }
    for (const char* button : {"btn_game_a", "btn_game_b", "btn_time"}) {
        EXPECT_EQ(skin_image(std::string(button) + "_down").design,
                  skin_image(std::string(button) + "_top").design)
            << button;
    }
    const Rect number = skin_image("im_panel_number_0").design;
    int32_t left_before = 0;
    for (int pos = 1; pos <= 5; ++pos) {
        const Rect digit = skin_image("im_panel_digit_pos_" + std::to_string(pos)).design;
        EXPECT_EQ(digit.width, number.width) << pos;
        EXPECT_EQ(digit.height, number.height) << pos;
        EXPECT_GE(digit.left, left_before) << pos;
        left_before = digit.left + digit.width;
    }
    const Rect stick = skin_image("btn_joystick_top").design;
    for (const char* arrow : {"up", "left", "right", "down"}) {
        EXPECT_TRUE(inside(skin_image(std::string("btn_ctrlr_overlay_") + arrow).design, stick))
            << arrow;
    }
}

// In each row the figures stand left to right, side by side, and the rows run down the screen:
// a swapped pair of places shows a figure in the wrong cell.
TEST(SkinImagesTest, FiguresStandInTheirCellsColumnByColumnAndRowByRow) {
    for (const std::string family : {"fluffo", "egg", "wolf"}) {
        std::map<std::pair<int, int>, Rect> cells;  // (column, row)
        for (const SkinImage& s : skin_images()) {
            int col = 0, row = 0;
            if (std::sscanf(std::string(s.name).c_str(), ("im_" + family + "_%d_%d").c_str(), &col,
                            &row) == 2 &&
                s.name.back() != 'b') {
                cells[{col, row}] = s.design;
            }
        }
        for (const auto& [cell, r] : cells) {
            const auto [col, row] = cell;
            SCOPED_TRACE(family + " " + std::to_string(col) + "," + std::to_string(row));
            if (const auto right = cells.find({col + 1, row}); right != cells.end()) {
                EXPECT_GE(right->second.left, r.left + r.width);
            }
            if (const auto below = cells.find({col, row + 1}); below != cells.end()) {
                EXPECT_GT(below->second.top, r.top);
            }
        }
        EXPECT_EQ(cells.size(), family == "wolf" ? 35u : 34u) << family;
    }
}

TEST(SkinImagesTest, EveryFigureCellAppearsOnceInNumberOrder) {
    // Rebuild the expected figure names from the numbering rule and compare them in order.
    int n = 39;
    for (std::string family : {"fluffo", "egg"}) {
        for (int row = 1; row <= 7; ++row) {
            for (int col = 1; col <= 5; ++col) {
                if (col == 3 && row == 4) continue;
                std::string name =
                    "im_" + family + "_" + std::to_string(col) + "_" + std::to_string(row);
                if (family == "egg" && ((col == 4 && row == 2) || (col == 2 && row == 6))) {
                    name += "_w";
                }
                EXPECT_EQ(skin_image_name(n++), name);
            }
        }
    }
    EXPECT_EQ(n, 107);
    for (int row = 1; row <= 7; ++row) {
        for (int col = 1; col <= 5; ++col) {
            EXPECT_EQ(skin_image_name(n++),
                      "im_wolf_" + std::to_string(col) + "_" + std::to_string(row));
            if (col == 5 && row == 4) {
                EXPECT_EQ(skin_image_name(n++), "im_wolf_3_4b");
            }
        }
    }
    EXPECT_EQ(n, 143);
}

}  // namespace
}  // namespace fluffo
