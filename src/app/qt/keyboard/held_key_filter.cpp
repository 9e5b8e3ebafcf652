#include "app/qt/keyboard/held_key_filter.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>
#include <algorithm>

#include "app/x11/x11_keyboard.h"

namespace fluffo {

namespace {

// A key as the window system numbers it, the same for its press and its release; a key event
// made without a native code (a synthetic one) is known by its Qt key.
uint32_t key_code(const QKeyEvent& event) {
    const quint32 scan = event.nativeScanCode();
    return scan != 0 ? scan : 0x80000000u | (static_cast<uint32_t>(event.key()) & 0x7fffffffu);
}

}  // namespace

HeldKeyFilter::Keyboard HeldKeyFilter::this_keyboard() {
    Keyboard keyboard;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        keyboard.releases_may_pair = !ask_for_detectable_auto_repeat();
        keyboard.key_is_down = x11_key_state();
    }
    return keyboard;
}

HeldKeyFilter::HeldKeyFilter(Keyboard keyboard, QObject* parent)
    : QObject(parent), m_keyboard(std::move(keyboard)), m_keys(m_keyboard.releases_may_pair) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(m_keyboard.settle_ms);
    connect(&m_settle, &QTimer::timeout, this, &HeldKeyFilter::settle);
    if (m_keyboard.key_is_down) {
        connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
                &HeldKeyFilter::forget_released);
    }
    QCoreApplication::instance()->installEventFilter(this);
}

HeldKeyFilter::~HeldKeyFilter() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool HeldKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWindowType() ||
        std::find(m_own.begin(), m_own.end(), event) != m_own.end()) {
        return QObject::eventFilter(watched, event);
    }
    return take(static_cast<QWindow*>(watched), *static_cast<QKeyEvent*>(event));
}

// True: the event is taken here and the window does not see it as it came.
bool HeldKeyFilter::take(QWindow* window, const QKeyEvent& event) {
    KeyStroke stroke;
    stroke.press = event.type() == QEvent::KeyPress;
    stroke.key = key_code(event);
    stroke.time_ms = event.timestamp();
    stroke.marked_repeat = event.isAutoRepeat();
    stroke.window = window;
    const KeyOutcome out = m_keys.take(stroke);
    if (out.waited_release_to) deliver_waiting(*out.waited_release_to);
    m_waiting.reset();
    m_settle.stop();

    switch (out.verdict) {
        case KeyVerdict::Press:
            m_windows.insert(window, window);
            if (!event.isAutoRepeat()) return false;
            deliver(window, event, true, false);  // a first press, whatever the toolkit saw
            return true;
        case KeyVerdict::Repeat:
            if (event.isAutoRepeat()) return false;
            deliver(window, event, true, true);
            return true;
        case KeyVerdict::Release:
            if (out.to == window) return false;
            deliver(out.to, event, false, false);
            return true;
        case KeyVerdict::Wait:
            m_waiting.reset(static_cast<QKeyEvent*>(event.clone()));
            m_settle.start();
            return true;
        case KeyVerdict::Drop:
            return true;
    }
    return true;
}

void HeldKeyFilter::deliver(KeyWindow window, const QKeyEvent& like, bool press, bool repeat) {
    const QPointer<QWindow> target = m_windows.value(window);
    if (!target) return;
    QKeyEvent copy(press ? QEvent::KeyPress : QEvent::KeyRelease, like.key(), like.modifiers(),
                   like.nativeScanCode(), like.nativeVirtualKey(), like.nativeModifiers(),
                   like.text(), repeat, static_cast<quint16>(like.count()));
    copy.setTimestamp(like.timestamp());
    m_own.push_back(&copy);
    QCoreApplication::sendEvent(target.data(), &copy);
    m_own.erase(std::find(m_own.begin(), m_own.end(), &copy));
}

void HeldKeyFilter::deliver_waiting(KeyWindow window) {
    const std::unique_ptr<QKeyEvent> waiting = std::move(m_waiting);
    if (waiting) deliver(window, *waiting, false, false);
}

// No press paired with the waiting release in time. While its key is still down the pair is on
// its way (the program was slow to read it); once the key is up, the release was the last.
void HeldKeyFilter::settle() {
    const auto key = m_keys.waiting_key();
    if (!key) return;
    if (m_keyboard.key_is_down && m_keyboard.key_is_down(*key)) {
        m_settle.start();
        return;
    }
    if (const auto to = m_keys.settle()) deliver_waiting(*to);
    m_waiting.reset();
}

// A key released while no window of the program had the keyboard sent its release elsewhere.
void HeldKeyFilter::forget_released() {
    m_keys.forget_released(m_keyboard.key_is_down);
}

}  // namespace fluffo
