// The main window's logic with every port faked: creation, the hand-over with the start
// screen, keys and mouse on the handheld's face, the pop-up menu's commands and the in-game
// menu's life, and errors that must not leave anything half done.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/settings_values.h"
#include "display/skin_images.h"
#include "support/fake_audio_backend.h"
#include "support/shell_recorder.h"
#include "support/skin_fakes.h"
#include "support/window_recorder.h"
#include "windows/main_window_logic.h"
#include "windows/window_system.h"

namespace fluffo {
namespace {

struct FakeWindow : MainWindowView {
    test::RecordingWindow skin{1280, 1024};
    int32_t x = 0, y = 0;
    bool shown = false, enabled = true;
    std::string title;
    std::function<void()> on_shown;
    double zoom = 1.0, dpr = 1.0;
    Rect area{0, 24, 1280, 1000};  // the desktop's panel takes the top

    void set_client_width(int32_t w) override { skin.set_client_width(w); }
    void set_client_height(int32_t h) override { skin.set_client_height(h); }
    int32_t client_width() const override { return skin.client_width(); }
    int32_t client_height() const override { return skin.client_height(); }
    void set_colour(uint32_t c) override { skin.set_colour(c); }
    void set_colour_key(uint32_t c) override { skin.set_colour_key(c); }
    void set_colour_key_enabled(bool on) override { skin.set_colour_key_enabled(on); }
    int32_t screen_width() const override { return skin.screen_width(); }
    int32_t screen_height() const override { return skin.screen_height(); }
    void show_error(const std::string& text) override { skin.show_error(text); }
    void terminate() override { skin.terminate(); }
    int32_t left() const override { return x; }
    int32_t top() const override { return y; }
    void move_to(int32_t l, int32_t t) override { x = l, y = t; }
    bool system_moves = false;  // the window system takes a drag
    int system_moves_asked = 0;
    bool start_system_move() override {
        ++system_moves_asked;
        return system_moves;
    }
    void set_shown(bool s) override {
        shown = s;
        if (on_shown) on_shown();
    }
    void set_enabled(bool e) override { enabled = e; }
    void set_title(const std::string& t) override { title = t; }
    void set_zoom(double z) override { zoom = z; }
    double device_pixel_ratio() const override { return dpr; }
    Rect available_area() const override { return area; }
};

// Every image section at its design place, without pictures.
std::string design_config() {
    std::string ini = "[Common]\nGameWidth=440\nGameHeight=664\n";
    for (int n = 1; n <= Skin_Image_Count; ++n) {
        const Rect& r = skin_images()[static_cast<size_t>(n - 1)].design;
        ini += "[Image" + std::to_string(n) + "]\nLeft=" + std::to_string(r.left) +
               "\nTop=" + std::to_string(r.top) + "\nWidth=" + std::to_string(r.width) +
               "\nHeight=" + std::to_string(r.height) + "\n";
    }
    return ini;
}

std::string stored(MemoryStore& store, const std::string& name) {
    const auto v = store.read_value(name);
    return v ? v->text : "<none>";
}

struct MainWindowLogicTest : ::testing::Test {
    FakeWindow window;
    WindowRecorder windows;
    ShellRecorder shell;
    MemoryStore store;
    FakeBackend audio;
    SoundSystem sound{audio};
    SeededRandom random{7};
    test::FakeConfigFiles config;
    test::FakePictureFiles pictures;
    SettableClock clock{[this] { return form.scheduler().now(); }};
    MainWindowLogic form{MainWindowPorts{window, windows, shell, store, sound, clock, random,
                                         SkinSources{config, pictures, "", ""},
                                         [] { return 42u; }}};

    MainWindowLogicTest() { config.files["Config.ini"] = design_config(); }

