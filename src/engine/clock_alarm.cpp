// Outside a game the handheld is a clock: the local time in 12-hour form with a PM mark,
// or the alarm display, a fixed 12:00 with a blinking bell.
#include "engine/handheld.h"

namespace fluffo {

void Handheld::Timer_ClockTimer() {
    const LocalTime now = m_ports.clock.local_time();
    int32_t hour = now.hour;
    const int32_t minute = now.minute;
    const bool pm = hour >= 12;
    if (pm) hour -= 12;
    m_screen.show(m_screen.named().im_panel_time_pm, pm);
    if (hour == 0) hour = 12;
    m_screen.set_digit(1, hour >= 10 ? hour / 10 : -1);
    m_screen.set_digit(2, hour % 10);
    m_screen.set_digit(3, minute / 10);
    m_screen.set_digit(4, minute % 10);
    m_screen.set_digit(5, -1);
    m_scheduler.set_interval(TimerId::Timer_Clock, 1000);
}

void Handheld::Timer_AlarmTimer() {
    const HolderId bell = m_screen.named().im_panel_bell;
    m_screen.show(bell, !m_screen.is_shown(bell));
    m_scheduler.set_interval(TimerId::Timer_Alarm, 500);
}

}  // namespace fluffo
