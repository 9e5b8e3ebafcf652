// The start screen's logic over an in-memory store, the fake sound library and a recording
// shell: what creation shows or does unseen, the driver choice and the play button, the keys,
// the play action's stores and hand-over, the missing sound folder, a refusing store, links.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/settings_values.h"
#include "support/fake_audio_backend.h"
#include "support/shell_recorder.h"
#include "windows/start_screen_logic.h"

namespace fluffo {
namespace {

struct RecordingView : StartScreenView {
    std::vector<std::string> calls;
    StartScreenControls shown;

    void place_off_screen() override { calls.push_back("off screen"); }
    void centre_on_screen() override { calls.push_back("centre"); }
    void hide_for_good() override { calls.push_back("hide"); }
    void refresh_controls(const StartScreenControls& controls) override {
        calls.push_back("refresh");
        shown = controls;
    }
};

struct RecordingPlayTarget : PlayTarget {
    const bool* app_splash_pending = nullptr;
    std::vector<std::string> calls;
    bool fails = false;  // the hand-over meets an error (a skin too large to draw, say)
    void start_play(bool splash_screen_checked) override {
        if (fails) throw PlatformError("the main window cannot come up");
        calls.push_back(std::string("start_play ") +
                        (splash_screen_checked ? "ticked" : "unticked") +
                        (*app_splash_pending ? ", splash pending" : ""));
    }
};

struct StartScreenLogicTest : ::testing::Test {
    MemoryStore store;
    FakeBackend backend;
    SoundSystem sound{backend};
    ShellRecorder shell;
    RecordingPlayTarget play;
    RecordingView view;
    bool app_splash_pending = true;
    StartScreenLogic screen{store, sound, shell, play, app_splash_pending, view};

    StartScreenLogicTest() { play.app_splash_pending = &app_splash_pending; }

    void set_stored(const std::string& name, const std::string& text) {
        store.set_raw(name, StoredValue{true, text});
    }
    std::string stored(const std::string& name) {
        const auto value = store.read_value(name);
        return value ? value->text : "<none>";
    }
    std::string played() const { return play.calls.empty() ? "<none>" : play.calls.back(); }
};

TEST_F(StartScreenLogicTest, EmptyStoreShowsTheTextsNoDriverAndPlayDisabledWhichEnterAnd1Respect) {
    screen.FormCreate();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"centre", "refresh"}));
    EXPECT_EQ(view.shown.game_title, "Fluffo Brambo (Zentrix, Gleeplay) Simulator");
    EXPECT_EQ(view.shown.version, "Version 5.00 * Final *");
    EXPECT_NE(view.shown.release_date.find("4th December 2017"), std::string::npos);
    EXPECT_EQ(view.shown.sound_index, -1);
    EXPECT_TRUE(view.shown.splash_screen_checked);
    EXPECT_FALSE(view.shown.play_enabled);
    EXPECT_EQ(screen.sound_text(), "");

    // Both keys are the start screen's even when they do nothing.
    EXPECT_TRUE(screen.FormKeyDown(vk::Enter));
    EXPECT_TRUE(screen.FormKeyDown(vk::digit(1)));
    EXPECT_EQ(played(), "<none>");
    EXPECT_TRUE(store.values().empty());
    EXPECT_TRUE(backend.calls.empty());
    EXPECT_FALSE(screen.hidden_for_good());
    EXPECT_TRUE(app_splash_pending);
}

TEST_F(StartScreenLogicTest, ChoosingAnyOfTheThreeDriversEnablesPlay) {
    screen.FormCreate();
    for (int32_t index = 0; index < 3; ++index) {
        screen.cb_soundChange(index);
        EXPECT_TRUE(view.shown.play_enabled) << index;
        EXPECT_EQ(view.shown.sound_index, index);
        EXPECT_EQ(screen.sound_text(), Snd_Driver_Texts[static_cast<size_t>(index)]);
    }
    // An index the box cannot have is no choice.
    screen.cb_soundChange(3);
    EXPECT_FALSE(view.shown.play_enabled);
    EXPECT_EQ(view.shown.sound_index, -1);
}

