#pragma once
// The program's one gate for the keyboard: every key event the window system sends to one of
// the program's windows passes here first and leaves as HeldKeys decides, so that each window
// sees a held key as one press, presses marked auto-repeat while it stays down, and one
// release, whatever the window system sends between; and a key held down while its window
// closes does nothing in the window that gets the keyboard (its release goes back to the
// window that took its press). Events that tests or the program send straight to a widget do
// not pass here.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "input/held_keys.h"

class QKeyEvent;
class QWindow;

namespace fluffo {

class HeldKeyFilter : public QObject {
    Q_OBJECT
public:
    struct Keyboard {
        // The window system may send a repeat as a release and a press of the same time.
        bool releases_may_pair = false;
        // Whether a key (the window system's code) is down now; empty: it cannot tell.
        std::function<bool(uint32_t key)> key_is_down;
        // How long a release waits for a press that would pair with it (then again while
        // its key is still down).
        int settle_ms = 40;
    };

    // The keyboard of the window system the program runs on; on X11 this asks the server for
    // detectable auto-repeat, and pairs releases only where it is refused.
    static Keyboard this_keyboard();

    // Watches every key event of the application from now on.
    explicit HeldKeyFilter(Keyboard keyboard, QObject* parent = nullptr);
    ~HeldKeyFilter() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool take(QWindow* window, const QKeyEvent& event);
    // Sends a copy of `like`, of this type and repeat mark, to the window if it still exists.
    void deliver(KeyWindow window, const QKeyEvent& like, bool press, bool repeat);
    void deliver_waiting(KeyWindow window);
    void settle();
    void forget_released();

    Keyboard m_keyboard;
    HeldKeys m_keys;
    QHash<KeyWindow, QPointer<QWindow>> m_windows;  // the windows that took a held key's press
    std::unique_ptr<QKeyEvent> m_waiting;           // the release HeldKeys keeps waiting
    QTimer m_settle;
    std::vector<const QEvent*> m_own;  // the copies being delivered, which pass unfiltered
};

}  // namespace fluffo
