// TForm1 on the offscreen platform, over the generated skin: the shape cut by the colour key
// (and painted transparent) and recut as holders show over it or leave it,
// keys and clicks reaching the game, the fullscreen switch during a game, the in-game menu,
// the pop-up menu and errors shown and survived.
#include <gtest/gtest.h>

#include <QAction>
#include <QBitmap>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>
#include <QWindow>
#include <chrono>

#include "app/qt/widgets/TForm1.h"
#include "base/settings_values.h"
#include "support/fake_audio_backend.h"
#include "support/shell_recorder.h"
#include "support/window_recorder.h"

namespace fluffo {
namespace {

struct TForm1Test : ::testing::Test {
    ShellRecorder shell;
    WindowRecorder windows;
    MemoryStore store;
    FakeBackend audio;
    SoundSystem sound{audio};
    SettableClock clock{[] { return int64_t{0}; }};
    SeededRandom random{3};
    DiskConfigFiles config;
    DiskPictureFiles pictures;
    std::unique_ptr<TForm1> window;
    std::chrono::nanoseconds pump_time{0};  // the game timers' clock

    void create(bool fullscreen) {
        store.write_text("FullscreenMode", fullscreen ? "1" : "0");
        const SkinSources sources{config, pictures, FLUFFO_RUN_DIR_PATH, FLUFFO_RUN_DIR_PATH};
        window = std::make_unique<TForm1>(
            [&](MainWindowView& self) {
                return MainWindowPorts{self,  windows, shell,   store,  sound,
                                       clock, random,  sources, nullptr};
            },
            shell, [this] { return pump_time; });
        window->enter([&] { form().FormCreate(); });
        window->enter([&] { form().start_play(true); });
        ASSERT_TRUE(shell.errors.empty()) << shell.errors.front();
    }
    MainWindowLogic& form() { return window->logic(); }
    Mode mode() { return form().handheld().state.Gam_Mode; }
    void to_clock() {
        window->enter([&] { form().handheld().set_mode(Mode::Time); });
    }
    QPoint centre_of(const char* holder) {
        const Rect& r = form().screen().model().at(form().screen().model().require(holder)).bounds;
        return {r.left + r.width / 2, r.top + r.height / 2};
    }
    QRect centred_handheld() {
        const MainWindowView& w = form().window();
        return {(w.screen_width() - 440) / 2, (w.screen_height() - 664) / 2, 440, 664};
    }
    // Game keys are digits or letters here, whose Qt key is their code.
    Qt::Key key_of(Control control) {
        return Qt::Key(form().keys().Inp_Key_Bindings[control].virtual_key);
    }
};

TEST_F(TForm1Test, TheWindowedHandheldIsCutToItsShape) {
    create(false);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(440, 664));
    const QRegion shape = window->shape();
    ASSERT_FALSE(shape.isEmpty());
    EXPECT_FALSE(shape.contains(QPoint(0, 0)));  // a rounded corner on the key colour
    EXPECT_TRUE(shape.contains(centre_of("btn_time_top")));
    EXPECT_TRUE(shape.contains(QPoint(220, 150)));  // the screen
}

// The key colour is painted transparent, for a compositor to show the desktop there, and
// every pixel is painted again at a new size: after fullscreen and back no opaque pixel of
// the table top is left in the corner.
TEST_F(TForm1Test, TheKeyColourIsTransparentInEveryFrameOfTheWindowedHandheld) {
    create(false);
    // What the window paints over an opaque picture.
    const auto painted = [&] {
        QImage image(window->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::green);
        window->render(&image);
        return image;
    };
    const auto alpha_at = [&](QPoint p) { return qAlpha(painted().pixel(p)); };
    EXPECT_EQ(alpha_at(QPoint(0, 0)), 0);
    EXPECT_EQ(alpha_at(QPoint(220, 150)), 255);
    QTest::keyClick(window.get(), Qt::Key_F12);
    EXPECT_EQ(alpha_at(QPoint(0, 0)), 255);  // the table top covers the screen
    QTest::keyClick(window.get(), Qt::Key_F12);
    EXPECT_EQ(painted().size(), QSize(440, 664));
    EXPECT_EQ(alpha_at(QPoint(0, 0)), 0);
    EXPECT_EQ(alpha_at(QPoint(220, 150)), 255);
}

// A holder shown over the key-coloured outline is part of the shape, and cut away again once
// hidden: here the controller overlay's up arrow, placed in the corner and switched off.
TEST_F(TForm1Test, TheShapeFollowsWhatARepaintShowsOverTheKeyColour) {
    create(false);
    ScreenModel& model = form().screen().model();
    const HolderId arrow = model.require("btn_ctrlr_overlay_up");
    window->enter([&] { model.set_bounds(arrow, Rect{0, 0, 20, 20}); });
    ASSERT_TRUE(model.at(arrow).visible);
    EXPECT_TRUE(window->shape().contains(QPoint(1, 1)));
    window->enter([&] { form().pm_12_controllerClick(); });
    EXPECT_FALSE(model.at(arrow).visible);
    EXPECT_FALSE(window->shape().contains(QPoint(1, 1)));
    EXPECT_TRUE(window->shape().contains(QPoint(220, 150)));
}

TEST_F(TForm1Test, KeysAndClicksReachTheHandheld) {
    create(false);
    to_clock();
    QTest::keyPress(window.get(), key_of(Control::Game_A));
    EXPECT_EQ(mode(), Mode::Game_A_Intro);
    EXPECT_TRUE(form().handheld().state.Inp_Game_A_Held);
    // The intro's timer is pumped: the single shot is aimed.
    EXPECT_TRUE(form().scheduler().next_due().has_value());
    QTest::keyRelease(window.get(), key_of(Control::Game_A));
    EXPECT_FALSE(form().handheld().state.Inp_Game_A_Held);

    to_clock();
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, centre_of("btn_time_top"));
    EXPECT_EQ(mode(), Mode::Alarm);
    QTest::mouseClick(window.get(), Qt::RightButton, {}, centre_of("btn_time_top"));
    EXPECT_EQ(mode(), Mode::Alarm);

