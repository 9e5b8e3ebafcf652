#include "engine/scheduler.h"

namespace fluffo {

namespace {
constexpr std::array<std::string_view, Timer_Count> kTimerNames = {
    "Timer_Clock",          "Timer_Alarm", "Timer_Game_Start",
    "Timer_Stage_Start",    "Timer_Game",  "Timer_Power_Pill",
    "Timer_Stage_Complete", "Timer_Miss",  "Timer_Game_Over",
};
}  // namespace

std::string_view timer_name(TimerId id) {
    return kTimerNames[static_cast<size_t>(id)];
}

std::optional<TimerId> timer_from_name(std::string_view name) {
    for (size_t i = 0; i < kTimerNames.size(); ++i) {
        if (kTimerNames[i] == name) return static_cast<TimerId>(i);
    }
    return std::nullopt;
}

void Scheduler::restart(Timer& t) {
    t.due_ms = m_now_ms + t.interval_ms;
    t.started = m_next_start++;
}

void Scheduler::set_interval(TimerId id, int64_t interval_ms) {
    Timer& t = timer(id);
    if (t.interval_ms == interval_ms) return;
    t.interval_ms = interval_ms;
    if (t.enabled) restart(t);
}

void Scheduler::set_enabled(TimerId id, bool enabled) {
    Timer& t = timer(id);
    if (t.enabled == enabled) return;
    t.enabled = enabled;
    if (enabled) restart(t);
}

// A timer with interval 0 never fires, as on the handheld's platform.
int Scheduler::find_due(int64_t limit_ms) const {
    int best = -1;
    for (int i = 0; i < Timer_Count; ++i) {
        const Timer& t = m_timers[static_cast<size_t>(i)];
        if (!t.enabled || t.interval_ms <= 0 || t.due_ms > limit_ms) continue;
        if (best < 0) {
            best = i;
            continue;
        }
        const Timer& b = m_timers[static_cast<size_t>(best)];
        if (t.due_ms < b.due_ms || (t.due_ms == b.due_ms && t.started < b.started)) best = i;
    }
    return best;
}

void Scheduler::advance_to(int64_t now_ms) {
    for (int i = find_due(now_ms); i >= 0; i = find_due(now_ms)) {
        Timer& t = m_timers[static_cast<size_t>(i)];
        m_now_ms = t.due_ms;
        // Re-arm before the handler runs, so a handler that touches its own timer sees
        // it armed for its next period and may restart or stop it.
        t.due_ms += t.interval_ms;
        t.started = m_next_start++;
        if (m_sink) m_sink->on_timer(static_cast<TimerId>(i));
    }
    if (now_ms > m_now_ms) m_now_ms = now_ms;
}

std::optional<int64_t> Scheduler::next_due() const {
    const int i = find_due(INT64_MAX);
    if (i < 0) return std::nullopt;
    return m_timers[static_cast<size_t>(i)].due_ms;
}

}  // namespace fluffo