    void create_windowed() {
        store.write_text("FullscreenMode", "0");
        form.FormCreate();
    }
    HolderId id(const char* name) { return form.screen().model().require(name); }
    // The centre of a holder, in client pixels.
    std::pair<int32_t, int32_t> centre(const char* name) {
        const Rect& r = form.screen().model().at(id(name)).bounds;
        return {r.left + r.width / 2, r.top + r.height / 2};
    }
    void click(const char* name, MouseButton b = MouseButton::Left) {
        const auto [x, y] = centre(name);
        form.mouse_down(x, y, b);
        form.mouse_up(x, y, b);
    }
    void to_clock() { form.handheld().set_mode(Mode::Time); }
    Mode mode() { return form.handheld().state.Gam_Mode; }
    const MenuRow& row(int entry) { return form.game_menu().rows().at(static_cast<size_t>(entry)); }
    void release_on_row(int entry) {
        const Rect& r = row(entry).bounds;
        form.mouse_down(r.left + 5, r.top + 5, MouseButton::Left);
        form.mouse_up(r.left + 5, r.top + 5, MouseButton::Left);
    }
};

TEST_F(MainWindowLogicTest, FirstCreationStoresTheKeysAndWaitsUnseenInFullscreen) {
    form.FormCreate();
    EXPECT_EQ(window.title, App_Title);
    EXPECT_FALSE(window.shown);
    EXPECT_EQ(window.x, -1280);
    EXPECT_EQ(window.y, -1024);
    for (int n = 1; n <= 7; ++n)
        EXPECT_NE(stored(store, key_value_name(n)), "<none>") << n;
    EXPECT_EQ(stored(store, "FullscreenMode"), "<none>");
    EXPECT_EQ(stored(store, "SoundMode"), "<none>");
    // Fullscreen by default: the window covers the screen, the menu button shows, closed.
    EXPECT_TRUE(form.screen().Vid_Fullscreen);
    EXPECT_TRUE(form.checked(9));
    EXPECT_EQ(window.client_width(), 1280);
    EXPECT_TRUE(form.screen().is_shown(id("btn_game_menu_top")));
    EXPECT_FALSE(form.screen().Vid_Menu_Open);
    // Overlays on by default; hints from the bindings; no mode set, no timer running.
    EXPECT_TRUE(form.screen().is_shown(id("btn_ctrlr_overlay_up")));
    EXPECT_FALSE(form.screen().is_shown(id("btn_joystick_top")));
    EXPECT_FALSE(form.screen().model().at(id("btn_game_a_top")).hint.empty());
    EXPECT_FALSE(form.scheduler().next_due().has_value());
    EXPECT_TRUE(shell.errors.empty());
}

TEST_F(MainWindowLogicTest, StoredChoicesAndHighScoresAreRead) {
    store.write_text("CtrlrOverlay", "0");
    store.write_text("HiScore1", "123");
    store.write_text("HiScore2", "4567");
    create_windowed();
    EXPECT_FALSE(form.screen().Vid_Fullscreen);
    EXPECT_EQ(window.client_width(), 440);
    EXPECT_TRUE(window.skin.colour_key_enabled());
    EXPECT_FALSE(form.screen().is_shown(id("btn_game_menu_top")));
    EXPECT_FALSE(form.screen().is_shown(id("btn_ctrlr_overlay_up")));
    EXPECT_TRUE(form.screen().is_shown(id("btn_joystick_top")));
    EXPECT_EQ(form.handheld().state.Gam_HiScore_A, 123);
    EXPECT_EQ(form.handheld().state.Gam_HiScore_B, 4567);
}

TEST_F(MainWindowLogicTest, CreationRunsEveryStepWhenTheStoreFailsAndTellsTheFirstFailure) {
    store.set_raw("FullscreenMode", StoredValue{false, ""});  // not text
    store.write_text("HiScore2", "900");
    store.set_refuse_writes(true);
    try {
        form.FormCreate();
        ADD_FAILURE() << "creation told no error";
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'FullscreenMode'");
    }
    // The default display, the keys, the hints and the high scores are all in place.
    EXPECT_TRUE(form.screen().Vid_Fullscreen);
    EXPECT_NE(form.keys().Inp_Key_Bindings[Control::Game_A].virtual_key, 0);
    EXPECT_FALSE(form.screen().model().at(id("btn_time_top")).hint.empty());
    EXPECT_EQ(form.handheld().state.Gam_HiScore_B, 900);
}

TEST_F(MainWindowLogicTest, AMissingConfigFileIsToldAndTheRestOfCreationStillRuns) {
    config.files.clear();
    form.FormCreate();
    ASSERT_EQ(window.skin.errors().size(), 1u);
    EXPECT_TRUE(window.skin.terminated());
    EXPECT_EQ(stored(store, "Key7"), "38");
}

TEST_F(MainWindowLogicTest, TheFirstActivationBringsTheStartScreenUpOnce) {
    form.FormCreate();
    form.FormActivate();
    form.FormActivate();
    EXPECT_EQ(windows.shown, std::vector<std::string>{"start"});
    EXPECT_FALSE(form.App_Splash_Pending);
}

TEST_F(MainWindowLogicTest, PlayCentresTheWindowAndLightsEverySegment) {
    create_windowed();
    // The window's first picture already has every segment lit.
    bool lit_when_shown = false;
    window.on_shown = [&] {
        lit_when_shown = mode() == Mode::All_On &&
                         form.screen().is_shown(form.screen().Vid_Wolf_Images[2][5]) &&
                         window.x == (1280 - 440) / 2;
    };
    form.start_play(false);
    EXPECT_TRUE(lit_when_shown);
    EXPECT_TRUE(window.shown);
    EXPECT_EQ(window.x, (1280 - 440) / 2);
    EXPECT_EQ(window.y, (1024 - 664) / 2);
    EXPECT_EQ(mode(), Mode::All_On);
    EXPECT_TRUE(form.screen().is_shown(form.screen().Vid_Wolf_Images[2][5]));
    EXPECT_FALSE(form.checked(10));
}

TEST_F(MainWindowLogicTest, KeysGoThroughTheBindingsAndShortcutsRunTheirCommands) {
    create_windowed();
    to_clock();
    const uint16_t game_a = form.keys().Inp_Key_Bindings[Control::Game_A].virtual_key;
    form.FormKeyDown(game_a);
    EXPECT_EQ(mode(), Mode::Game_A_Intro);
    EXPECT_TRUE(form.handheld().state.Inp_Game_A_Held);
    form.FormKeyUp(game_a);
    EXPECT_FALSE(form.handheld().state.Inp_Game_A_Held);

    // Shortcut keys are no game keys, and game keys are no shortcuts.
    EXPECT_FALSE(form.menu_shortcut(game_a));
    EXPECT_TRUE(form.menu_shortcut(112));
    EXPECT_TRUE(form.menu_shortcut(113));
    EXPECT_TRUE(form.menu_shortcut(114));
    EXPECT_TRUE(form.menu_shortcut(115));
    EXPECT_EQ(windows.shown, (std::vector<std::string>{"about", "manual"}));
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"file Readme.txt", "file Whatsnew.txt"}));
    // A shortcut is its plain key: Shift may stay, Ctrl, Alt or the system key make it none
    // (they are free for keys of their own), while the game keys take any modifier.
    for (const KeyModifiers held :
         {mod::Ctrl, mod::Alt, mod::Meta, KeyModifiers(mod::Ctrl | mod::Shift)}) {
        EXPECT_FALSE(form.menu_shortcut(27, held)) << int(held);
        EXPECT_FALSE(form.menu_shortcut(123, held)) << int(held);
    }
    EXPECT_FALSE(form.screen().Vid_Fullscreen);
    EXPECT_FALSE(shell.terminated);
    EXPECT_TRUE(form.menu_shortcut(123, mod::Shift));
    EXPECT_TRUE(form.screen().Vid_Fullscreen);
    EXPECT_TRUE(form.menu_shortcut(27));
    EXPECT_TRUE(shell.terminated);
}

