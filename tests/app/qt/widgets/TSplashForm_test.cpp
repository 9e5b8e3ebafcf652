// The start screen's window over the generated pictures: where every control sits, its texts
// and type, the play button pair, keys while the driver box has the focus, clicks on links
// and buttons, the automatic path that never shows the window, and store errors.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/qt/widgets/TSplashForm.h"
#include "support/fake_audio_backend.h"
#include "support/shell_recorder.h"

namespace fluffo {
namespace {

struct RecordingPlayTarget : PlayTarget {
    std::vector<bool> started;  // the check box state of each call
    bool fails = false;         // the main window cannot come up
    void start_play(bool splash_screen_checked) override {
        if (fails) throw PlatformError("the handheld cannot be shown");
        started.push_back(splash_screen_checked);
    }
};

struct TSplashFormTest : ::testing::Test {
    MemoryStore store;
    FakeBackend backend;
    SoundSystem sound{backend};
    ShellRecorder shell;
    RecordingPlayTarget play;
    bool app_splash_pending = true;
    std::unique_ptr<TSplashForm> form;

    void create(const std::string& folder = FLUFFO_RUN_DIR_PATH "/Graphics/Window/") {
        form = std::make_unique<TSplashForm>(store, sound, shell, play, app_splash_pending, folder);
    }
    void set_stored(const std::string& name, const std::string& text) {
        store.set_raw(name, StoredValue{true, text});
    }
    std::string stored(const std::string& name) {
        const auto value = store.read_value(name);
        return value ? value->text : "<none>";
    }
    template <typename W = QLabel>
    W* child(const char* name) {
        W* widget = form->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QComboBox* driver_box() { return child<QComboBox>("cb_sound"); }
    // Visible once the window is: not hidden itself.
    bool shown(const char* name) { return child<QWidget>(name)->isVisibleTo(form.get()); }
    void activate() {
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
};

TEST_F(TSplashFormTest, TheWindowAndEveryControlSitWhereDesigned) {
    create();
    EXPECT_EQ(form->windowTitle(), "About this game...");
    EXPECT_EQ(form->minimumSize(), QSize(460, 420));
    EXPECT_EQ(form->maximumSize(), QSize(460, 420));
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint));
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(Qt::white));

    // Each control stands in its place of the layout, and a click at its middle reaches it
    // and no other; of the play button's two looks only the one shown (the greyed one, with no
    // driver chosen) takes it.
    for (const StartScreenPlace& place : Start_Screen_Layout) {
        const std::string name(place.name);
        SCOPED_TRACE(name);
        QWidget* control = child<QWidget>(name.c_str());
        const Rect& b = place.bounds;
        EXPECT_EQ(control->geometry(), QRect(b.left, b.top, b.width, b.height));
        if (name == "im_background" || !control->isVisibleTo(form.get())) continue;
        const QWidget* hit = form->childAt(control->geometry().center());
        EXPECT_TRUE(hit == control || control->isAncestorOf(hit))
            << (hit ? hit->objectName().toStdString() : "nothing");
    }
    EXPECT_FALSE(shown("btn_play"));