TEST_F(StartScreenLogicTest, NoSoundAnd1StartsSilentlyStoresBothChoicesAndHandsOver) {
    screen.FormCreate();
    screen.cb_soundChange(2);
    EXPECT_TRUE(screen.FormKeyDown(vk::digit(1)));
    EXPECT_EQ(stored("SoundMode"), "2");
    EXPECT_EQ(stored("SplashScreen"), "1");
    EXPECT_TRUE(backend.calls.empty());
    EXPECT_FALSE(sound.Snd_Enabled());
    EXPECT_EQ(play.calls, (std::vector<std::string>{"start_play ticked, splash pending"}));
    EXPECT_TRUE(screen.hidden_for_good());
    EXPECT_EQ(view.calls.back(), "hide");
    EXPECT_FALSE(shell.terminated);
}

TEST_F(StartScreenLogicTest, UntickedAndEnterStoresSplashScreenOffAndStartsTheChosenDriver) {
    screen.FormCreate();
    screen.cb_soundChange(0);
    screen.chb_splashscreenChange(false);
    EXPECT_TRUE(screen.FormKeyDown(vk::Enter));
    EXPECT_EQ(stored("SoundMode"), "0");
    EXPECT_EQ(stored("SplashScreen"), "0");
    ASSERT_FALSE(backend.calls.empty());
    EXPECT_EQ(backend.calls.front(), "open DirectSound 22050 64");
    EXPECT_EQ(played(), "start_play unticked, splash pending");
    EXPECT_TRUE(screen.hidden_for_good());
}

TEST_F(StartScreenLogicTest, EscEndsTheProgramAndStoresNothingWhateverWasChosen) {
    screen.FormCreate();
    screen.cb_soundChange(1);
    screen.chb_splashscreenChange(false);
    EXPECT_TRUE(screen.FormKeyDown(vk::Esc));
    EXPECT_TRUE(shell.terminated);
    EXPECT_TRUE(store.values().empty());
    EXPECT_TRUE(backend.calls.empty());
    EXPECT_EQ(played(), "<none>");
}

TEST_F(StartScreenLogicTest, OtherKeysGoToTheFocusedControlKeypad1Included) {
    screen.FormCreate();
    screen.cb_soundChange(2);
    for (uint16_t key : {uint16_t{40}, uint16_t{38}, uint16_t{32}, uint16_t{97}, uint16_t{50}}) {
        EXPECT_FALSE(screen.FormKeyDown(key)) << key;
    }
    EXPECT_EQ(played(), "<none>");
    EXPECT_FALSE(shell.terminated);
}

TEST_F(StartScreenLogicTest, AStoredDriverWithTheScreenSwitchedOnIsShownReadyToPlay) {
    set_stored("SoundMode", "1");
    screen.FormCreate();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"centre", "refresh"}));
    EXPECT_EQ(view.shown.sound_index, 1);
    EXPECT_TRUE(view.shown.play_enabled);
    EXPECT_EQ(played(), "<none>");
    EXPECT_TRUE(app_splash_pending);
}

TEST_F(StartScreenLogicTest, NoValidDriverShowsTheScreenEvenWhenSwitchedOffWithTheBoxUnticked) {
    for (const char* mode : {"-1", "3", "many"}) {
        MemoryStore own_store;
        own_store.set_raw("SoundMode", StoredValue{true, mode});
        own_store.set_raw("SplashScreen", StoredValue{true, "0"});
        RecordingView own_view;
        StartScreenLogic own{own_store, sound, shell, play, app_splash_pending, own_view};
        own.FormCreate();
        EXPECT_EQ(own_view.calls, (std::vector<std::string>{"centre", "refresh"})) << mode;
        EXPECT_EQ(own_view.shown.sound_index, -1) << mode;
        EXPECT_FALSE(own_view.shown.splash_screen_checked) << mode;
        EXPECT_FALSE(own_view.shown.play_enabled) << mode;
    }
    EXPECT_EQ(played(), "<none>");
    EXPECT_TRUE(app_splash_pending);
}

