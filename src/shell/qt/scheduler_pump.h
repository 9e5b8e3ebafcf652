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
// Sub-millisecond aim: Qt's timers count whole milliseconds from the moment they start, so a
// wait rounded up would come up to a millisecond late and shorten the next period. The
// single-shot is aimed at the last whole millisecond before the due time instead, and the
// fraction still to go when it fires (under a millisecond) is slept out: the tick comes on
// time without the event loop spinning, and an event arriving meanwhile waits that fraction
// at most. This needs an event loop that wakes when asked: the program runs Qt's own
// dispatcher, which sleeps with a timeout in nanoseconds (glib's rounds its waits up to whole
// milliseconds, so its wakes may come after the due time).
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

// To be called before the application object is made: asks Qt for its own event dispatcher,
// the one that wakes on time, unless QT_NO_GLIB already says which one to use. Returns
// whether it set the variable (the caller unsets it once the application exists, so the
// processes the program starts do not inherit it).
bool choose_precise_event_dispatcher();

class SchedulerPump : public QObject, public TimerSink {
    Q_OBJECT
public:
    // Time elapsed since virtual time 0.
    using Clock = std::function<std::chrono::nanoseconds()>;
    // Runs the action it is given, stopping whatever errors it decides to stop.
    using Gate = std::function<void(const std::function<void()>&)>;
    // Returns once the clock has reached the given time.
    using Sleep = std::function<void(std::chrono::nanoseconds until)>;

    // A firing at most this long before the due time sleeps out the rest; the single-shot,
    // aimed in whole milliseconds rounded down, never fires earlier than that.
    static constexpr std::chrono::milliseconds Close{1};

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
    // Aims the single-shot timer at the last whole millisecond before the next due time (at
    // once when less than a millisecond is left), or stops it.
    void reaim();
    // The default gate just runs the action.
    void set_gate(Gate gate);

    // What the single-shot does when it fires: sleeps out the last fraction of a millisecond
    // before the due time; when a timer is due, advances to now through the gate; re-aims.
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