TEST_F(MainWindowLogicTest, AButtonPressedAndReleasedElsewhereStillGetsItsRelease) {
    create_windowed();
    to_clock();
    const auto [x, y] = centre("btn_game_a_top");
    form.mouse_down(x, y, MouseButton::Left);
    EXPECT_EQ(mode(), Mode::Game_A_Intro);
    EXPECT_TRUE(form.handheld().state.Inp_Game_A_Held);
    form.mouse_move(5, 5, true);
    form.mouse_up(5, 5, MouseButton::Left);
    EXPECT_FALSE(form.handheld().state.Inp_Game_A_Held);
}

TEST_F(MainWindowLogicTest, OtherButtonsDuringALeftPressDoNotTakeItsRelease) {
    create_windowed();
    to_clock();
    const auto [x, y] = centre("btn_game_a_top");
    form.mouse_down(x, y, MouseButton::Left);
    ASSERT_TRUE(form.handheld().state.Inp_Game_A_Held);
    // Right and middle pressed and let go meanwhile, on the button and off it.
    form.mouse_down(x, y, MouseButton::Right);
    form.mouse_up(x, y, MouseButton::Right);
    form.mouse_down(5, 5, MouseButton::Middle);
    form.mouse_up(5, 5, MouseButton::Middle);
    EXPECT_TRUE(form.handheld().state.Inp_Game_A_Held);
    form.mouse_up(5, 5, MouseButton::Left);
    EXPECT_FALSE(form.handheld().state.Inp_Game_A_Held);

    // A right press first: the left press that follows still takes the area under it.
    const auto [tx, ty] = centre("btn_time_top");
    form.mouse_down(tx, ty, MouseButton::Right);
    form.mouse_down(tx, ty, MouseButton::Left);
    EXPECT_TRUE(form.handheld().state.Inp_Time_Held);
    form.mouse_up(tx, ty, MouseButton::Right);
    EXPECT_TRUE(form.handheld().state.Inp_Time_Held);
    form.mouse_up(tx, ty, MouseButton::Left);
    EXPECT_FALSE(form.handheld().state.Inp_Time_Held);
}

TEST_F(MainWindowLogicTest, ALostPointerEndsTheLeftPressAsAReleaseAway) {
    create_windowed();
    to_clock();
    const auto [x, y] = centre("btn_game_b_top");
    form.mouse_down(x, y, MouseButton::Left);
    ASSERT_TRUE(form.handheld().state.Inp_Game_B_Held);
    form.mouse_capture_lost();
    EXPECT_FALSE(form.handheld().state.Inp_Game_B_Held);
    // Its release, should it come after all, finds nothing pressed; nor does a second loss.
    to_clock();
    form.mouse_capture_lost();
    form.mouse_up(x, y, MouseButton::Left);
    EXPECT_EQ(mode(), Mode::Time);

    // A press whose release never arrived ends before the next press begins.
    form.mouse_down(x, y, MouseButton::Left);
    ASSERT_TRUE(form.handheld().state.Inp_Game_B_Held);
    form.mouse_down(10, 10, MouseButton::Left);
    EXPECT_FALSE(form.handheld().state.Inp_Game_B_Held);
}

TEST_F(MainWindowLogicTest, ALostPointerOnAMenuRowFoldsTheMenuWithoutItsCommand) {
    form.FormCreate();
    click("btn_game_menu_top");
    const Rect& about = row(0).bounds;
    form.mouse_down(about.left + 5, about.top + 5, MouseButton::Left);
    form.mouse_capture_lost();
    EXPECT_TRUE(windows.shown.empty());
    EXPECT_FALSE(form.screen().Vid_Menu_Open);
    EXPECT_TRUE(form.game_menu().rows().empty());
}

