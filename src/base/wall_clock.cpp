#include "base/wall_clock.h"

#include <ctime>

namespace fluffo {

LocalTime LocalClock::local_time() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &now);
#else
    localtime_r(&now, &parts);
#endif
    return {parts.tm_hour, parts.tm_min};
}

void SettableClock::set(int32_t hour, int32_t minute) {
    m_set_at_ms = m_now();
    m_minute_of_day = int64_t{hour} * 60 + minute;
}

LocalTime SettableClock::local_time() {
    const int64_t elapsed_min = (m_now() - m_set_at_ms) / 60000;
    const int64_t minute_of_day = ((m_minute_of_day + elapsed_min) % 1440 + 1440) % 1440;
    return {static_cast<int32_t>(minute_of_day / 60), static_cast<int32_t>(minute_of_day % 60)};
}

}  // namespace fluffo
