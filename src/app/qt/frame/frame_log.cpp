#include "app/qt/frame/frame_log.h"

#include <QByteArray>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cinttypes>
#include <cstdint>

namespace fluffo {

void FrameLog::attach(QWidget& window) {
    const QByteArray path = qgetenv("FLUFFO_FRAME_LOG");
    if (path.isEmpty()) return;
    std::FILE* file = std::fopen(path.constData(), "a");
    if (!file) {
        qWarning("FLUFFO_FRAME_LOG: cannot open %s", path.constData());
        return;
    }
    new FrameLog(window, file);  // the window's child
}

FrameLog::FrameLog(QWidget& window, std::FILE* file) : QObject(&window), m_file(file) {
    window.installEventFilter(this);
}

bool FrameLog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint) return QObject::eventFilter(watched, event);
    const QRect area = static_cast<QPaintEvent*>(event)->rect();
    // The painted frame is flushed to the window system before the event loop's next turn.
    QTimer::singleShot(0, this, [this, area] {
        const auto since_epoch = std::chrono::system_clock::now().time_since_epoch();
        const auto us = std::chrono::duration_cast<std::chrono::microseconds>(since_epoch);
        std::fprintf(m_file.get(), "%" PRId64 " %d,%d %dx%d\n", static_cast<int64_t>(us.count()),
                     area.x(), area.y(), area.width(), area.height());
        std::fflush(m_file.get());
    });
    return false;
}

}  // namespace fluffo
