#include "base/local_clock.h"

#include <chrono>
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

uint64_t clock_seed() {
    return static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch() /
                                 std::chrono::nanoseconds(1));
}

}  // namespace fluffo