    // The click's place in the window counts, not the screen's, which Wayland keeps from the
    // program: here a screen position far from the window.
    to_clock();
    const QPointF time = centre_of("btn_time_top");
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, time, QPointF(5000, 5000), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
        QApplication::sendEvent(window.get(), &event);
    }
    EXPECT_EQ(mode(), Mode::Alarm);
}

TEST_F(TForm1Test, F12SwitchesTheDisplayWhileTheGameGoesOn) {
    create(false);
    to_clock();
    QTest::keyClick(window.get(), key_of(Control::Game_B));
    const Mode before = mode();
    QTest::keyClick(window.get(), Qt::Key_F12);
    EXPECT_TRUE(form().screen().Vid_Fullscreen);
    EXPECT_EQ(window->size(),
              QSize(form().window().screen_width(), form().window().screen_height()));
    EXPECT_TRUE(window->shape().isEmpty());
    EXPECT_EQ(mode(), before);
    EXPECT_EQ(store.read_value("FullscreenMode")->text, "1");
    QTest::keyClick(window.get(), Qt::Key_F12);
    EXPECT_EQ(window->size(), QSize(440, 664));
    EXPECT_FALSE(window->shape().isEmpty());
    // The window on the screen, not only the widget, left fullscreen: the handheld's size at
    // its place.
    EXPECT_FALSE(window->windowHandle()->windowStates().testFlag(Qt::WindowFullScreen));
    EXPECT_EQ(window->windowHandle()->geometry(), centred_handheld());
}

TEST_F(TForm1Test, AFullscreenStartSwitchedToWindowedIsTheHandheldAtTheCentre) {
    create(true);
    QTest::keyClick(window.get(), Qt::Key_F12);
    EXPECT_FALSE(form().screen().Vid_Fullscreen);
    EXPECT_EQ(window->geometry(), centred_handheld());
    EXPECT_FALSE(window->windowHandle()->windowStates().testFlag(Qt::WindowFullScreen));
    EXPECT_EQ(window->windowHandle()->geometry(), centred_handheld());
    EXPECT_FALSE(window->shape().isEmpty());
}

