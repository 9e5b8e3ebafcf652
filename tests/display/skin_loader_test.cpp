// The skin set-up: windowed and fullscreen looks, offsets and centring, backdrop and logo,
// placeholders, the missing Config.ini, errors that stop the load half way, and re-runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/picture_loading.h"
#include "display/skin_loader.h"
#include "support/skin_fakes.h"

namespace fluffo {
namespace {

using test::FakeConfigFiles;
using test::FakePictureFiles;
using test::RecordingWindow;
using test::solid_picture;

constexpr const char* Dir = "/opt/fluffo/";

// Image sections 1..146 with the reference layout, each naming n.png.
std::string reference_images() {
    std::string text;
    for (int n = 1; n <= Skin_Image_Count; ++n) {
        const Rect& r = skin_images()[static_cast<size_t>(n - 1)].design;
        text += "[Image" + std::to_string(n) + "]\nFilename=" + std::to_string(n) +
                ".png\nLeft=" + std::to_string(r.left) + "\nTop=" + std::to_string(r.top) +
                "\nWidth=" + std::to_string(r.width) + "\nHeight=" + std::to_string(r.height) +
                "\n";
    }
    return text;
}

struct SkinLoaderTest : ::testing::Test {
    MainScreen screen;
    RecordingWindow window{1024, 768};
    FakeConfigFiles config;
    FakePictureFiles pictures;
    SkinLoader loader{screen, window, SkinSources{config, pictures, Dir, Dir}};

    SkinLoaderTest() {
        for (int n = 1; n <= Skin_Image_Count; ++n) {
            pictures.files[std::string(Dir) + "Skin/" + std::to_string(n) + ".png"] =
                solid_picture(3, 3, 0xff000000u + static_cast<uint32_t>(n));
        }
        pictures.files[std::string(Dir) + "Back/table.jpg"] = solid_picture(800, 600, 0xff102030u);
        pictures.files[std::string(Dir) + "Back/logo.png"] =
            solid_picture(64, 32, 0x80ffffffu, Transparency::Alpha);
    }