TEST_F(MainWindowLogicTest, OnlyTheLeftButtonPressesTheHandheldsButtons) {
    create_windowed();
    to_clock();
    click("btn_game_b_top", MouseButton::Right);
    click("btn_game_b_top", MouseButton::Middle);
    EXPECT_EQ(mode(), Mode::Time);
    click("btn_time_top");
    EXPECT_EQ(mode(), Mode::Alarm);
}

TEST_F(MainWindowLogicTest, TheOverlayArrowsTakeClicksOnlyWhileShown) {
    create_windowed();
    EXPECT_EQ(
        form.holder_at(centre("btn_ctrlr_overlay_up").first, centre("btn_ctrlr_overlay_up").second),
        id("btn_ctrlr_overlay_up"));
    form.pm_12_controllerClick();
    EXPECT_EQ(stored(store, "CtrlrOverlay"), "0");
    const auto [x, y] = centre("btn_ctrlr_overlay_up");
    EXPECT_EQ(form.holder_at(x, y), id("btn_joystick_top"));
    EXPECT_EQ(form.cursor_at(x, y), Cursor::Help);
    EXPECT_NE(form.hint_at(x, y).find("activate the controller overlays"), std::string::npos);
}

TEST_F(MainWindowLogicTest, TheBackgroundDragsTheWindowInWindowedModeOnly) {
    create_windowed();
    form.start_play(true);
    const int32_t x0 = window.x, y0 = window.y;
    form.mouse_down(10, 10, MouseButton::Left);  // im_background
    form.mouse_move(30, 25, true);
    EXPECT_EQ(window.x, x0 + 20);
    EXPECT_EQ(window.y, y0 + 15);
    form.mouse_move(40, 40, false);  // button let go: no move
    EXPECT_EQ(window.x, x0 + 20);
    form.mouse_up(40, 40, MouseButton::Left);
    EXPECT_EQ(form.hint_at(10, 10), "");  // the background shows no hint

    form.pm_10_fullscreenClick();
    const int32_t xf = window.x;
    form.mouse_down(300, 300, MouseButton::Left);
    form.mouse_move(350, 350, true);
    EXPECT_EQ(window.x, xf);
}

// Where the window system moves the window, a press on the case hands the drag over and the
// logic moves nothing; a button never asks, nor does the case in fullscreen.
TEST_F(MainWindowLogicTest, ADragOnTheCaseIsTheWindowSystemsWhereItTakesIt) {
    create_windowed();
    form.start_play(true);
    window.system_moves = true;
    const int32_t x0 = window.x, y0 = window.y;
    form.mouse_down(10, 10, MouseButton::Left);
    EXPECT_EQ(window.system_moves_asked, 1);
    form.mouse_move(30, 25, true);
    form.mouse_up(30, 25, MouseButton::Left);
    EXPECT_EQ(std::pair(window.x, window.y), std::pair(x0, y0));

    const auto [tx, ty] = centre("btn_time_top");
    form.mouse_down(tx, ty, MouseButton::Left);
    form.mouse_up(tx, ty, MouseButton::Left);
    form.pm_10_fullscreenClick();
    form.mouse_down(300, 300, MouseButton::Left);
    form.mouse_up(300, 300, MouseButton::Left);
    EXPECT_EQ(window.system_moves_asked, 1);
}

TEST(WindowSystemTest, OnlyOnWaylandTheCompositorPlacesTheWindows) {
    const std::pair<const char*, bool> cases[] = {
        {"xcb", true},       {"wayland", false}, {"wayland-egl", false},
        {"offscreen", true}, {"", true},         {"eglfs", true},
    };
    for (const auto& [name, places] : cases)
        EXPECT_EQ(window_system_of(name).places_windows, places) << name;
}

TEST_F(MainWindowLogicTest, TheFullscreenSwitchKeepsTheGameGoingAndStoresEachSwitch) {
    create_windowed();
    form.start_play(true);
    to_clock();
    form.FormKeyDown(form.keys().Inp_Key_Bindings[Control::Game_B].virtual_key);
    form.scheduler().advance_to(form.scheduler().now() + 5000);
    ASSERT_EQ(mode(), Mode::Game_B);
    const int32_t lives = form.handheld().state.Gam_Lives;
    const auto due = form.scheduler().next_due();

    form.menu_shortcut(123);
    EXPECT_TRUE(form.screen().Vid_Fullscreen);
    EXPECT_EQ(stored(store, "FullscreenMode"), "1");
    EXPECT_EQ(window.client_width(), 1280);
    EXPECT_EQ(window.x, 0);
    EXPECT_EQ(mode(), Mode::Game_B);
    EXPECT_EQ(form.handheld().state.Gam_Lives, lives);
    EXPECT_EQ(form.scheduler().next_due(), due);

    form.menu_shortcut(123);
    EXPECT_FALSE(form.screen().Vid_Fullscreen);
    EXPECT_EQ(stored(store, "FullscreenMode"), "0");
    EXPECT_EQ(window.x, (1280 - 440) / 2);
}

TEST_F(MainWindowLogicTest, ARefusedWriteDoesNotLeaveTheSwitchHalfDone) {
    create_windowed();
    form.start_play(true);
    store.set_refuse_writes(true);
    EXPECT_THROW(form.pm_10_fullscreenClick(), StoreError);
    // The display did switch and the window is back on screen.
    EXPECT_EQ(window.client_width(), 1280);
    EXPECT_EQ(window.x, 0);
    EXPECT_THROW(form.pm_12_controllerClick(), StoreError);
    EXPECT_FALSE(form.screen().is_shown(id("btn_ctrlr_overlay_up")));
}