TEST_F(TForm1Test, AStoreErrorIsShownAndTheProgramGoesOn) {
    create(false);
    store.set_refuse_writes(true);
    QTest::keyClick(window.get(), Qt::Key_F12);
    ASSERT_EQ(shell.errors.size(), 1u);
    EXPECT_EQ(shell.errors[0], "Failed to set data for 'FullscreenMode'");
    EXPECT_TRUE(form().screen().Vid_Fullscreen);
    to_clock();
    QTest::keyClick(window.get(), key_of(Control::Game_A));
    EXPECT_EQ(mode(), Mode::Game_A_Intro);
}

TEST_F(TForm1Test, ATimerErrorOnTheWayToAnEventIsToldAndTheEventStillRuns) {
    create(false);
    // Game A ends with a raised high score that the store refuses, due before the next key.
    window->enter([&] {
        GameState& state = form().handheld().state;
        state.Gam_Mode = Mode::Game_A;
        state.Gam_Score = 50;
        state.Gam_Step = 2;
        form().scheduler().arm(TimerId::Timer_Game_Over, 100);
    });
    store.set_refuse_writes(true);
    pump_time = std::chrono::milliseconds(150);
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(shell.errors, std::vector<std::string>{"Failed to set data for 'HiScore1'"});
    EXPECT_EQ(mode(), Mode::Game_Over);
    EXPECT_EQ(windows.shown, std::vector<std::string>{"about"});

    // Later events still bring the timers up to date first.
    pump_time = std::chrono::milliseconds(150 + 30000);
    QTest::keyClick(window.get(), Qt::Key_F4);
    EXPECT_EQ(mode(), Mode::Time);
    EXPECT_EQ(shell.errors.size(), 1u);
}

TEST_F(TForm1Test, AWindowTooLargeToDrawIsToldOnceAndNotAtEveryEvent) {
    create(false);
    to_clock();
    window->enter([&] { window->set_client_width(110000); });  // 110000 x 664 pixels
    ASSERT_EQ(shell.errors.size(), 1u);
    EXPECT_NE(shell.errors[0].find("too large"), std::string::npos);
    // The clock ticks on and the keys still work; nothing is told again.
    pump_time = std::chrono::milliseconds(3000);
    window->enter([] {});
    QTest::keyClick(window.get(), key_of(Control::Time));
    EXPECT_EQ(mode(), Mode::Alarm);
    EXPECT_EQ(shell.errors.size(), 1u);

    // A size it can take draws again; asked for too much once more, it is told once more.
    window->enter([&] { window->set_client_width(440); });
    EXPECT_EQ(shell.errors.size(), 1u);
    window->enter([&] { window->set_client_width(110000); });
    EXPECT_EQ(shell.errors.size(), 2u);
    window->enter([&] { window->set_client_width(440); });
}

TEST_F(TForm1Test, TheInGameMenuUnfoldsPaintsAndFoldsUp) {
    create(true);
    const QImage closed = window->grab().toImage();
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_EQ(form().game_menu().rows().size(), 14u);
    const QImage open = window->grab().toImage();
    // The panel darkens what lay beneath it; the rows carry white text.
    const QPoint in_panel(200, 32 * 3 + 16);
    EXPECT_LT(qGray(open.pixel(in_panel)), qGray(closed.pixel(in_panel)) + 1);
    bool white = false;
    for (int x = 0; x < 200 && !white; ++x)
        white = open.pixelColor(x, 32 + 16).lightness() > 200;
    EXPECT_TRUE(white);

    QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(40, 32 * 7 + 16));  // Key settings
    EXPECT_EQ(windows.shown, std::vector<std::string>{"keys"});
    EXPECT_TRUE(form().game_menu().rows().empty());
}

