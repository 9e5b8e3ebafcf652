#include "app/qt/pumps/pad_pump.h"

#include <algorithm>

namespace fluffo {

PadPump::PadPump(PadDevices& devices, Route route, QObject* parent)
    : QObject(parent), m_devices(devices), m_tracker(std::move(route)) {
    m_poll.setTimerType(Qt::PreciseTimer);
    m_poll.setInterval(PadDevices::Poll_Interval_Ms);
    connect(&m_poll, &QTimer::timeout, this, [this] { pump(-1); });
    QTimer::singleShot(First_Look_Ms, this, [this] {
        if (!m_pumped) pump(-1);
    });
}

void PadPump::pump(int ready_fd) {
    m_pumped = true;
    m_devices.pump(ready_fd, m_tracker);
    wait_again();
}

void PadPump::wait_again() {
    const std::vector<int> fds = m_devices.wake_fds();
    // A descriptor the library closed goes before the loop waits on it again; its notifier
    // may be the one whose signal runs this, so it is deleted once that is over.
    for (auto it = m_notifiers.begin(); it != m_notifiers.end();) {
        if (std::find(fds.begin(), fds.end(), it->first) != fds.end()) {
            ++it;
            continue;
        }
        it->second->setEnabled(false);
        it->second.release()->deleteLater();
        it = m_notifiers.erase(it);
    }
    for (int fd : fds) {
        if (m_notifiers.contains(fd)) continue;
        auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        connect(notifier.get(), &QSocketNotifier::activated, this, [this, fd] { pump(fd); });
        m_notifiers.emplace(fd, std::move(notifier));
    }
    const bool poll = m_devices.needs_polling();
    if (poll && !m_poll.isActive()) m_poll.start();
    if (!poll) m_poll.stop();
}

}  // namespace fluffo