TEST_F(MainWindowLogicTest, ResettingTheHighScoresWritesBothThenBeeps) {
    store.write_text("HiScore1", "50");
    store.write_text("HiScore2", "60");
    create_windowed();
    form.pm_8_hiscoreClick();
    EXPECT_EQ(stored(store, "HiScore1"), "0");
    EXPECT_EQ(stored(store, "HiScore2"), "0");
    EXPECT_EQ(shell.beeps, 1);
    store.set_refuse_writes(true);
    EXPECT_THROW(form.pm_8_hiscoreClick(), StoreError);
    EXPECT_EQ(shell.beeps, 1);
}

TEST_F(MainWindowLogicTest, KeySettingsOpenOverADisabledWindow) {
    create_windowed();
    form.pm_7_keysClick();
    EXPECT_EQ(windows.shown, std::vector<std::string>{"keys"});
    EXPECT_FALSE(window.enabled);
    form.pm_6_configClick();
    EXPECT_EQ(shell.opened, std::vector<std::string>{"file Config.ini"});
}

TEST_F(MainWindowLogicTest, TheSplashEntryFollowsTheStoreWithTheCheckBoxAsDefault) {
    create_windowed();
    bool box = false;
    form.set_splash_check_box([&] { return box; });
    form.pm_0_menuPopup();
    EXPECT_FALSE(form.checked(10));  // nothing stored: the check box
    form.pm_11_splashscreenClick();
    EXPECT_EQ(stored(store, "SplashScreen"), "1");
    form.pm_0_menuPopup();
    EXPECT_TRUE(form.checked(10));
    store.write_text("SplashScreen", "0");
    form.pm_0_menuPopup();
    EXPECT_FALSE(form.checked(10));
}

// The entries that carry a mark turn it over when chosen, and the in-game menu shows each mark
// as it stands; the other entries carry none in either menu.
TEST_F(MainWindowLogicTest, EveryMarkTurnsOverWithItsCommandAndTheInGameMenuShowsIt) {
    create_windowed();
    int marked = 0;
    for (int i = 0; i < Popup_Entry_Count; ++i) {
        const std::optional<bool> before = form.check_mark(i);
        if (!before) continue;
        ++marked;
        form.run_command(Popup_Entries[static_cast<size_t>(i)].command);
        EXPECT_EQ(form.check_mark(i), !*before) << i;
    }
    EXPECT_EQ(marked, 3);
    EXPECT_FALSE(form.checkable(-1) || form.checkable(Popup_Entry_Count));
    ASSERT_TRUE(form.screen().Vid_Fullscreen);  // the switch ran: the in-game menu can open
    click("btn_game_menu_top");
    for (int i = 0; i < Popup_Entry_Count; ++i)
        EXPECT_EQ(row(i).text.ends_with(" [V]"), form.checked(i)) << row(i).text;
}

TEST_F(MainWindowLogicTest, TheInGameMenuOpensWithItsRowsAndFoldsUpOnARelease) {
    form.FormCreate();  // fullscreen
    form.start_play(true);
    click("btn_game_menu_top");
    ASSERT_TRUE(form.screen().Vid_Menu_Open);
    ASSERT_EQ(form.game_menu().rows().size(), 14u);
    EXPECT_EQ(row(0).text, "   About...");
    EXPECT_EQ(row(0).bounds, (Rect{0, 32, 256, 32}));
    EXPECT_EQ(row(9).text, "   Display in fullscreen mode [V]");
    EXPECT_EQ(row(13).bounds.top, 448);
    EXPECT_TRUE(row(4).separator);
    EXPECT_EQ(form.screen().model().at(id("btn_game_menu_background")).bounds,
              (Rect{0, 0, 256, 480}));

    // Hover: the row under the pointer turns opaque, and back.
    form.mouse_move(20, 32 * 7 + 10, false);
    EXPECT_TRUE(row(6).opaque);
    EXPECT_EQ(form.cursor_at(20, 32 * 7 + 10), Cursor::Hand);
    form.mouse_move(20, 32 * 2 + 10, false);
    EXPECT_FALSE(row(6).opaque);
    EXPECT_FALSE(form.take_menu_dirty().empty());

    // A separator does nothing; the menu stays open.
    release_on_row(4);
    EXPECT_TRUE(form.screen().Vid_Menu_Open);

    // "Key settings": the command runs, then the release folds the menu up.
    release_on_row(6);
    EXPECT_EQ(windows.shown, std::vector<std::string>{"keys"});
    EXPECT_FALSE(form.screen().Vid_Menu_Open);
    EXPECT_TRUE(form.game_menu().rows().empty());
    EXPECT_EQ(form.screen().model().at(id("btn_game_menu_background")).bounds,
              (Rect{0, 0, 36, 32}));

    // Reopened: fourteen rows again, not twenty-eight.
    click("btn_game_menu_top");
    EXPECT_EQ(form.game_menu().rows().size(), 14u);
}

