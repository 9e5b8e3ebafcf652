// Outside a game the handheld is a clock: the local time in 12-hour form with a PM mark,
// or the alarm display, a fixed 12:00 with a blinking bell.
#include "engine/handheld.h"
#include "engine/sequence_delays.h"

namespace fluffo {

void Handheld::Timer_ClockTimer() {
    const LocalTime now = m_ports.clock.local_time();
    int32_t hour = now.hour;
    const int32_t minute = now.minute;
    const bool pm = hour >= 12;
    if (pm) hour -= 12;
    m_lcd.show(Mark::Panel_Time_Pm, pm);
    if (hour == 0) hour = 12;
    m_lcd.set_digit(1, hour >= 10 ? hour / 10 : No_Digit);
    m_lcd.set_digit(2, hour % 10);
    m_lcd.set_digit(3, minute / 10);
    m_lcd.set_digit(4, minute % 10);
    m_lcd.set_digit(5, No_Digit);
    m_scheduler.set_interval(TimerId::Timer_Clock, Clock_Update_ms);
}

void Handheld::Timer_AlarmTimer() {
    m_lcd.show(Mark::Panel_Bell, !m_lcd.lit(Mark::Panel_Bell));
    m_scheduler.set_interval(TimerId::Timer_Alarm, Alarm_Blink_ms);
}

}  // namespace fluffo
