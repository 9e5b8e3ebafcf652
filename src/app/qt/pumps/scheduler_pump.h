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
// Sub-millisecond aim: Qt's event loop waits in whole milliseconds, rounded up, counted from
// whenever it last looked (both its own dispatcher and glib's), so a timer wakes up to a
// millisecond late, and a late tick shortens the next period. So the single-shot is aimed a
// millisecond early and the last stretch before the due time, under two milliseconds, is
// slept out when it fires: the tick comes on time without the event loop spinning, and an
// event arriving meanwhile waits that stretch at most.
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

// To be called before the application object is made: asks Qt for its own event dispatcher
// rather than glib's, unless QT_NO_GLIB already says which one to use. Both round their waits
// up to whole milliseconds; Qt's own takes less CPU per wake (bench/measure_desktop.sh).
// Returns whether it set the variable: the caller unsets it once the application exists, so
// the processes the program starts do not inherit it.
bool prefer_qt_event_dispatcher();

class SchedulerPump : public QObject, public TimerSink {
    Q_OBJECT
public:
    // Time elapsed since virtual time 0.
    using Clock = std::function<std::chrono::nanoseconds()>;
    // Runs the action it is given, stopping whatever errors it decides to stop.
    using Gate = std::function<void(const std::function<void()>&)>;
    // Returns once the clock has reached the given time.
    using Sleep = std::function<void(std::chrono::nanoseconds until)>;

    // The single-shot is aimed this much before the last whole millisecond before the due
    // time...
    static constexpr std::chrono::milliseconds Lead{1};
    // ... so it fires at most this long before the due time; the rest is slept out.
    static constexpr std::chrono::milliseconds Close{2};

    // Installs itself as the scheduler's sink and forwards every timer to target; time 0 is
    // now, on a monotonic clock.
    SchedulerPump(Scheduler& scheduler, TimerSink& target, QObject* parent = nullptr);
    // The same on the given clock, sleeping with the given sleep (for tests).
    SchedulerPump(Scheduler& scheduler, TimerSink& target, Clock clock, Sleep sleep,
                  QObject* parent = nullptr);
    // Leaves the scheduler without a sink.
    ~SchedulerPump() override;

    SchedulerPump(const SchedulerPump&) = delete;
    SchedulerPump& operator=(const SchedulerPump&) = delete;

    // Fires every timer due by now (through to the target). Exceptions of the handlers pass.
    void catch_up();
    // Aims the single-shot timer a lead before the last whole millisecond before the next due
    // time (at once when less than that is left), or stops it.
    void reaim();
    // The default gate just runs the action.
    void set_gate(Gate gate);

    // What the single-shot does when it fires: sleeps out the last stretch before the due time
    // (when it is within Close of it); when a timer is due, advances to now through the gate;
    // re-aims.
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
    Sleep m_sleep;
    Gate m_gate;
    QTimer m_timer;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    std::unique_ptr<std::FILE, FileCloser> m_tick_log;
};

}  // namespace fluffo