TEST_F(MainWindowLogicTest, AReleaseAwayFromThePressedRowRunsNoCommandButCloses) {
    form.FormCreate();
    click("btn_game_menu_top");
    form.mouse_down(20, 32 + 5, MouseButton::Left);  // About...
    form.mouse_up(500, 500, MouseButton::Left);
    EXPECT_TRUE(windows.shown.empty());
    EXPECT_FALSE(form.screen().Vid_Menu_Open);
}

TEST_F(MainWindowLogicTest, TheMenuRowSwitchingToWindowedModeLeavesAClosedMenu) {
    form.FormCreate();
    form.start_play(true);
    click("btn_game_menu_top");
    release_on_row(9);
    EXPECT_FALSE(form.screen().Vid_Fullscreen);
    EXPECT_FALSE(form.screen().Vid_Menu_Open);
    EXPECT_TRUE(form.game_menu().rows().empty());
    EXPECT_FALSE(form.screen().is_shown(id("btn_game_menu_top")));

    // F12 back to fullscreen with the menu open: the switch closes it too.
    form.menu_shortcut(123);
    click("btn_game_menu_top");
    form.menu_shortcut(123);
    form.menu_shortcut(123);
    EXPECT_TRUE(form.game_menu().rows().empty());
    EXPECT_EQ(form.screen().model().at(id("btn_game_menu_background")).bounds.width, 36);
}

TEST_F(MainWindowLogicTest, OpeningThePopUpMenuClosesTheInGameMenu) {
    form.FormCreate();
    click("btn_game_menu_top");
    form.pm_0_menuPopup();
    EXPECT_FALSE(form.screen().Vid_Menu_Open);
    EXPECT_TRUE(form.game_menu().rows().empty());
}

TEST_F(MainWindowLogicTest, CloseFreesTheSamplesAndTheLibraryEvenWithoutSound) {
    form.FormCreate();
    form.FormClose();
    ASSERT_EQ(audio.calls.size(), 10u);
    EXPECT_EQ(audio.calls.front(), "free 0");
    EXPECT_EQ(audio.calls.back(), "close");
}

// A pad's presses reach the handheld as the keys and the mouse do; every source holds a control
// on its own, and the control is let go only when the last of them lets go.
TEST(MainWindowPads, KeysTheMouseAndPadsHoldEachControlTogether) {
    struct Rig : MainWindowLogicTest {
        void TestBody() override {}
        PadTracker pads{[this](const PadPress& p) { form.pad_press(p); }};
    };
    using Step = std::function<void(Rig&)>;
    const auto pad = [](int32_t n, PadButton b, bool down) {
        return Step([=](Rig& r) { r.pads.button(n, b, down); });
    };
    const auto stick = [](int32_t x, int32_t y) {
        return Step([=](Rig& r) { r.pads.stick(0, x, y); });
    };
    const auto key = [](bool down) {
        return Step([=](Rig& r) {
            const VirtualKey k = r.form.keys().Inp_Key_Bindings[Control::Game_A].virtual_key;
            down ? r.form.FormKeyDown(k) : r.form.FormKeyUp(k);
        });
    };
    const auto mouse = [](bool down) {
        return Step([=](Rig& r) {
            const auto [x, y] = r.centre("btn_game_a_top");
            down ? r.form.mouse_down(x, y, MouseButton::Left)
                 : r.form.mouse_up(x, y, MouseButton::Left);
        });
    };
    const Step unplug = [](Rig& r) { r.pads.removed(0); };
    using P = PadButton;
    struct Case {
        const char* name;
        std::vector<Step> steps;
        const char* held;  // the held controls, as letters of "ABTULRD"
        Mode mode;
    };
    const std::vector<Case> cases = {
        {"South is GAME A", {pad(0, P::South, true)}, "A", Mode::Game_A_Intro},
        {"East is GAME B", {pad(0, P::East, true)}, "B", Mode::Game_B_Intro},
        {"North is TIME", {pad(0, P::North, true)}, "T", Mode::Alarm},
        {"pressed and released",
         {pad(0, P::South, true), pad(0, P::South, false)},
         "",
         Mode::Game_A_Intro},
        {"the key lets go, the pad holds on",
         {key(true), pad(0, P::South, true), key(false)},
         "A",
         Mode::Game_A_Intro},
        {"the pad lets go, the key holds on",
         {pad(0, P::South, true), key(true), pad(0, P::South, false)},
         "A",
         Mode::Game_A_Intro},
        {"both let go",
         {key(true), pad(0, P::South, true), key(false), pad(0, P::South, false)},
         "",
         Mode::Game_A_Intro},
        {"the mouse lets go, the pad holds on",
         {mouse(true), pad(0, P::South, true), mouse(false)},
         "A",
         Mode::Game_A_Intro},
        {"two pads",
         {pad(0, P::South, true), pad(1, P::South, true), pad(0, P::South, false)},
         "A",
         Mode::Game_A_Intro},
        {"West and North both hold TIME",
         {pad(0, P::West, true), pad(0, P::North, true), pad(0, P::West, false)},
         "T",
         Mode::Alarm},
        {"pulled out mid-press",
         {pad(0, P::South, true), pad(0, P::West, true), unplug},
         "",
         Mode::Game_A_Intro},
        {"pulled out while the key holds on",
         {key(true), pad(0, P::South, true), unplug},
         "A",
         Mode::Game_A_Intro},
        {"the D-pad and the stick hold a direction each",
         {pad(0, P::Up, true), stick(0, -30000), pad(0, P::Up, false)},
         "U",
         Mode::Time},
        {"the stick back at the centre", {stick(30000, 0), stick(0, 0)}, "", Mode::Time},
        {"the stick turned", {stick(30000, 0), stick(0, 30000)}, "D", Mode::Time},
        {"pulled out with the stick pushed", {stick(-30000, 0), unplug}, "", Mode::Time},
        {"Back, and Start in windowed mode, do nothing",
         {pad(0, P::Back, true), pad(0, P::Start, true)},
         "",
         Mode::Time},
    };
    for (const Case& c : cases) {
        Rig r;
        r.create_windowed();
        r.to_clock();
        for (const Step& step : c.steps)
            step(r);
        const GameState& st = r.form.handheld().state;
        const std::string letters = "ABTULRD";
        for (Control control : All_Controls) {
            const char letter = letters[static_cast<size_t>(control_number(control) - 1)];
            const bool held = std::string(c.held).find(letter) != std::string::npos;
            EXPECT_EQ(r.form.holds().held(control), held) << c.name << ": " << letter;
        }
        const bool a = std::string(c.held).find('A') != std::string::npos;
        EXPECT_EQ(st.Inp_Game_A_Held, a) << c.name;
        EXPECT_EQ(r.form.screen().model().at(r.id("btn_game_a_down")).visible, a) << c.name;
        EXPECT_EQ(st.Inp_Time_Held, std::string(c.held).find('T') != std::string::npos) << c.name;
        EXPECT_EQ(r.mode(), c.mode) << c.name;
        EXPECT_TRUE(r.form.game_menu().rows().empty()) << c.name;
    }
}

