// TManualForm on the offscreen platform over the generated manual and button pictures: the
// window as drawn, paging by keys (a held key included) and by clicks, repainting only what
// changed, the pressed look and a release away from the button, reopening on the same page in
// the same place, dragging by the page, a window too large to draw, and Esc closing the
// viewer only.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>

#include "app/qt/process/program.h"
#include "app/qt/widgets/TManualForm.h"
#include "support/fake_audio_backend.h"
#include "support/shell_recorder.h"

namespace fluffo {
namespace {

const QString Run_Dir = QStringLiteral(FLUFFO_RUN_DIR_PATH);

QImage picture_file(const QString& relative) {
    return QImage(Run_Dir + "/" + relative).convertToFormat(QImage::Format_RGB32);
}

// The areas the window repaints.
class PaintRecorder : public QObject {
public:
    QRegion painted;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return QObject::eventFilter(watched, event);
    }
};

struct TManualFormTest : ::testing::Test {
    ShellRecorder shell;
    DiskConfigFiles config;
    DiskPictureFiles pictures;
    std::unique_ptr<TManualForm> form;

    void SetUp() override {
        form = std::make_unique<TManualForm>(shell);
        const SkinSources sources{config, pictures, FLUFFO_RUN_DIR_PATH, FLUFFO_RUN_DIR_PATH};
        form->FormCreate(sources);
    }
    ManualScreen& screen() { return form->screen(); }
    int page() { return form->logic().Vid_Current_Page; }
    QRect rect_of(HolderId id) {
        const Rect& r = screen().model().at(id).bounds;
        return {r.left, r.top, r.width, r.height};
    }
    QPoint centre_of(HolderId id) { return rect_of(id).center(); }
    QImage drawn() { return form->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // The window shows this picture file at this place.
    bool shows(const QRect& place, const QString& file) {
        return drawn().copy(place) == picture_file(file);
    }
    // The page's own pixels, away from the frame and the buttons.
    bool shows_page(int n) {
        const QRect inside(20, 24, 235, 360);
        return drawn().copy(inside) ==
               picture_file(QStringLiteral("Graphics/Manual/%1.bmp").arg(n)).copy(inside);
    }
    void key_event(QEvent::Type type, Qt::Key key, bool auto_repeat) {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), auto_repeat);
        QApplication::sendEvent(form.get(), &event);
    }
    // A pointer event at a place on the screen.
    void mouse_event(QEvent::Type type, QPoint global, Qt::MouseButtons held,
                     Qt::MouseButton button = Qt::NoButton) {
        QMouseEvent event(type, form->mapFromGlobal(QPointF(global)), QPointF(global), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(form.get(), &event);
    }
};

TEST_F(TManualFormTest, TheWindowShowsThePageFramedWithItsButtonsAtTheEdges) {
    form->bring_up();
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form->size(), QSize(275, 415));
    EXPECT_EQ(form->geometry().center(), QGuiApplication::primaryScreen()->geometry().center());
    EXPECT_TRUE(shows_page(1));
    EXPECT_EQ(drawn().pixel(0, 200), qRgb(0, 0, 0));  // the page's one-pixel frame
    EXPECT_TRUE(shows(QRect(255, 4, 16, 14), "Graphics/Window/manual_close_up.bmp"));
    EXPECT_TRUE(shows(QRect(255, 397, 16, 14), "Graphics/Window/manual_right_up.bmp"));
    QTest::mouseMove(form.get(), QPoint(263, 11));
    EXPECT_EQ(form->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(form.get(), QPoint(137, 200));
    EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(shell.errors.empty());
}

TEST_F(TManualFormTest, KeysTurnOnTheirReleaseRepaintingOnlyWhatChanged) {
    form->bring_up();
    QCoreApplication::processEvents();
    PaintRecorder paints;
    form->installEventFilter(&paints);
    // Held down as the keyboard's gate hands it on (HeldKeyFilter): a press, presses marked
    // as repeats, then the release.
    key_event(QEvent::KeyPress, Qt::Key_Right, false);
    for (int i = 0; i < 3; ++i)
        key_event(QEvent::KeyPress, Qt::Key_Right, true);
    QCoreApplication::processEvents();
    EXPECT_EQ(page(), 1);
    EXPECT_EQ(paints.painted, QRegion(rect_of(screen().btn_right_up)));
    EXPECT_TRUE(shows(rect_of(screen().btn_right_up), "Graphics/Window/manual_right_down.bmp"));
    key_event(QEvent::KeyRelease, Qt::Key_Right, false);
    QCoreApplication::processEvents();
    EXPECT_EQ(page(), 2);
    EXPECT_EQ(paints.painted, QRegion(form->rect()));
    EXPECT_TRUE(shows_page(2));
    form->removeEventFilter(&paints);
    QTest::keyClick(form.get(), Qt::Key_Left);
    QTest::keyClick(form.get(), Qt::Key_Left);
    EXPECT_EQ(page(), 1);
}

TEST_F(TManualFormTest, ClicksTurnAndAReleaseAwayFromCloseStillClosesTheWindow) {
    form->bring_up();
    const QPoint next = centre_of(screen().btn_right_up);
    QTest::mouseClick(form.get(), Qt::LeftButton, {}, next);
    QTest::mouseClick(form.get(), Qt::RightButton, {}, next);
    EXPECT_EQ(page(), 2);
    EXPECT_TRUE(shows_page(2));

    const QRect close = rect_of(screen().btn_close_up);
    QTest::mousePress(form.get(), Qt::LeftButton, {}, close.center());
    EXPECT_TRUE(shows(close, "Graphics/Window/manual_close_down.bmp"));
    QTest::mouseRelease(form.get(), Qt::LeftButton, {}, QPoint(100, 300));
    EXPECT_FALSE(form->isVisible());
    form->bring_up();
    EXPECT_TRUE(shows_page(2));
    EXPECT_TRUE(shows(close, "Graphics/Window/manual_close_up.bmp"));
}

TEST_F(TManualFormTest, ThePageDragsTheWindowAndItReopensWhereItWasLeft) {
    form->bring_up();
    const QPoint start = form->pos();
    const QPoint pressed = form->mapToGlobal(QPoint(100, 150));
    mouse_event(QEvent::MouseButtonPress, pressed, Qt::LeftButton, Qt::LeftButton);
    mouse_event(QEvent::MouseMove, pressed + QPoint(30, -20), Qt::LeftButton);
    EXPECT_EQ(form->pos(), start + QPoint(30, -20));
    mouse_event(QEvent::MouseMove, pressed + QPoint(55, 12), Qt::LeftButton);
    mouse_event(QEvent::MouseButtonRelease, pressed + QPoint(55, 12), {}, Qt::LeftButton);
    EXPECT_EQ(form->pos(), start + QPoint(55, 12));

    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    form->bring_up();
    EXPECT_EQ(form->pos(), start + QPoint(55, 12));  // not centred again
}

TEST_F(TManualFormTest, AWindowTooLargeToDrawIsToldOnceAndStillTakesKeys) {
    QTemporaryDir folder;
    QFile ini(folder.filePath("Config.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Manual]\nManualWidth=9000\nManualHeight=9000\n");
    ini.close();
    const std::string dir = folder.path().toStdString();
    TManualForm large(shell);
    EXPECT_THROW(large.FormCreate(SkinSources{config, pictures, dir, dir}), FrameTooLarge);
    QTest::keyClick(&large, Qt::Key_Right);
    EXPECT_EQ(large.logic().Vid_Current_Page, 2);
    EXPECT_TRUE(shell.errors.empty());
}

TEST(ManualInProgramTest, EscClosesTheViewerOnly) {
    ShellRecorder shell;
    MemoryStore store;
    store.write_text("SoundMode", "2");
    store.write_text("SplashScreen", "0");
    store.write_text("FullscreenMode", "0");
    FakeBackend audio;
    Program program(ProgramPorts{shell, store, audio, FLUFFO_RUN_DIR_PATH});
    program.start();
    QCoreApplication::processEvents();
    ASSERT_TRUE(program.main_window().isVisible());

    program.main_window().enter([&] { program.main_logic().run_command(MenuCommand::Manual); });
    TManualForm& manual = program.manual();
    ASSERT_TRUE(manual.isVisible());
    EXPECT_TRUE(manual.windowFlags() & Qt::WindowStaysOnTopHint);
    QTest::keyClick(&manual, Qt::Key_Escape);
    EXPECT_FALSE(manual.isVisible());
    EXPECT_TRUE(program.main_window().isVisible());
    EXPECT_FALSE(shell.terminated);
    EXPECT_TRUE(shell.errors.empty());
}

}  // namespace
}  // namespace fluffo
