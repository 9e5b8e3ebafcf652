#include "app/qt/process/end_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace fluffo {

namespace {

constexpr int End_Signals[] = {SIGTERM, SIGINT, SIGHUP};

int g_pipe[2] = {-1, -1};  // the one thing a signal handler may touch

void on_end_signal(int) {
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a wake-up; nothing is lost.
    [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

EndSignals::EndSignals(std::function<void()> on_signal, QObject* parent)
    : QObject(parent), m_on_signal(std::move(on_signal)) {
    if (g_pipe[0] < 0 && pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    m_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        ssize_t count = 0;
        while ((count = read(g_pipe[0], bytes, sizeof bytes)) > 0) {
            for (ssize_t i = 0; i < count; ++i)
                m_on_signal();
        }
    });
    struct sigaction action {};
    action.sa_handler = on_end_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : End_Signals)
        sigaction(signal, &action, nullptr);
}

EndSignals::~EndSignals() {
    // Back to the default: a signal after this point ends the process at once.
    for (const int signal : End_Signals)
        std::signal(signal, SIG_DFL);
}

}  // namespace fluffo
