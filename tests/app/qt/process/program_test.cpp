// The whole program's start-up with a settings file in a temporary folder: the first start
// through the start screen, leaving it with Esc, the automatic start, a stored choice that is
// no driver, a missing Config.ini, the key settings window over the disabled handheld (which
// keeps the keyboard when the handheld is clicked), and the close request from the system.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include "app/qt/process/program.h"
#include "app/qt/store/qsettings_store.h"
#include "support/fake_audio_backend.h"
#include "support/shell_recorder.h"

namespace fluffo {
namespace {

struct ProgramTest : ::testing::Test {
    QTemporaryDir folder;
    std::unique_ptr<QSettingsStore> store;
    ShellRecorder shell;
    FakeBackend audio;
    std::unique_ptr<Program> program;

    ProgramTest() {
        store = std::make_unique<QSettingsStore>(folder.filePath("FluffoB50.ini"),
                                                 QSettings::IniFormat);
    }
    void start(const std::string& data_dir = FLUFFO_RUN_DIR_PATH) {
        program = std::make_unique<Program>(ProgramPorts{shell, *store, audio, data_dir});
        program->start();
        QCoreApplication::processEvents();
    }
    std::string stored(const std::string& name) {
        const auto v = store->read_value(name);
        return v ? v->text : "<none>";
    }
    QWidget& splash() { return program->start_screen(); }
};

TEST_F(ProgramTest, TheFirstStartAsksForADriverAndStoresOnlyTheKeys) {
    start();
    EXPECT_TRUE(splash().isVisible());
    EXPECT_FALSE(program->main_window().isVisible());
    EXPECT_EQ(stored("Key1"), "2");
    EXPECT_EQ(stored("Key7"), "38");
    for (const char* name : {"SoundMode", "SplashScreen", "FullscreenMode", "CtrlrOverlay"})
        EXPECT_EQ(stored(name), "<none>") << name;

    // Esc leaves at once; nothing more is stored and the handheld was never seen.
    QTest::keyClick(&splash(), Qt::Key_Escape);
    EXPECT_TRUE(shell.terminated);
    EXPECT_EQ(stored("SoundMode"), "<none>");
    EXPECT_FALSE(program->main_window().isVisible());
}

TEST_F(ProgramTest, PlayingWithoutSoundBringsTheHandheldUpWithEverySegmentLit) {
    start();
    splash().findChild<QComboBox*>("cb_sound")->setCurrentIndex(2);
    QTest::keyClick(&splash(), Qt::Key_1);
    EXPECT_FALSE(splash().isVisible());
    EXPECT_TRUE(program->main_window().isVisible());
    // Its first picture is already the lit screen: drawing it again changes nothing.
    const QImage first = program->main_window().grab().toImage();
    program->main_window().enter([] {});
    EXPECT_TRUE(program->main_window().grab().toImage() == first);
    EXPECT_EQ(program->main_logic().handheld().state.Gam_Mode, Mode::All_On);
    EXPECT_EQ(stored("SoundMode"), "2");
    EXPECT_EQ(stored("SplashScreen"), "1");
    EXPECT_TRUE(program->main_logic().checked(10));
    EXPECT_TRUE(shell.errors.empty());
}

TEST_F(ProgramTest, AStoredDriverWithoutStartScreenOpensTheHandheldDirectly) {
    store->write_text("SoundMode", "2");
    store->write_text("SplashScreen", "0");
    store->write_text("FullscreenMode", "0");
    start();
    EXPECT_TRUE(program->main_window().isVisible());
    EXPECT_FALSE(splash().isVisible());
    EXPECT_FALSE(program->main_logic().App_Splash_Pending);
    EXPECT_EQ(program->main_logic().handheld().state.Gam_Mode, Mode::All_On);
    // Centred on the screen, in windowed mode.
    const MainWindowView& w = program->main_window();
    EXPECT_EQ(w.left(), (w.screen_width() - 440) / 2);
    // Activating the main window later never brings the start screen up.
    program->main_logic().FormActivate();
    EXPECT_FALSE(splash().isVisible());
}

TEST_F(ProgramTest, AStoredChoiceThatIsNoDriverShowsTheStartScreenAnyway) {
    store->write_text("SoundMode", "-1");
    store->write_text("SplashScreen", "0");
    start();
    EXPECT_TRUE(splash().isVisible());
    EXPECT_FALSE(splash().findChild<QCheckBox*>("chb_splashscreen")->isChecked());
    EXPECT_FALSE(program->main_window().isVisible());
}

TEST_F(ProgramTest, AMissingConfigFileIsToldAndEndsTheProgramAfterCreation) {
    QTemporaryDir empty;
    start(empty.path().toStdString());
    ASSERT_EQ(shell.errors.size(), 1u);
    EXPECT_EQ(shell.errors[0],
              "Configuration file (Config.ini) not found. Please reinstall the game.");
    EXPECT_TRUE(shell.terminated);
    // The remaining creation steps and windows still ran.
    EXPECT_EQ(stored("Key3"), "4");
    EXPECT_TRUE(splash().isVisible());
}

TEST_F(ProgramTest, TheKeySettingsWindowTakesInputOverTheDisabledHandheldAndStoresTheKeys) {
    store->write_text("SoundMode", "2");
    store->write_text("SplashScreen", "0");
    store->write_text("FullscreenMode", "0");
    start();
    TForm1& handheld = program->main_window();
    handheld.enter([this] { program->main_logic().run_command(MenuCommand::Keys); });
    QWidget& keys = program->keys();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&keys));
    EXPECT_FALSE(handheld.isEnabled());
    EXPECT_TRUE(keys.isEnabled());
    EXPECT_EQ(keys.windowHandle()->transientParent(), handheld.windowHandle());

    // The window system activates the disabled handheld when it is clicked: the key settings
    // take the keyboard back at once, the focus where it was.
    auto* time = keys.findChild<QComboBox*>("cb_3");
    ASSERT_TRUE(QTest::qWaitFor([&] { return keys.isActiveWindow(); }));
    time->setFocus();
    handheld.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&handheld));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == time; }));
    EXPECT_TRUE(keys.isActiveWindow());

    // Time on the space bar, accepted with Enter: stored, in force, and named in the hint.
    QTest::keyClick(time, Qt::Key_End);
    EXPECT_EQ(time->currentText(), "<SPACEBAR>");
    QTest::keyClick(time, Qt::Key_Return);
    EXPECT_FALSE(keys.isVisible());
    EXPECT_TRUE(handheld.isEnabled());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&handheld));
    EXPECT_EQ(stored("Key3"), "44");
    EXPECT_EQ(program->main_logic().keys().binding_for_key(32), Control::Time);
    const ScreenModel& model = program->main_logic().screen().model();
    EXPECT_EQ(model.at(model.require("btn_time_top")).hint,
              "click or press 'spacebar' to switch mode");
    EXPECT_TRUE(shell.errors.empty());
}

TEST_F(ProgramTest, ACloseRequestFromTheSystemReleasesTheSound) {
    store->write_text("SoundMode", "2");
    store->write_text("SplashScreen", "0");
    start();
    audio.calls.clear();
    program->main_window().close();
    ASSERT_EQ(audio.calls.size(), 10u);
    EXPECT_EQ(audio.calls.back(), "close");
}

}  // namespace
}  // namespace fluffo