TEST_F(StartScreenLogicTest, AutomaticPathPlaysUnseenWithThePendingFlagClearedFirst) {
    set_stored("SoundMode", "1");
    set_stored("SplashScreen", "0");
    screen.FormCreate();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"refresh", "off screen", "hide"}));
    EXPECT_FALSE(app_splash_pending);
    // Cleared before the main window took over.
    EXPECT_EQ(play.calls, (std::vector<std::string>{"start_play unticked"}));
    ASSERT_FALSE(backend.calls.empty());
    EXPECT_EQ(backend.calls.front(), "open MultiMedia 22050 64");
    EXPECT_EQ(stored("SoundMode"), "1");
    EXPECT_EQ(stored("SplashScreen"), "0");
    EXPECT_TRUE(screen.hidden_for_good());
}

TEST_F(StartScreenLogicTest, MissingSoundFolderTellsForgetsTheChoiceAndEndsWithoutTheGame) {
    backend.missing.insert("Sound/Bonus.wav");
    screen.FormCreate();
    screen.cb_soundChange(0);
    screen.chb_splashscreenChange(false);
    screen.btn_playClick();
    EXPECT_EQ(shell.errors, (std::vector<std::string>{std::string(Snd_Folder_Missing_Text)}));
    EXPECT_TRUE(shell.failed);  // the program ends with a failure status
    EXPECT_EQ(played(), "<none>");
    EXPECT_FALSE(screen.hidden_for_good());
    // The next start shows the start screen again, though the player had switched it off.
    EXPECT_EQ(stored("SoundMode"), "-1");
    EXPECT_EQ(stored("SplashScreen"), "1");
}

TEST_F(StartScreenLogicTest, ARefusedStoreWriteStopsNothingThePlayActionGoesOnAndIsToldOnce) {
    // The programs' store: the refusal told, the choices kept in memory.
    RetryingStore retrying{store, [this](const std::string& text) { shell.show_error(text); }};
    store.set_raw("SplashScreen", StoredValue{true, "1"});
    store.set_refuse_writes(true);
    RecordingView manual_view;
    StartScreenLogic manual{retrying, sound, shell, play, app_splash_pending, manual_view};
    manual.FormCreate();
    manual.cb_soundChange(2);
    manual.chb_splashscreenChange(false);
    EXPECT_TRUE(manual.FormKeyDown(vk::Enter));
    EXPECT_EQ(played(), "start_play unticked, splash pending");
    EXPECT_TRUE(manual.hidden_for_good());
    EXPECT_EQ(shell.errors, std::vector<std::string>{"Failed to set data for 'SoundMode'"});
    EXPECT_EQ(read_setting(retrying, Setting_SoundMode), 2);
    EXPECT_FALSE(read_setting(retrying, Setting_SplashScreen));

    // The next write that goes through carries both choices.
    store.set_refuse_writes(false);
    write_setting(retrying, Setting_CtrlrOverlay, true);
    EXPECT_EQ(stored("SoundMode"), "2");
    EXPECT_EQ(stored("SplashScreen"), "0");
}

TEST_F(StartScreenLogicTest, AnOutputThatCannotOpenIsToldOnceTheGameIsUpAndItPlaysSilently) {
    backend.output_opens = false;
    screen.FormCreate();
    screen.cb_soundChange(1);
    screen.btn_playClick();
    EXPECT_EQ(played(), "start_play ticked, splash pending");
    EXPECT_TRUE(screen.hidden_for_good());
    EXPECT_EQ(shell.errors, std::vector<std::string>{silent_output_text("Windows MultiMedia")});
    EXPECT_FALSE(shell.terminated);
    EXPECT_TRUE(sound.Snd_Enabled());  // the samples play on, into the silent output
}

