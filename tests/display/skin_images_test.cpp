// The 146 skin picture holders by image-section number and their design layout.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <stdexcept>
#include <string>

#include "display/skin_images.h"

namespace fluffo {
namespace {

const SkinImage& image(int n) {
    return skin_images()[static_cast<size_t>(n - 1)];
}

void expect_image(int n, std::string_view name, Rect design) {
    SCOPED_TRACE("Image" + std::to_string(n));
    EXPECT_EQ(image(n).name, name);
    EXPECT_EQ(image(n).design, design);
}

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

TEST(SkinImagesTest, BodyButtonsAndPanelFollowTheReferenceTable) {
    expect_image(1, "im_background", {0, 0, 440, 664});
    expect_image(2, "im_background_screen_top", {96, 24, 248, 224});
    expect_image(3, "btn_game_a_top", {181, 305, 27, 20});
    expect_image(4, "btn_game_a_down", {181, 305, 27, 20});
    expect_image(6, "btn_game_b_down", {230, 305, 28, 20});
    expect_image(8, "btn_time_down", {281, 305, 27, 20});
    expect_image(9, "btn_set_top", {142, 302, 20, 20});
    expect_image(10, "btn_joystick_top", {130, 386, 182, 180});
    expect_image(11, "btn_ctrlr_overlay_up", {196, 392, 48, 48});
    expect_image(12, "btn_ctrlr_overlay_left", {138, 453, 48, 48});
    expect_image(13, "btn_ctrlr_overlay_right", {257, 452, 48, 48});
    expect_image(14, "btn_ctrlr_overlay_down", {196, 512, 48, 48});
    expect_image(15, "im_panel_game_a", {105, 46, 22, 8});
    expect_image(17, "im_panel_game_over", {105, 35, 67, 11});
    expect_image(18, "im_panel_bell", {200, 32, 19, 25});
    expect_image(19, "im_panel_digit_pos_1", {222, 33, 19, 25});
    expect_image(23, "im_panel_digit_pos_5", {314, 33, 19, 25});
    expect_image(24, "im_panel_time_pm", {330, 45, 12, 13});
    expect_image(25, "im_panel_time_colon", {263, 37, 8, 17});
    expect_image(26, "im_panel_lives_1", {130, 45, 20, 18});
    expect_image(28, "im_panel_lives_3", {178, 44, 20, 19});
    for (int digit = 0; digit <= 9; ++digit) {
        expect_image(29 + digit, "im_panel_number_" + std::to_string(digit),
                     {24 * digit, 600, 19, 25});
    }
}

TEST(SkinImagesTest, FiguresRunRowByRowWithoutTheDen) {
    expect_image(39, "im_fluffo_1_1", {133, 63, 21, 25});
    expect_image(43, "im_fluffo_5_1", {317, 63, 21, 24});
    expect_image(55, "im_fluffo_2_4", {178, 137, 21, 26});
    expect_image(56, "im_fluffo_4_4", {270, 137, 21, 25});
    expect_image(72, "im_fluffo_5_7", {318, 213, 18, 25});
    expect_image(73, "im_egg_1_1", {122, 75, 14, 14});
    expect_image(81, "im_egg_4_2_w", {263, 87, 13, 26});
    expect_image(89, "im_egg_2_4", {167, 152, 14, 11});
    expect_image(90, "im_egg_4_4", {259, 152, 14, 11});
    expect_image(98, "im_egg_2_6_w", {171, 184, 14, 24});
    expect_image(106, "im_egg_5_7", {307, 227, 14, 11});
    expect_image(107, "im_wolf_1_1", {107, 62, 25, 27});
    expect_image(124, "im_wolf_3_4", {198, 137, 24, 26});
    expect_image(126, "im_wolf_5_4", {290, 137, 28, 25});
    expect_image(127, "im_wolf_3_4b", {222, 134, 24, 29});
    expect_image(128, "im_wolf_1_5", {106, 161, 26, 27});
    expect_image(139, "im_wolf_2_7", {151, 208, 34, 32});
    expect_image(142, "im_wolf_5_7", {289, 211, 30, 29});
    expect_image(143, "im_gate_3_1", {196, 58, 50, 6});
    expect_image(144, "im_gate_1_4", {104, 136, 5, 27});
    expect_image(145, "im_gate_5_4", {334, 136, 6, 27});
    expect_image(146, "im_gate_3_7", {196, 236, 50, 5});
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
