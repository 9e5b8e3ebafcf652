// The keyboard's gate on the offscreen platform: key events sent to the program's windows as
// the window system sends them (to the window, with its key codes and times), and what the
// widgets then see of a held key; the manual viewer, whose page turns on a key's release.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <memory>
#include <string>
#include <vector>

#include "app/qt/keyboard/held_key_filter.h"
#include "app/qt/widgets/TManualForm.h"
#include "support/shell_recorder.h"

namespace fluffo {
namespace {

constexpr quint32 Esc_Code = 9;  // the X key codes of Esc and the Right arrow
constexpr quint32 Right_Code = 114;

// A window that notes the key events it is given; Esc hides it, as the about window does.
class KeyRecorder : public QWidget {
public:
    explicit KeyRecorder(bool esc_hides) : m_esc_hides(esc_hides) {
        resize(80, 60);
        show();
    }
    std::vector<std::string> seen;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        seen.push_back(e->isAutoRepeat() ? "repeat" : "press");
        if (m_esc_hides && e->key() == Qt::Key_Escape) hide();
    }
    void keyReleaseEvent(QKeyEvent* e) override {
        seen.push_back(e->isAutoRepeat() ? "repeat release" : "release");
    }

private:
    bool m_esc_hides;
};

// A key event as the window system sends it: to the window, at its time.
void send(QWidget& to, QEvent::Type type, Qt::Key key, quint32 code, ulong time_ms,
          bool marked_repeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, code, 0, 0, QString(), marked_repeat);
    event.setTimestamp(time_ms);
    QCoreApplication::sendEvent(to.windowHandle(), &event);
}

// Esc held in a window it closes: the window that gets the keyboard sees nothing of it, with
// repeats sent as presses alone or as release and press pairs, marked or not.
TEST(HeldKeyFilter, AKeyHeldWhileItsWindowClosesDoesNothingInTheNext) {
    for (const bool paired : {false, true}) {
        HeldKeyFilter filter({.releases_may_pair = paired, .key_is_down = {}, .settle_ms = 0});
        KeyRecorder next(false);
        KeyRecorder closing(true);
        send(closing, QEvent::KeyPress, Qt::Key_Escape, Esc_Code, 1000);
        ASSERT_FALSE(closing.isVisible());
        for (ulong t = 1660; t < 3000; t += 40) {
            if (paired) send(next, QEvent::KeyRelease, Qt::Key_Escape, Esc_Code, t, t % 80 == 0);
            send(next, QEvent::KeyPress, Qt::Key_Escape, Esc_Code, t, paired && t % 80 == 0);
        }
        send(next, QEvent::KeyRelease, Qt::Key_Escape, Esc_Code, 3010);
        ASSERT_TRUE(QTest::qWaitFor([&] { return closing.seen.size() == 2; }, 1000)) << paired;
        EXPECT_TRUE(next.seen.empty()) << paired;
        EXPECT_EQ(closing.seen, (std::vector<std::string>{"press", "release"})) << paired;

        // Released, the key is the next window's like any other.
        send(next, QEvent::KeyPress, Qt::Key_Escape, Esc_Code, 4000);
        send(next, QEvent::KeyRelease, Qt::Key_Escape, Esc_Code, 4100);
        send(next, QEvent::KeyPress, Qt::Key_Escape, Esc_Code, 4200);  // settles that release
        EXPECT_EQ(next.seen, (std::vector<std::string>{"press", "release", "press"})) << paired;
    }
}

// Where releases may pair, one whose press has not come yet waits while its key is still down.
TEST(HeldKeyFilter, AReleaseWaitsForItsPairWhileTheKeyIsDown) {
    bool down = true;
    HeldKeyFilter filter(
        {.releases_may_pair = true, .key_is_down = [&](uint32_t) { return down; }, .settle_ms = 0});
    KeyRecorder window(false);
    send(window, QEvent::KeyPress, Qt::Key_3, 12, 100);
    send(window, QEvent::KeyRelease, Qt::Key_3, 12, 760);
    QTest::qWait(20);  // the settling runs again and again, the key being down
    send(window, QEvent::KeyPress, Qt::Key_3, 12, 760);
    send(window, QEvent::KeyRelease, Qt::Key_3, 12, 800);
    down = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.seen.size() == 3; }, 1000));
    EXPECT_EQ(window.seen, (std::vector<std::string>{"press", "repeat", "release"}));
}

// Right held in the manual viewer, repeated as release and press pairs the toolkit did not
// mark: one page, turned on the release.
TEST(HeldKeyFilter, RightHeldInTheManualTurnsOnePage) {
    HeldKeyFilter filter({.releases_may_pair = true, .key_is_down = {}, .settle_ms = 0});
    ShellRecorder shell;
    DiskConfigFiles config;
    DiskPictureFiles pictures;
    TManualForm manual(shell);
    manual.FormCreate(SkinSources{config, pictures, FLUFFO_RUN_DIR_PATH, FLUFFO_RUN_DIR_PATH});
    manual.bring_up();
    send(manual, QEvent::KeyPress, Qt::Key_Right, Right_Code, 100);
    for (ulong t = 760; t < 1600; t += 40) {
        send(manual, QEvent::KeyRelease, Qt::Key_Right, Right_Code, t);
        send(manual, QEvent::KeyPress, Qt::Key_Right, Right_Code, t);
    }
    EXPECT_EQ(manual.logic().Vid_Current_Page, 1);
    EXPECT_FALSE(manual.screen().model().at(manual.screen().btn_right_up).visible);  // pressed
    send(manual, QEvent::KeyRelease, Qt::Key_Right, Right_Code, 1600);
    ASSERT_TRUE(QTest::qWaitFor([&] { return manual.logic().Vid_Current_Page != 1; }, 1000));
    EXPECT_EQ(manual.logic().Vid_Current_Page, 2);
    EXPECT_TRUE(shell.errors.empty());
}

}  // namespace
}  // namespace fluffo