    void write_config(const std::string& head, const std::string& images = reference_images()) {
        config.files[std::string(Dir) + "Config.ini"] = head + images;
    }
    const Holder& holder(std::string_view name) const {
        return screen.model().at(screen.model().require(name));
    }
    // The colour of the 3 x 3 test picture of image section n.
    static uint32_t marker(int n) { return 0xff000000u + static_cast<uint32_t>(n); }
};

constexpr const char* Windowed_Head =
    "[Common]\nSkinDir=Skin\nGameWidth=440\nGameHeight=664\n"
    "[VideoMode]\nTranspColor=$0000ff00\n";
constexpr const char* Fullscreen_Head =
    "[Common]\nSkinDir=Skin\\\n"
    "[Fullscreen]\nBackdropDir=Back\nBackdropFile=table.jpg\nBgColor=$00332211\n"
    "LogoFile=logo.png\nLogoPosition=3\n";

TEST_F(SkinLoaderTest, SkinImagesFollowTheSectionNumbers) {
    write_config(Windowed_Head);
    loader.Gfx_Load_Skin();
    for (int n = 1; n <= Skin_Image_Count; ++n) {
        EXPECT_EQ(screen.model().at(loader.Vid_Skin_Images[static_cast<size_t>(n)]).name,
                  skin_image_name(n));
    }
}

TEST_F(SkinLoaderTest, WindowedLookUsesTheColourKeyAndReferencePlaces) {
    write_config(Windowed_Head);
    loader.Gfx_Load_Skin();
    EXPECT_EQ(window.calls, (std::vector<std::string>{"height 664", "width 440", "colour 0000ff00",
                                                      "key 0000ff00", "key on"}));
    EXPECT_EQ(loader.Gfx_Offset_X, 0);
    EXPECT_EQ(loader.Gfx_Offset_Y, 0);
    for (int n = 1; n <= Skin_Image_Count; ++n) {
        const Holder& h = screen.model().at(loader.Vid_Skin_Images[static_cast<size_t>(n)]);
        EXPECT_EQ(h.bounds, skin_images()[static_cast<size_t>(n - 1)].design) << h.name;
        ASSERT_TRUE(h.picture) << h.name;
        EXPECT_EQ(h.picture->pixels[0], marker(n)) << h.name;
    }
    EXPECT_FALSE(holder("im_backdrop").visible);
    EXPECT_FALSE(holder("im_backdrop_logo").visible);
    EXPECT_FALSE(holder("btn_game_menu_top").visible);
    EXPECT_FALSE(holder("btn_game_menu_background").visible);
    EXPECT_TRUE(window.errors().empty());
}

TEST_F(SkinLoaderTest, FullscreenCentresTheGameOnTheScreen) {
    screen.Vid_Fullscreen = true;
    write_config(Fullscreen_Head);
    loader.Gfx_Load_Skin();
    EXPECT_EQ(loader.Gfx_Offset_X, 292);
    EXPECT_EQ(loader.Gfx_Offset_Y, 52);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"height 664", "width 440", "colour 00332211",
                                                      "key off", "width 1024", "height 768"}));
    EXPECT_EQ(holder("im_background").bounds, (Rect{292, 52, 440, 664}));
    EXPECT_EQ(holder("im_gate_3_7").bounds, (Rect{196 + 292, 236 + 52, 50, 5}));

    const Holder& backdrop = holder("im_backdrop");
    EXPECT_TRUE(backdrop.visible);
    EXPECT_EQ(backdrop.bounds, (Rect{0, 0, 1024, 768}));  // follows the client area
    EXPECT_EQ(backdrop.picture, pictures.files.at("/opt/fluffo/Back/table.jpg"));
    EXPECT_FALSE(backdrop.stretch);
    EXPECT_TRUE(backdrop.center);

    const Holder& logo = holder("im_backdrop_logo");
    EXPECT_TRUE(logo.visible);
    EXPECT_TRUE(logo.auto_size);
    EXPECT_EQ(logo.bounds, (Rect{1024 - 64, 768 - 32, 64, 32}));

    EXPECT_TRUE(holder("btn_game_menu_top").visible);
    EXPECT_TRUE(holder("btn_game_menu_background").visible);
    EXPECT_EQ(holder("btn_game_menu_background").bounds, (Rect{0, 0, 36, 32}));
}

TEST_F(SkinLoaderTest, OffsetsPlaceTheGameOrCentreIt) {
    screen.Vid_Fullscreen = true;
    struct Case {
        std::string x, y;
        int32_t want_x, want_y;
    };
    for (const Case& c : {Case{"-20", "0x10", -20, 16}, Case{"0", "Center", 292, 52},
                          Case{"12px", "$0", 292, 52}, Case{"", "-1", 292, -1}}) {
        write_config("[Fullscreen]\nGameOffsetX=" + c.x + "\nGameOffsetY=" + c.y + "\n");
        loader.Gfx_Load_Skin();
        EXPECT_EQ(loader.Gfx_Offset_X, c.want_x) << c.x;
        EXPECT_EQ(loader.Gfx_Offset_Y, c.want_y) << c.y;
        EXPECT_EQ(holder("im_panel_bell").bounds, (Rect{200 + c.want_x, 32 + c.want_y, 19, 25}));
    }
}

TEST_F(SkinLoaderTest, GameWiderThanTheScreenGetsANegativeCentringOffset) {
    RecordingWindow narrow{800, 600};
    SkinLoader wide{screen, narrow, SkinSources{config, pictures, Dir, Dir}};
    screen.Vid_Fullscreen = true;
    write_config("[Common]\nGameWidth=1001\nGameHeight=601\n");
    wide.Gfx_Load_Skin();
    EXPECT_EQ(wide.Gfx_Offset_X, -100);  // truncated towards zero
    EXPECT_EQ(wide.Gfx_Offset_Y, 0);
    EXPECT_EQ(holder("im_background").bounds.left, -100);
}