TEST_F(MainWindowLogicTest, InFullscreenAPadDrivesTheInGameMenu) {
    form.FormCreate();  // fullscreen
    form.start_play(true);
    to_clock();
    PadTracker pad([this](const PadPress& p) { form.pad_press(p); });
    const auto press = [&](PadButton b) {
        pad.button(0, b, true);
        pad.button(0, b, false);
    };
    // A direction held as the menu opens is still let go by its own release.
    pad.stick(0, 0, -30000);
    press(PadButton::Start);
    ASSERT_EQ(form.game_menu().rows().size(), 14u);
    EXPECT_EQ(form.game_menu().highlighted(), 0);
    pad.stick(0, 0, 0);
    EXPECT_FALSE(form.holds().held(Control::Up));

    // The highlight skips the separators and goes round.
    const std::vector<std::pair<PadButton, int>> moves = {
        {PadButton::Down, 1}, {PadButton::Down, 2}, {PadButton::Down, 3}, {PadButton::Down, 5},
        {PadButton::Up, 3},   {PadButton::Up, 2},   {PadButton::Up, 1},   {PadButton::Up, 0},
        {PadButton::Up, 13},  {PadButton::Down, 0}, {PadButton::Left, 0}, {PadButton::West, 0},
    };
    for (const auto& [button, row] : moves) {
        press(button);
        EXPECT_EQ(form.game_menu().highlighted(), row);
    }
    EXPECT_EQ(mode(), Mode::Time);  // West was no TIME here
    EXPECT_FALSE(form.take_menu_dirty().empty());

    // South chooses "About..." and folds the menu; East and Start fold it without a command.
    press(PadButton::South);
    EXPECT_EQ(windows.shown, std::vector<std::string>{"about"});
    EXPECT_TRUE(form.game_menu().rows().empty());
    EXPECT_FALSE(form.screen().Vid_Menu_Open);
    EXPECT_EQ(mode(), Mode::Time);
    for (PadButton fold : {PadButton::East, PadButton::Start}) {
        press(PadButton::Start);
        ASSERT_FALSE(form.game_menu().rows().empty());
        press(fold);
        EXPECT_TRUE(form.game_menu().rows().empty());
    }
    EXPECT_EQ(windows.shown.size(), 1u);
    EXPECT_EQ(mode(), Mode::Time);
}

}  // namespace
}  // namespace fluffo