    // The pictures are the generated ones; the background lies beneath everything else.
    EXPECT_EQ(child("im_background")->pixmap().size(), QSize(460, 420));
    EXPECT_EQ(form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).first()->objectName(),
              "im_background");
    const QLabel* box = child("im_box_picture");
    EXPECT_EQ(box->pixmap().size(), QSize(148, 160));
    EXPECT_TRUE(box->pixmap().hasAlphaChannel());
    EXPECT_TRUE(box->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(box->alignment() & Qt::AlignVCenter);
    for (const char* button : {"btn_play", "btn_play_disabled", "btn_paypal"}) {
        const QImage image = child(button)->pixmap().toImage();
        EXPECT_EQ(image.size(), QSize(107, 30)) << button;
        // Drawn transparent: the rounded corner shows the window through.
        EXPECT_EQ(qAlpha(image.pixel(0, 29)), 0) << button;
        EXPECT_EQ(qAlpha(image.pixel(53, 15)), 255) << button;
    }
    EXPECT_TRUE(shell.errors.empty());
}

TEST_F(TSplashFormTest, TextsTypeAndColoursAndEveryTextFitsItsPlace) {
    create();
    EXPECT_EQ(child("la_game_title")->text(), "Fluffo Brambo (Zentrix, Gleeplay) Simulator");
    EXPECT_EQ(child("la_version")->text(), "Version 5.00 * Final *");
    EXPECT_TRUE(child("la_release_date")->text().contains("4th December 2017"));
    EXPECT_EQ(child("la_website_1")->text(), "website:");
    EXPECT_EQ(child("la_website_2")->text(), "fluffo-brambo.example/sim/");
    EXPECT_EQ(child("la_email_1")->text(), "email:");
    EXPECT_EQ(child("la_email_2")->text(), "sim@fluffo-brambo.example");
    EXPECT_EQ(child("la_sound_select")->text(), "Select sound driver:");

    for (const char* name : {"la_game_title", "la_version", "la_release_date"}) {
        const QFont font = child(name)->font();
        EXPECT_EQ(font.family(), "Arial") << name;
        EXPECT_EQ(font.pixelSize(), 12) << name;
        EXPECT_EQ(font.bold(), std::string(name) != "la_release_date") << name;
        EXPECT_TRUE(child(name)->alignment() & Qt::AlignHCenter) << name;
    }
    EXPECT_EQ(child("la_game_title")->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_FALSE(child("la_game_title")->autoFillBackground());
    EXPECT_EQ(child("la_release_date")->palette().color(QPalette::WindowText), QColor(Qt::black));
    for (const char* name : {"la_website_2", "la_email_2"}) {
        const QLabel* link = child(name);
        EXPECT_TRUE(link->font().bold() && link->font().underline()) << name;
        EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0x18, 0x52, 0x94)) << name;
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor) << name;
    }
    // "Arial" is found: its metric twin stands in for it on this system.
    EXPECT_EQ(QFontInfo(child("la_website_1")->font()).family(), "Liberation Sans");

    const QComboBox* box = driver_box();
    ASSERT_EQ(box->count(), 3);
    EXPECT_EQ(box->itemText(0), "Microsoft DirectSound");
    EXPECT_EQ(box->itemText(1), "Windows MultiMedia");
    EXPECT_EQ(box->itemText(2), "(no sound)");
    EXPECT_FALSE(box->isEditable());
    EXPECT_EQ(box->maxVisibleItems(), 3);
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(Qt::white));
    // First in the tab order, before the check box; nothing else takes the keyboard.
    std::vector<QString> tab_order;
    for (QWidget* w = form->nextInFocusChain(); w != form.get(); w = w->nextInFocusChain()) {
        if (w->parentWidget() == form.get() && (w->focusPolicy() & Qt::TabFocus))
            tab_order.push_back(w->objectName());
    }
    EXPECT_EQ(tab_order, (std::vector<QString>{"cb_sound", "chb_splashscreen"}));

    const auto* check = child<QCheckBox>("chb_splashscreen");
    EXPECT_EQ(check->text(), "Display this splash screen at startup");
    EXPECT_EQ(check->palette().color(QPalette::Window), QColor(0x08, 0x29, 0x52));
    EXPECT_EQ(check->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_TRUE(check->autoFillBackground());

    const QLabel* disabled = child("btn_play_disabled");
    EXPECT_EQ(disabled->toolTip(), "please select sound driver first");
    EXPECT_EQ(disabled->cursor().shape(), Qt::WhatsThisCursor);
    EXPECT_EQ(child("btn_play")->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(child("btn_paypal")->cursor().shape(), Qt::PointingHandCursor);

    // Nothing a player reads is cut off.
    for (const char* name : {"la_game_title", "la_version", "la_release_date", "la_website_1",
                             "la_website_2", "la_email_1", "la_email_2", "la_sound_select"}) {
        const QLabel* label = child(name);
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width()) << name;
        EXPECT_LE(metrics.height(), label->height() + 1) << name;
    }
}

// Light pixels of a strip of the painted window, and whether its ground is dark.
int light_pixels(const QImage& image, QRect strip) {
    int count = 0;
    for (int y = strip.top(); y <= strip.bottom(); ++y) {
        for (int x = strip.left(); x <= strip.right(); ++x)
            count += qGray(image.pixel(x, y)) > 200 ? 1 : 0;
    }
    return count;
}

TEST_F(TSplashFormTest, WhiteWritingLiesOnDarkGroundWhereItIsPainted) {
    create();
    const QImage painted = form->grab().toImage();
    ASSERT_EQ(painted.size(), QSize(460, 420));
    // The title lines on the generated background's dark band, at their ends and between.
    for (QRect strip : {QRect(0, 12, 460, 15), QRect(0, 28, 460, 15)}) {
        EXPECT_GT(light_pixels(painted, strip), 100);
        EXPECT_LT(qGray(painted.pixel(4, strip.center().y())), 90);
    }
    // The check box paints its own navy ground, under its white text, to its right end.
    EXPECT_EQ(QColor(painted.pixel(440, 399)), QColor(0x08, 0x29, 0x52));
    EXPECT_GT(light_pixels(painted, QRect(40, 391, 200, 17)), 100);
}