TEST_F(SkinLoaderTest, LogoGoesToTheCornerItIsGiven) {
    RecordingWindow big{1280, 1024};
    SkinLoader l{screen, big, SkinSources{config, pictures, Dir, Dir}};
    screen.Vid_Fullscreen = true;
    struct Case {
        const char* position;
        Rect want;
    };
    for (const Case& c : {Case{"3", {1216, 992, 64, 32}}, Case{"0", {0, 0, 64, 32}},
                          Case{"$1", {1216, 0, 64, 32}}, Case{"2", {0, 992, 64, 32}},
                          Case{"7", {0, 992, 64, 32}},      // stays where the last run put it
                          Case{"x", {1216, 0, 64, 32}}}) {  // not a number: the default, 1
        write_config(std::string("[Fullscreen]\nBackdropDir=Back/\nLogoFile=logo.png\n"
                                 "LogoPosition=") +
                     c.position + "\n");
        l.Gfx_Load_Skin();
        EXPECT_EQ(holder("im_backdrop_logo").bounds, c.want) << c.position;
    }
}

TEST_F(SkinLoaderTest, MissingBackdropAndLogoLeaveTheirHoldersAlone) {
    screen.Vid_Fullscreen = true;
    write_config(
        "[Fullscreen]\nBackdropDir=Back\nBackdropFile=gone.jpg\nLogoFile=nil\n"
        "BackdropStretch=1\n");
    loader.Gfx_Load_Skin();
    const Holder& backdrop = holder("im_backdrop");
    EXPECT_TRUE(backdrop.visible);  // its design state
    EXPECT_FALSE(backdrop.picture);
    EXPECT_FALSE(backdrop.stretch);  // not read without the file
    EXPECT_EQ(holder("im_backdrop_logo").bounds, Rect{});
    EXPECT_FALSE(holder("im_backdrop_logo").picture);
    for (const std::string& path : pictures.loaded) {
        EXPECT_EQ(path.find("/opt/fluffo/Back/"), std::string::npos) << path;
    }
}

TEST_F(SkinLoaderTest, BackdropStretchCountsOnlyTheLowByte) {
    screen.Vid_Fullscreen = true;
    for (const auto& [text, want] : std::vector<std::pair<std::string, bool>>{
             {"1", true}, {"256", false}, {"257", true}, {"0", false}, {"yes", false}}) {
        write_config("[Fullscreen]\nBackdropDir=Back\nBackdropFile=table.jpg\nBackdropStretch=" +
                     text + "\n");
        loader.Gfx_Load_Skin();
        EXPECT_EQ(holder("im_backdrop").stretch, want) << text;
    }
}

TEST_F(SkinLoaderTest, WindowedAfterFullscreenRestoresTheWindowedLook) {
    screen.Vid_Fullscreen = true;
    write_config(std::string(Fullscreen_Head) + "[VideoMode]\nTranspColor=$00ff00ff\n");
    loader.Gfx_Load_Skin();
    ASSERT_TRUE(holder("im_backdrop_logo").visible);

    screen.Vid_Fullscreen = false;
    window.calls.clear();
    loader.Gfx_Load_Skin();
    EXPECT_EQ(window.client_width(), 440);
    EXPECT_EQ(window.client_height(), 664);
    EXPECT_EQ(loader.Gfx_Offset_X, 0);
    EXPECT_EQ(loader.Gfx_Offset_Y, 0);
    EXPECT_TRUE(window.colour_key_enabled());
    EXPECT_EQ(window.colour_key(), 0x00ff00ffu);
    EXPECT_FALSE(holder("im_backdrop").visible);
    EXPECT_FALSE(holder("im_backdrop_logo").visible);
    EXPECT_EQ(holder("im_backdrop").bounds, (Rect{0, 0, 440, 664}));
    EXPECT_EQ(holder("im_background").bounds, (Rect{0, 0, 440, 664}));
    EXPECT_FALSE(holder("btn_game_menu_top").visible);
}