namespace fluffo {
namespace {

TEST_F(MainWindowLogicTest, TheStoredSizeIsReadAsAStepThatFitsTheFreeArea) {
    // Stored, chosen, in use in the 1280 x 1000 area (664 x 1.5 = 996 is the tallest fit).
    const struct {
        const char* stored;
        int32_t chosen, used;
    } cases[] = {{"<none>", 100, 100}, {"125", 125, 125}, {"130", 100, 100},
                 {"0", 100, 100},      {"150", 150, 150}, {"400", 400, 150}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        MemoryStore fresh;
        fresh.write_text("FullscreenMode", "0");
        if (std::string(c.stored) != "<none>") fresh.write_text("WindowZoom", c.stored);
        FakeWindow w;
        w.area = window.area;
        MainWindowLogic logic{MainWindowPorts{w, windows, shell, fresh, sound, clock, random,
                                              SkinSources{config, pictures, "", ""},
                                              [] { return 42u; }}};
        logic.FormCreate();
        EXPECT_EQ(logic.chosen_zoom(), c.chosen);
        EXPECT_EQ(logic.zoom(), c.used);
        EXPECT_DOUBLE_EQ(w.zoom, c.used / 100.0);
        logic.start_play(true);
        // Centred on the screen at the size in use.
        EXPECT_EQ(w.x, (1280 - zoomed(440, c.used)) / 2);
    }
}

TEST_F(MainWindowLogicTest, SizeStepsKeepTheCentreStayInTheAreaAndAreStored) {
    create_windowed();
    form.start_play(true);
    const auto centre = [&] {
        return std::pair{window.x + zoomed(440, form.zoom()) / 2,
                         window.y + zoomed(664, form.zoom()) / 2};
    };
    const auto middle = centre();
    form.change_zoom(ZoomChange::Larger);
    EXPECT_EQ(form.zoom(), 125);
    EXPECT_EQ(centre(), middle);
    form.change_zoom(ZoomChange::Larger);
    EXPECT_EQ(form.zoom(), 150);
    EXPECT_EQ(stored(store, "WindowZoom"), "150");
    // 175 % would not fit: nothing changes, nothing is written.
    form.change_zoom(ZoomChange::Larger);
    EXPECT_EQ(form.zoom(), 150);
    EXPECT_EQ(stored(store, "WindowZoom"), "150");
    // Near an edge the window keeps inside the area.
    window.move_to(1000, 500);
    form.change_zoom(ZoomChange::Smaller);
    form.set_zoom(150);
    EXPECT_EQ(window.x + zoomed(440, 150), 1280);
    EXPECT_EQ(window.y + zoomed(664, 150), 24 + 1000);
    // The menu's 400 % is stored as chosen; the largest step that fits is used.
    form.set_zoom(400);
    EXPECT_EQ(stored(store, "WindowZoom"), "400");
    EXPECT_EQ(form.zoom(), 150);
    form.change_zoom(ZoomChange::Reset);
    EXPECT_EQ(form.zoom(), 100);
    form.change_zoom(ZoomChange::Smaller);
    EXPECT_EQ(form.zoom(), 100);
    EXPECT_EQ(stored(store, "WindowZoom"), "100");
}

TEST_F(MainWindowLogicTest, ARefusedSizeWriteIsToldAndTheSizeStillChanges) {
    create_windowed();
    form.start_play(true);
    store.set_refuse_writes(true);
    EXPECT_THROW(form.change_zoom(ZoomChange::Larger), StoreError);
    EXPECT_EQ(form.zoom(), 125);
    EXPECT_DOUBLE_EQ(window.zoom, 1.25);
}

TEST_F(MainWindowLogicTest, PicturesComeInTheVariantForTheZoomTimesTheScreensScale) {
    const std::string menu = Game_Menu_Picture;
    pictures.files[menu] = test::solid_picture(256, 512, 0xff000000u);
    pictures.files[variant_path(menu, 2)] = test::solid_picture(512, 1024, 0xff000000u);
    pictures.files[variant_path(menu, 3)] = test::solid_picture(768, 1536, 0xff000000u);
    window.dpr = 2.0;  // a desktop at scale factor 2
    create_windowed();
    const auto density = [&] {
        return form.screen().model().at(id("btn_game_menu_background")).picture->density;
    };
    EXPECT_EQ(density(), 2);
    form.set_zoom(125);  // 2.5: the next variant up
    EXPECT_EQ(density(), 3);
    EXPECT_EQ(window_width(*form.screen().model().at(id("btn_game_menu_background")).picture), 256);
}

TEST_F(MainWindowLogicTest, TheZoomedWindowDragsByWindowPixels) {
    create_windowed();
    form.start_play(true);
    form.set_zoom(150);
    const int32_t x0 = window.x, y0 = window.y;
    // Client pixels from the window's own: 20 and 10 of them are 30 and 15 window pixels.
    form.mouse_down(10, 10, MouseButton::Left);
    form.mouse_move(30, 20, true);
    EXPECT_EQ(window.x, x0 + 30);
    EXPECT_EQ(window.y, y0 + 15);
}

TEST_F(MainWindowLogicTest, FullscreenShowsTheHandheldAtTheSizeThatFitsTheScreen) {
    store.write_text("WindowZoom", "200");
    form.FormCreate();  // fullscreen on 1280 x 1024: 150 % is the largest that fits
    EXPECT_EQ(form.zoom(), 150);
    // The client area is the screen in client pixels, the handheld in its middle.
    EXPECT_EQ(window.client_width(), 854);
    EXPECT_EQ(window.client_height(), 683);
    EXPECT_EQ(form.skin().Gfx_Offset_X, (854 - 440) / 2);
    EXPECT_EQ(form.screen().model().at(id("im_backdrop")).bounds, (Rect{0, 0, 854, 683}));
    form.pm_10_fullscreenClick();  // windowed: the free area is 1000 high
    EXPECT_EQ(form.zoom(), 150);
    EXPECT_EQ(window.client_width(), 440);
    form.set_zoom(100);
    form.pm_10_fullscreenClick();
    EXPECT_EQ(window.client_width(), 1280);
}

}  // namespace
}  // namespace fluffo
