#pragma once
// The nine interval timers of the handheld, on one virtual clock. A timer has an interval and
// an enabled flag; setting either to the value it already has changes nothing, a different
// value restarts its count from that moment. advance_to() fires due timers in order of due
// time (ties: the timer whose count started first) and re-arms periodic ones from their due
// time, so nothing drifts. Handlers may change any timer, their own included.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace fluffo {

enum class TimerId : uint8_t {
    Timer_Clock,
    Timer_Alarm,
    Timer_Game_Start,
    Timer_Stage_Start,
    Timer_Game,
    Timer_Power_Pill,
    Timer_Stage_Complete,
    Timer_Miss,
    Timer_Game_Over,
};
inline constexpr int Timer_Count = 9;

std::string_view timer_name(TimerId id);
std::optional<TimerId> timer_from_name(std::string_view name);

class TimerSink {
public:
    virtual ~TimerSink() = default;
    virtual void on_timer(TimerId id) = 0;
};

class Scheduler {
public:
    explicit Scheduler(TimerSink* sink = nullptr) : m_sink(sink) {}
    void set_sink(TimerSink* sink) { m_sink = sink; }

    void set_interval(TimerId id, int64_t interval_ms);
    void set_enabled(TimerId id, bool enabled);
    // Arming as the handheld does it: the interval first, then enabled.
    void arm(TimerId id, int64_t interval_ms) {
        set_interval(id, interval_ms);
        set_enabled(id, true);
    }

    int64_t interval(TimerId id) const { return timer(id).interval_ms; }
    bool enabled(TimerId id) const { return timer(id).enabled; }

    // Fires every timer that falls due up to and including now_ms, then sets the clock there.
    // A time in the past changes nothing.
    void advance_to(int64_t now_ms);
    int64_t now() const { return m_now_ms; }

    // Due time of the next timer to fire, if any is enabled with a non-zero interval.
    std::optional<int64_t> next_due() const;

private:
    struct Timer {
        int64_t interval_ms = 1;
        bool enabled = false;
        int64_t due_ms = 0;    // meaningful while enabled
        uint64_t started = 0;  // order in which counts started, for ties
    };
    Timer& timer(TimerId id) { return m_timers[static_cast<size_t>(id)]; }
    const Timer& timer(TimerId id) const { return m_timers[static_cast<size_t>(id)]; }
    void restart(Timer& t);
    int find_due(int64_t limit_ms) const;

    std::array<Timer, Timer_Count> m_timers{};
    TimerSink* m_sink;
    int64_t m_now_ms = 0;
    uint64_t m_next_start = 1;
};

}  // namespace fluffo
