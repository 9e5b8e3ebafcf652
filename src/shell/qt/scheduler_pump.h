#pragma once
// Drives the core's one Scheduler from the Qt event loop. Virtual time is the real time in
// whole milliseconds since the pump was made; ONE precise single-shot QTimer is aimed at the
// scheduler's next due time, and re-aimed after every entry into the core, so a periodic game
// timer fires on its due times without drift (Qt's coarse timers would round 240 ms to 250).
//
// Protocol for the window: before any event reaches the core call catch_up(), so a timer the
// event arms starts counting at the real "now"; after it call reaim(). Timer handlers run
// through the gate (the window's error boundary).
//
// Sub-millisecond aim: a millisecond timer wakes up to a millisecond late (the event loop
// polls with a timeout in whole milliseconds, rounded up), and a late wake-up shortens the
// next period. So the timer is aimed a millisecond early and the last two milliseconds before
// the due time pass in zero-length waits of the event loop; events go on being handled.
//
// With FLUFFO_TICK_LOG naming a file, each firing of Timer_Game appends one line to it: the
// real time in microseconds since the pump was made (steady clock), as the handler is called.

#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>

#include "engine/scheduler.h"

namespace fluffo {

class SchedulerPump : public QObject, public TimerSink {
    Q_OBJECT
public:
    // Time elapsed since virtual time 0.
    using Clock = std::function<std::chrono::nanoseconds()>;
    // Runs the action it is given, stopping whatever errors it decides to stop.
    using Gate = std::function<void(const std::function<void()>&)>;

    // The single-shot is aimed this much before the due time...
    static constexpr std::chrono::milliseconds Lead{1};
    // ... and this close to it, the event loop waits in zero-length steps.
    static constexpr std::chrono::milliseconds Close{2};

    // Installs itself as the scheduler's sink and forwards every timer to target; time 0 is
    // now, on a monotonic clock.
    SchedulerPump(Scheduler& scheduler, TimerSink& target, QObject* parent = nullptr);
    // The same on the given clock instead (for tests).
    SchedulerPump(Scheduler& scheduler, TimerSink& target, Clock clock, QObject* parent = nullptr);
    // Leaves the scheduler without a sink.
    ~SchedulerPump() override;

    SchedulerPump(const SchedulerPump&) = delete;
    SchedulerPump& operator=(const SchedulerPump&) = delete;

    // Fires every timer due by now (through to the target). Exceptions of the handlers pass.
    void catch_up();
    // Aims the single-shot timer at the next due time (at once when it is close), or stops it.
    void reaim();
    // The default gate just runs the action.
    void set_gate(Gate gate);

    // What the single-shot does when it fires: when a timer is due, advances to now through
    // the gate; then re-aims.
    void fire_due();

    // The virtual time now: whole milliseconds elapsed.
    int64_t now_ms() const;
    // The single-shot timer, for tests to see where it is aimed.
    const QTimer& timer() const { return m_timer; }

    void on_timer(TimerId id) override;

private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };

    Scheduler& m_scheduler;
    TimerSink& m_target;
    Clock m_clock;
    Gate m_gate;
    QTimer m_timer;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    std::unique_ptr<std::FILE, FileCloser> m_tick_log;
};

}  // namespace fluffo