TEST_F(SkinLoaderTest, FileNamesNilEmptyAndMissing) {
    write_config(Windowed_Head);
    loader.Gfx_Load_Skin();
    const PicturePtr first_run = holder("im_wolf_3_4b").picture;

    // nil and an empty name keep the last picture; NIL is a name; a missing file gets the
    // placeholder. Places are read all the same.
    std::string images = reference_images();
    const auto rename = [&](int n, const std::string& to) {
        const std::string from = "Filename=" + std::to_string(n) + ".png\n";
        images.replace(images.find(from), from.size(), "Filename=" + to + "\n");
    };
    rename(127, "nil");
    rename(1, "");
    rename(2, "NIL");
    rename(9, "gone.bmp");
    write_config(Windowed_Head, images);
    loader.Gfx_Load_Skin();
    EXPECT_EQ(holder("im_wolf_3_4b").picture, first_run);
    EXPECT_EQ(holder("im_background").picture->pixels[0], marker(1));
    EXPECT_EQ(holder("im_background_screen_top").picture, placeholder_picture());
    EXPECT_EQ(holder("btn_set_top").picture, placeholder_picture());
    EXPECT_EQ(holder("btn_set_top").bounds, (Rect{142, 302, 20, 20}));
}

TEST_F(SkinLoaderTest, ImageSectionWithoutKeysGoesToTheOriginPlusOffset) {
    screen.Vid_Fullscreen = true;
    write_config("[Fullscreen]\nGameOffsetX=5\nGameOffsetY=7\n", "[image7]\nLeft=$1F\n");
    loader.Gfx_Load_Skin();
    EXPECT_EQ(holder("btn_time_top").bounds, (Rect{31 + 5, 7, 0, 0}));  // names ignore case
    EXPECT_EQ(holder("im_background").bounds, (Rect{5, 7, 0, 0}));
    EXPECT_FALSE(holder("im_background").picture);
}

TEST_F(SkinLoaderTest, PlacePastTheEdgeOfThirtyTwoBitsStopsThere) {
    screen.Vid_Fullscreen = true;
    write_config("[Fullscreen]\nGameOffsetX=2147483647\nGameOffsetY=-2147483648\n",
                 "[Image1]\nLeft=100\nTop=-100\n");
    loader.Gfx_Load_Skin();
    EXPECT_EQ(holder("im_background").bounds.left, 2147483647);
    EXPECT_EQ(holder("im_background").bounds.top, -2147483647 - 1);
}

TEST_F(SkinLoaderTest, MissingConfigReportsEndsAndStillSetsTheMenuButton) {
    screen.Vid_Fullscreen = true;
    loader.Gfx_Load_Skin();
    EXPECT_EQ(window.calls,
              (std::vector<std::string>{
                  "error Configuration file (Config.ini) not found. Please reinstall the game.",
                  "terminate"}));
    EXPECT_TRUE(holder("btn_game_menu_top").visible);
    EXPECT_TRUE(holder("btn_game_menu_background").visible);
    EXPECT_EQ(holder("btn_game_menu_background").bounds, (Rect{0, 0, 36, 32}));
    // Everything else keeps its design state.
    EXPECT_EQ(holder("im_background").bounds, (Rect{0, 0, 440, 664}));
    EXPECT_FALSE(holder("im_background").picture);
    EXPECT_TRUE(pictures.loaded.empty());
}

TEST_F(SkinLoaderTest, ConfigIsLookedUpInTheProgramDirectoryAndDirectoriesBelowTheBase) {
    SkinLoader elsewhere{screen, window, SkinSources{config, pictures, "/opt/fluffo", "/data"}};
    config.files["/opt/fluffo/Config.ini"] =
        "[Common]\nSkinDir=Art\\Skin\n[Image1]\nFilename=body.bmp\n"
        "[Image2]\nFilename=top.bmp\n[Common]\nSkinDir=ignored\n";
    pictures.files["/data/Art/Skin/body.bmp"] = solid_picture(2, 2, 0xff00ff00u);
    elsewhere.Gfx_Load_Skin();
    EXPECT_EQ(holder("im_background").picture, pictures.files.at("/data/Art/Skin/body.bmp"));
    EXPECT_EQ(holder("im_background_screen_top").picture, placeholder_picture());

    config.files["/opt/fluffo/Config.ini"] = "[Common]\nSkinDir=/abs/\n[Image1]\nFilename=x.png\n";
    pictures.files["/abs/x.png"] = solid_picture(1, 1, 0xff0000ffu);
    elsewhere.Gfx_Load_Skin();
    EXPECT_EQ(holder("im_background").picture, pictures.files.at("/abs/x.png"));
}