TEST_F(TSplashFormTest, ThePlayButtonPairFlipsWhenTheArrowKeysChooseADriver) {
    create();
    ASSERT_TRUE(form->isVisible());
    activate();
    QComboBox* box = driver_box();
    EXPECT_EQ(QApplication::focusWidget(), box);
    // Each activation gives the driver box the keys, wherever the focus was left.
    child<QCheckBox>("chb_splashscreen")->setFocus();
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    activate();
    EXPECT_EQ(QApplication::focusWidget(), box);
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_FALSE(shown("btn_play"));
    EXPECT_FALSE(child("btn_play")->isEnabled());
    EXPECT_TRUE(shown("btn_play_disabled"));

    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_TRUE(shown("btn_play"));
    EXPECT_TRUE(child("btn_play")->isEnabled());
    EXPECT_FALSE(shown("btn_play_disabled"));
    EXPECT_TRUE(play.started.empty());
}

TEST_F(TSplashFormTest, EnterAnd1DoNothingUntilADriverIsChosenThen1Plays) {
    create();
    activate();
    QComboBox* box = driver_box();
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_1);
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(play.started.empty());
    EXPECT_TRUE(store.values().empty());

    box->setCurrentIndex(2);  // as a choice from the open list
    EXPECT_TRUE(shown("btn_play"));
    // The keypad's 1 is not the digit row's.
    QTest::keyClick(box, Qt::Key_1, Qt::KeypadModifier);
    EXPECT_TRUE(play.started.empty());

    QTest::keyClick(box, Qt::Key_1);
    EXPECT_EQ(stored("SoundMode"), "2");
    EXPECT_EQ(stored("SplashScreen"), "1");
    EXPECT_EQ(play.started, std::vector<bool>{true});
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(backend.calls.empty());
}

TEST_F(TSplashFormTest, TheOpenListKeepsItsKeysEnterChoosesEscClosesThenEscEnds) {
    create();
    activate();
    QComboBox* box = driver_box();
    box->showPopup();
    QAbstractItemView* list = box->view();
    ASSERT_TRUE(list->isVisible());
    QTest::keyClick(list, Qt::Key_Down);
    const int highlighted = list->currentIndex().row();
    ASSERT_GE(highlighted, 0);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(box->currentIndex(), highlighted);
    EXPECT_TRUE(shown("btn_play"));
    EXPECT_TRUE(play.started.empty());
    // Esc closes the open list; on the closed box it ends the program with nothing stored.
    box->showPopup();
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(shell.terminated);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_TRUE(shell.terminated);
    EXPECT_TRUE(store.values().empty());
    EXPECT_TRUE(play.started.empty());
}

TEST_F(TSplashFormTest, UntickingTheBoxThenEnterStoresTheScreenSwitchedOff) {
    set_stored("SoundMode", "1");
    create();
    activate();
    EXPECT_EQ(driver_box()->currentIndex(), 1);
    EXPECT_TRUE(shown("btn_play"));
    auto* check = child<QCheckBox>("chb_splashscreen");
    ASSERT_TRUE(check->isChecked());
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, 8));
    ASSERT_FALSE(check->isChecked());

    QTest::keyClick(driver_box(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(stored("SoundMode"), "1");
    EXPECT_EQ(stored("SplashScreen"), "0");
    EXPECT_EQ(play.started, std::vector<bool>{false});
    ASSERT_FALSE(backend.calls.empty());
    EXPECT_EQ(backend.calls.front(), "open MultiMedia 22050 64");
}

TEST_F(TSplashFormTest, ClicksOnTheLinksAndButtonsReachTheShellAndThePlayAction) {
    create();
    QTest::mouseClick(child("la_website_2"), Qt::LeftButton);
    QTest::mouseClick(child("la_email_2"), Qt::LeftButton);
    QTest::mouseClick(child("btn_paypal"), Qt::LeftButton);
    EXPECT_EQ(shell.opened,
              (std::vector<std::string>{"address https://fluffo-brambo.example/sim/",
                                        "address mailto:sim@fluffo-brambo.example",
                                        "address https://fluffo-brambo.example/sim/donate.html"}));
    // A press on one link and a release on another is no click; nor is the right button.
    QTest::mousePress(child("la_website_2"), Qt::LeftButton);
    QTest::mouseRelease(child("la_email_2"), Qt::LeftButton);
    QTest::mouseClick(child("la_website_2"), Qt::RightButton);
    EXPECT_EQ(shell.opened.size(), 3u);

    // The greyed button has no click; the real one plays.
    QTest::mouseClick(child("btn_play_disabled"), Qt::LeftButton);
    EXPECT_TRUE(play.started.empty());
    driver_box()->setCurrentIndex(2);
    QTest::mouseClick(child("btn_play"), Qt::LeftButton);
    EXPECT_EQ(play.started, std::vector<bool>{true});
    EXPECT_FALSE(form->isVisible());
}

TEST_F(TSplashFormTest, TheAutomaticPathPlaysWithoutEverShowingTheWindow) {
    set_stored("SoundMode", "2");
    set_stored("SplashScreen", "0");
    create();
    EXPECT_EQ(play.started, std::vector<bool>{false});
    EXPECT_FALSE(app_splash_pending);
    EXPECT_FALSE(form->isVisible());
    // Never shown: no window was ever made for it, and it waits out of every screen.
    EXPECT_EQ(form->windowHandle(), nullptr);
    EXPECT_EQ(form->pos(), QPoint(-460, -420));
}

// An unseen start that fails leaves the start screen in view, not a program with nothing on
// the screen; the window system's close request there ends the program like Esc.
TEST_F(TSplashFormTest, AFailedUnseenStartShowsTheScreenWhoseCloseRequestEndsTheProgram) {
    set_stored("SoundMode", "2");
    set_stored("SplashScreen", "0");
    play.fails = true;
    create();
    ASSERT_EQ(shell.errors, std::vector<std::string>{"the handheld cannot be shown"});
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->screen()->availableGeometry().contains(form->frameGeometry()));
    EXPECT_TRUE(shown("btn_play"));
    EXPECT_FALSE(shell.terminated);

    EXPECT_FALSE(form->close());  // it stays up until the program ends
    EXPECT_TRUE(shell.terminated);
    EXPECT_TRUE(play.started.empty());
}

