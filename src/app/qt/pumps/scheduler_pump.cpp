#include "app/qt/pumps/scheduler_pump.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QtGlobal>
#include <algorithm>
#include <cinttypes>
#include <climits>
#include <thread>
#include <utility>

namespace fluffo {

using std::chrono::duration_cast;
using std::chrono::floor;
using std::chrono::milliseconds;
using std::chrono::nanoseconds;

namespace {

SchedulerPump::Clock monotonic_clock() {
    QElapsedTimer started;
    started.start();
    return [started] { return nanoseconds(started.nsecsElapsed()); };
}

SchedulerPump::Sleep sleep_on(SchedulerPump::Clock clock) {
    return [clock = std::move(clock)](nanoseconds until) {
        std::this_thread::sleep_for(until - clock());
    };
}

}  // namespace

bool prefer_qt_event_dispatcher() {
    if (qEnvironmentVariableIsSet("QT_NO_GLIB")) return false;
    qputenv("QT_NO_GLIB", "1");
    return true;
}

SchedulerPump::SchedulerPump(Scheduler& scheduler, TimerSink& target, QObject* parent)
    : SchedulerPump(scheduler, target, monotonic_clock(), {}, parent) {}

SchedulerPump::SchedulerPump(Scheduler& scheduler, TimerSink& target, Clock clock, Sleep sleep,
                             QObject* parent)
    : QObject(parent),
      m_scheduler(scheduler),
      m_target(target),
      m_clock(std::move(clock)),
      m_sleep(sleep ? std::move(sleep) : sleep_on(m_clock)),
      m_gate([](const std::function<void()>& action) { action(); }) {
    m_scheduler.set_sink(this);
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SchedulerPump::fire_due);

    const QByteArray log_path = qgetenv("FLUFFO_TICK_LOG");
    if (!log_path.isEmpty()) {
        m_tick_log.reset(std::fopen(log_path.constData(), "a"));
        if (!m_tick_log) qWarning("FLUFFO_TICK_LOG: cannot open %s", log_path.constData());
    }
}

SchedulerPump::~SchedulerPump() {
    m_scheduler.set_sink(nullptr);
}

int64_t SchedulerPump::now_ms() const {
    return duration_cast<milliseconds>(m_clock()).count();  // never negative: rounds down
}

void SchedulerPump::catch_up() {
    m_scheduler.advance_to(now_ms());
}

void SchedulerPump::reaim() {
    const std::optional<int64_t> due = m_scheduler.next_due();
    if (!due) {
        m_timer.stop();
        return;
    }
    const nanoseconds remaining = milliseconds(*due) - m_clock();
    const int64_t wait = std::max<int64_t>(0, (floor<milliseconds>(remaining) - Lead).count());
    m_timer.start(static_cast<int>(std::min<int64_t>(wait, INT_MAX)));
}

void SchedulerPump::set_gate(Gate gate) {
    m_gate = std::move(gate);
}

void SchedulerPump::fire_due() {
    if (const std::optional<int64_t> due = m_scheduler.next_due()) {
        const nanoseconds remaining = milliseconds(*due) - m_clock();
        if (remaining > nanoseconds(0) && remaining <= Close) m_sleep(milliseconds(*due));
        const int64_t now = now_ms();
        if (*due <= now) m_gate([this, now] { m_scheduler.advance_to(now); });
    }
    reaim();
}

void SchedulerPump::on_timer(TimerId id) {
    if (id == TimerId::Timer_Game && m_tick_log) {
        const auto since_start = std::chrono::steady_clock::now() - m_start;
        const auto us = duration_cast<std::chrono::microseconds>(since_start).count();
        std::fprintf(m_tick_log.get(), "%" PRId64 "\n", static_cast<int64_t>(us));
        std::fflush(m_tick_log.get());
    }
    m_target.on_timer(id);
}

}  // namespace fluffo
