#pragma once
// The gamepads in the Qt event loop: a socket notifier on each descriptor the pad library
// names, and a poll timer only while it asks for one, so no pad (or an idle one) costs no wake
// at all. Every pump's presses go out through the route, one at a time, on the event loop.

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

#include "base/virtual_keys.h"
#include "input/pad_devices.h"

namespace fluffo {

// A window that takes the pad as its keys (the manual, about and key settings windows).
class PadKeyWindow {
public:
    virtual ~PadKeyWindow() = default;
    virtual void pad_key(VirtualKey key, bool down) = 0;
};

class PadPump : public QObject {
public:
    using Route = std::function<void(const PadPress&)>;
    // Looks for the pads first once the event loop has run First_Look_Ms (the program's first
    // frame is not kept waiting for them), unless pumped before.
    PadPump(PadDevices& devices, Route route, QObject* parent = nullptr);
    static constexpr int First_Look_Ms = 1000;

    // Reads what is ready on fd (-1: the poll timer), then waits on what the library names.
    void pump(int ready_fd);
    bool polling() const { return m_poll.isActive(); }
    size_t watched() const { return m_notifiers.size(); }

private:
    void wait_again();

    PadDevices& m_devices;
    PadTracker m_tracker;
    std::map<int, std::unique_ptr<QSocketNotifier>> m_notifiers;
    QTimer m_poll;
    bool m_pumped = false;
};

}  // namespace fluffo