TEST_F(TSplashFormTest, TheShownScreenIsCentredAndKeepsTheStoredUntickedBox) {
    set_stored("SoundMode", "-1");
    set_stored("SplashScreen", "0");
    create();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(child<QCheckBox>("chb_splashscreen")->isChecked());
    EXPECT_TRUE(shown("btn_play_disabled"));
    EXPECT_TRUE(app_splash_pending);
    // Centred before the window has its frame, which may then add its margins.
    const QRect area = form->screen()->availableGeometry();
    const QRect frame = form->frameGeometry();
    const QPoint off = frame.center() - area.center();
    EXPECT_LE(std::abs(off.x()), (frame.width() - form->width()) / 2 + 1);
    EXPECT_LE(std::abs(off.y()), (frame.height() - form->height()) / 2 + 1);
    EXPECT_GT(area.width(), 460);  // else the check says nothing
}

TEST_F(TSplashFormTest, ARefusedStoreWriteIsToldAndLeavesTheScreenUp) {
    create();
    driver_box()->setCurrentIndex(0);
    store.set_refuse_writes(true);
    QTest::keyClick(driver_box(), Qt::Key_Return);
    ASSERT_EQ(shell.errors.size(), 1u);
    EXPECT_NE(shell.errors[0].find("SoundMode"), std::string::npos);
    EXPECT_TRUE(play.started.empty());
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(shell.terminated);
}

TEST_F(TSplashFormTest, AnUnreadableDriverChoiceIsToldOverAWholeScreenThatWaitsForADriver) {
    store.set_raw("SoundMode", StoredValue{false, ""});
    create();
    ASSERT_EQ(shell.errors.size(), 1u);
    EXPECT_EQ(shell.errors[0], "Invalid data type for 'SoundMode'");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(child("la_game_title")->text().toStdString(), Start_Game_Title);
    EXPECT_TRUE(shown("btn_play_disabled"));
    EXPECT_FALSE(shown("btn_play"));
    QTest::mouseClick(child("btn_play"), Qt::LeftButton);
    EXPECT_TRUE(play.started.empty());
    EXPECT_EQ(stored("SplashScreen"), "<none>");
}

TEST_F(TSplashFormTest, MissingPicturesLeaveTheirPlacesEmptyAndTheScreenWorks) {
    create("/nonexistent/Graphics/Window/");
    for (const char* name : {"im_background", "im_box_picture", "btn_play", "btn_paypal"})
        EXPECT_TRUE(child(name)->pixmap().isNull()) << name;
    EXPECT_TRUE(shell.errors.empty());
    driver_box()->setCurrentIndex(2);
    QTest::keyClick(driver_box(), Qt::Key_Return);
    EXPECT_EQ(play.started, std::vector<bool>{true});
}

}  // namespace
}  // namespace fluffo