TEST_F(SkinLoaderTest, MalformedTransparentColourStopsTheLoad) {
    write_config("[Common]\nSkinDir=Skin\nGameWidth=300\n[VideoMode]\nTranspColor=magenta\n");
    EXPECT_THROW(loader.Gfx_Load_Skin(), MalformedColour);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"height 664", "width 300"}));
    EXPECT_TRUE(pictures.loaded.empty());
    EXPECT_EQ(holder("im_background").bounds, (Rect{0, 0, 440, 664}));
    // However the load ends, the in-game menu button follows the display mode: the design
    // shows it, windowed mode hides it.
    EXPECT_FALSE(holder("btn_game_menu_top").visible);
    EXPECT_FALSE(holder("btn_game_menu_background").visible);
}

TEST_F(SkinLoaderTest, MalformedBackgroundColourStopsAfterTheBackdrop) {
    screen.Vid_Fullscreen = true;
    write_config("[Fullscreen]\nBackdropDir=Back\nBackdropFile=table.jpg\nBgColor=black\n");
    EXPECT_THROW(loader.Gfx_Load_Skin(), MalformedColour);
    EXPECT_TRUE(holder("btn_game_menu_top").visible);
    EXPECT_TRUE(holder("im_backdrop").picture);
    EXPECT_EQ(window.client_width(), 440);  // never set to the screen
    EXPECT_EQ(pictures.loaded.size(), 1u);

    // Back to windowed mode with a damaged first picture: the button, shown in fullscreen
    // mode, is hidden all the same, and the menu is closed.
    screen.model().set_bounds(screen.model().require("btn_game_menu_background"),
                              Rect{0, 0, 256, 480});
    screen.Vid_Fullscreen = false;
    pictures.damaged.insert(std::string(Dir) + "Skin/1.png");
    write_config(Windowed_Head);
    EXPECT_THROW(loader.Gfx_Load_Skin(), UndecodablePicture);
    EXPECT_FALSE(holder("btn_game_menu_top").visible);
    EXPECT_FALSE(holder("btn_game_menu_background").visible);
    EXPECT_EQ(holder("btn_game_menu_background").bounds, (Rect{0, 0, 36, 32}));
}

TEST_F(SkinLoaderTest, AnUndecodablePictureBlanksOnlyItsHolderAndIsToldWhenTheLoadEnds) {
    write_config(Windowed_Head);
    loader.Gfx_Load_Skin();

    // A second run with a different layout meets damaged pictures at images 50 and 60.
    std::string images;
    for (int n = 1; n <= Skin_Image_Count; ++n) {
        images += "[Image" + std::to_string(n) + "]\nFilename=v2_" + std::to_string(n) +
                  ".png\nLeft=1\nTop=2\nWidth=3\nHeight=4\n";
        pictures.files[std::string(Dir) + "Skin/v2_" + std::to_string(n) + ".png"] =
            solid_picture(1, 1, 0xff00ffffu);
    }
    for (const int n : {50, 60}) {
        const std::string path = std::string(Dir) + "Skin/v2_" + std::to_string(n) + ".png";
        pictures.files.erase(path);
        pictures.damaged.insert(path);
    }
    write_config(Windowed_Head, images);
    try {
        loader.Gfx_Load_Skin();
        FAIL() << "the damaged picture went unnoticed";
    } catch (const UndecodablePicture& e) {
        EXPECT_NE(std::string(e.what()).find("v2_50.png"), std::string::npos);
    }
    for (int n = 1; n <= Skin_Image_Count; ++n) {
        const Holder& h = screen.model().at(loader.Vid_Skin_Images[static_cast<size_t>(n)]);
        EXPECT_EQ(h.bounds, (Rect{1, 2, 3, 4})) << h.name;
        if (n == 50 || n == 60) {
            EXPECT_EQ(h.picture, placeholder_picture()) << h.name;
        } else {
            EXPECT_EQ(h.picture->pixels[0], 0xff00ffffu) << h.name;
        }
    }
}

