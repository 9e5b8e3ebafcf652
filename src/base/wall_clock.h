#pragma once
// The local time of day, as the handheld's clock reads it: the computer's own clock in the
// desktop program, and a clock set by hand that runs on with virtual time for the headless
// driver and the tests.

#include <cstdint>
#include <functional>

namespace fluffo {

struct LocalTime {
    int32_t hour = 0;    // 0..23
    int32_t minute = 0;  // 0..59
};

class WallClock {
public:
    virtual ~WallClock() = default;
    virtual LocalTime local_time() = 0;
};

// The computer's local time.
class LocalClock : public WallClock {
public:
    LocalTime local_time() override;
};

// Local time set to hh:mm at some virtual moment, running on with virtual time.
class SettableClock : public WallClock {
public:
    explicit SettableClock(std::function<int64_t()> now_ms) : m_now(std::move(now_ms)) {}
    void set(int32_t hour, int32_t minute);
    LocalTime local_time() override;

private:
    std::function<int64_t()> m_now;
    int64_t m_set_at_ms = 0;
    int64_t m_minute_of_day = 0;
};

}  // namespace fluffo
