#pragma once
// SIGTERM, SIGINT and SIGHUP (a kill, Ctrl+C, the session ending) end the program the way a
// close request does: the handler only writes a byte to a pipe, and the event loop, woken by
// it, runs the given action (closing the main window) on the user-interface thread. Installed
// before the sound library starts, whose own handlers are switched off.

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace fluffo {

class EndSignals : public QObject {
public:
    // Installs the handlers; on_signal runs once per signal that arrives.
    explicit EndSignals(std::function<void()> on_signal, QObject* parent = nullptr);
    ~EndSignals() override;

private:
    std::function<void()> m_on_signal;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

}  // namespace fluffo