// Whatever stops the unseen play action, the program does not run on with nothing on the
// screen: the start screen comes into view ready to play again, or to leave with Esc.
TEST_F(StartScreenLogicTest, AnUnseenPlayActionThatFailsBringsTheStartScreenIntoView) {
    set_stored("SoundMode", "2");
    set_stored("SplashScreen", "0");
    play.fails = true;
    EXPECT_THROW(screen.FormCreate(), PlatformError);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"refresh", "off screen", "centre"}));
    EXPECT_TRUE(view.shown.play_enabled);
    EXPECT_FALSE(screen.hidden_for_good());
    play.fails = false;
    screen.FormKeyDown(vk::Enter);
    EXPECT_EQ(played(), "start_play unticked");
    EXPECT_TRUE(screen.hidden_for_good());
}

TEST_F(StartScreenLogicTest, AnUnreadableChoiceIsToldWithTheWindowWholeAndPlayOnlyForADriver) {
    // No driver can be read: the texts show, the box as stored, play disabled.
    store.set_raw("SoundMode", StoredValue{false, ""});
    set_stored("SplashScreen", "0");
    try {
        screen.FormCreate();
        ADD_FAILURE() << "creation told no error";
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'SoundMode'");
    }
    EXPECT_EQ(view.calls, (std::vector<std::string>{"centre", "refresh"}));
    EXPECT_EQ(view.shown.game_title, Start_Game_Title);
    EXPECT_EQ(view.shown.sound_index, -1);
    EXPECT_FALSE(view.shown.splash_screen_checked);
    EXPECT_FALSE(view.shown.play_enabled);
    EXPECT_EQ(played(), "<none>");

    // A driver with an unreadable start-up choice: the box keeps its tick, so nothing plays
    // unseen; the driver is ready to play.
    MemoryStore own_store;
    own_store.set_raw("SoundMode", StoredValue{true, "1"});
    own_store.set_raw("SplashScreen", StoredValue{false, ""});
    RecordingView own_view;
    StartScreenLogic own{own_store, sound, shell, play, app_splash_pending, own_view};
    EXPECT_THROW(own.FormCreate(), StoreError);
    EXPECT_EQ(own_view.calls, (std::vector<std::string>{"centre", "refresh"}));
    EXPECT_EQ(own_view.shown.sound_index, 1);
    EXPECT_TRUE(own_view.shown.splash_screen_checked);
    EXPECT_TRUE(own_view.shown.play_enabled);
    EXPECT_EQ(played(), "<none>");
    EXPECT_TRUE(app_splash_pending);
}

TEST_F(StartScreenLogicTest, LinksOpenTheProjectsAddressesAndShowThemWithoutScheme) {
    screen.la_website_2Click();
    screen.la_email_2Click();
    screen.btn_paypalClick();
    ASSERT_EQ(shell.opened.size(), 3u);
    EXPECT_EQ(shell.opened[0], "address " + std::string(Website_Address));
    EXPECT_EQ(shell.opened[1], "address " + std::string(Email_Address));
    EXPECT_EQ(shell.opened[2], "address " + std::string(Donation_Address));
    EXPECT_TRUE(Website_Address.starts_with("https://"));
    EXPECT_TRUE(Website_Address.ends_with("/sim/"));
    EXPECT_TRUE(Email_Address.starts_with("mailto:"));

    EXPECT_EQ(shown_address("https://a.example.org/sim/"), "a.example.org/sim/");
    EXPECT_EQ(shown_address("http://a.example.org/"), "a.example.org/");
    EXPECT_EQ(shown_address("mailto:me@a.example.org"), "me@a.example.org");
    EXPECT_EQ(shown_address("a.example.org"), "a.example.org");
    EXPECT_TRUE(store.values().empty());
}

}  // namespace
}  // namespace fluffo