TEST_F(SkinLoaderTest, ADamagedBackdropLeavesTheHandheldWhole) {
    screen.Vid_Fullscreen = true;
    pictures.damaged.insert(std::string(Dir) + "Back/table.jpg");
    write_config(
        "[Common]\nSkinDir=Skin\n[Fullscreen]\nBackdropDir=Back\nBackdropFile=table.jpg\n");
    EXPECT_THROW(loader.Gfx_Load_Skin(), UndecodablePicture);
    EXPECT_FALSE(holder("im_backdrop").picture);
    EXPECT_EQ(holder("im_background").picture->pixels[0], marker(1));
    EXPECT_TRUE(holder("btn_game_menu_top").visible);
}

TEST_F(SkinLoaderTest, OneFileNamedByEverySectionIsDecodedOnceAndShared) {
    std::string images;
    for (int n = 1; n <= Skin_Image_Count; ++n)
        images += "[Image" + std::to_string(n) + "]\nFilename=big.png\n";
    pictures.files[std::string(Dir) + "Skin/big.png"] = solid_picture(4, 4, 0xff0000ffu);
    write_config(Windowed_Head, images);
    pictures.loaded.clear();
    loader.Gfx_Load_Skin();
    EXPECT_EQ(pictures.loaded, std::vector<std::string>{std::string(Dir) + "Skin/big.png"});
    EXPECT_EQ(holder("im_background").picture,
              pictures.files.at(std::string(Dir) + "Skin/big.png"));
}

TEST(PictureLoadingTest, DecodedPicturesBeyondTheLimitAreRefusedAndTheRestNotDecoded) {
    FakePictureFiles files;
    for (const char* name : {"a", "b", "c", "d"})
        files.files[name] = solid_picture(2, 2, 0xffu);
    PictureLoading loading(files, 40);  // two pictures of 16 bytes fit, a third does not
    const PicturePtr stand_in = placeholder_picture();
    EXPECT_EQ(loading.load("a", stand_in), files.files.at("a"));
    EXPECT_EQ(loading.load("a", stand_in), files.files.at("a"));  // shared, not counted twice
    EXPECT_EQ(loading.load("b", stand_in), files.files.at("b"));
    EXPECT_EQ(loading.load("c", stand_in), stand_in);
    EXPECT_EQ(loading.load("d", stand_in), stand_in);
    EXPECT_EQ(loading.load("missing", nullptr), nullptr);
    EXPECT_EQ(files.loaded, (std::vector<std::string>{"a", "b", "c"}));
    try {
        loading.finish();
        FAIL() << "the limit went untold";
    } catch (const UndecodablePicture& e) {
        EXPECT_EQ(std::string(e.what()), loading_too_large_text("c"));
    }
}

TEST_F(SkinLoaderTest, ReloadKeepsTheVisibilityOfSkinHolders) {
    write_config(Windowed_Head);
    loader.Gfx_Load_Skin();
    LcdState lcd(screen);
    lcd.Vid_Show_All(true);
    lcd.Vid_Show_All_Wolf(false);
    std::vector<bool> shown;
    for (const Holder& h : screen.model().holders())
        shown.push_back(h.visible);

    screen.Vid_Fullscreen = true;
    loader.Gfx_Load_Skin();
    screen.Vid_Fullscreen = false;
    loader.Gfx_Load_Skin();
    for (int n = 1; n <= Skin_Image_Count; ++n) {
        const HolderId id = loader.Vid_Skin_Images[static_cast<size_t>(n)];
        EXPECT_EQ(screen.model().at(id).visible, shown[static_cast<size_t>(id)])
            << screen.model().at(id).name;
    }
}

}  // namespace
}  // namespace fluffo