TEST_F(TForm1Test, TheRightButtonOpensThePopUpMenuWithItsMarks) {
    create(false);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20),
                            window->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(window.get(), &event);
    auto* menu = window->findChild<QMenu*>("pm_0_menu");
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 15);
    EXPECT_EQ(actions[0]->text(), "About...");
    EXPECT_EQ(menu->defaultAction(), actions[0]);
    EXPECT_EQ(actions[9]->shortcut().toString(), "F12");
    EXPECT_EQ(actions[14]->shortcut().toString(), "Esc");
    EXPECT_TRUE(actions[4]->isSeparator());
    EXPECT_FALSE(actions[9]->isChecked());  // windowed
    EXPECT_TRUE(actions[12]->isChecked());  // overlays on by default
    actions[7]->trigger();                  // Reset Hiscores
    EXPECT_EQ(shell.beeps, 1);
    menu->hide();

    // After the fullscreen entry, the sizes, the one in use checked. The 800 x 600 screen
    // has no room for more than 100 %: 150 % is stored as chosen, 100 % stays in use.
    ASSERT_EQ(actions[10]->text(), "Size");
    QMenu* sizes = actions[10]->menu();
    ASSERT_NE(sizes, nullptr);
    const QList<QAction*> steps = sizes->actions();
    ASSERT_EQ(steps.size(), 9);
    EXPECT_EQ(steps[0]->text(), "100 %");
    EXPECT_EQ(steps[8]->text(), "400 %");
    EXPECT_TRUE(steps[0]->isChecked());
    steps[2]->trigger();
    EXPECT_EQ(form().chosen_zoom(), 150);
    EXPECT_EQ(form().zoom(), 100);
    QApplication::sendEvent(window.get(), &event);
    EXPECT_TRUE(steps[0]->isChecked());
    EXPECT_FALSE(steps[2]->isChecked());
    menu->hide();
}

TEST_F(TForm1Test, APopUpMenuDuringALeftPressStillReleasesTheButton) {
    create(false);
    to_clock();
    const QPoint time = centre_of("btn_time_top");
    // Through the window system, which hands a pop-up menu every mouse event while it is open.
    QWindow* native = window->windowHandle();
    QTest::mousePress(native, Qt::LeftButton, {}, time);
    ASSERT_TRUE(form().handheld().state.Inp_Time_Held);
    QTest::mousePress(native, Qt::RightButton, {}, time);
    QContextMenuEvent event(QContextMenuEvent::Mouse, time, window->mapToGlobal(time));
    QApplication::sendEvent(window.get(), &event);
    auto* menu = window->findChild<QMenu*>("pm_0_menu");
    ASSERT_TRUE(menu->isVisible());
    QTest::mouseRelease(native, Qt::LeftButton, {}, time);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(form().handheld().state.Inp_Time_Held);
    EXPECT_FALSE(form().screen().is_shown(form().screen().named().btn_time_down));
    menu->hide();
}

TEST_F(TForm1Test, HoverShowsTheBindingsHintAndThePointerShape) {
    create(false);
    const QPoint button = centre_of("btn_game_a_top");
    QTest::mouseMove(window.get(), button);
    EXPECT_EQ(window->cursor().shape(), Qt::PointingHandCursor);
    QHelpEvent help(QEvent::ToolTip, button, window->mapToGlobal(button));
    QApplication::sendEvent(window.get(), &help);
    EXPECT_EQ(QToolTip::text(), "click or press '1' to start game A");
    QTest::mouseMove(window.get(), centre_of("btn_set_top"));
    EXPECT_EQ(window->cursor().shape(), Qt::WhatsThisCursor);
    QTest::mouseMove(window.get(), QPoint(60, 600));  // the case: drags, no hint
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
    QToolTip::hideText();
}

TEST_F(TForm1Test, TheProgramsTitleIsThisWindowsCaptionOnly) {
    create(false);
    EXPECT_EQ(window->windowTitle().toStdString(), App_Title);
    // Not the application's display name: the window system would add it to every caption,
    // the start screen's "About this game..." included.
    EXPECT_NE(QGuiApplication::applicationDisplayName().toStdString(), App_Title);
}

TEST_F(TForm1Test, EscEndsTheProgram) {
    create(false);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(shell.terminated);
}

}  // namespace
}  // namespace fluffo
