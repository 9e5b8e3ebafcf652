#pragma once
// How long the handheld's timed steps last, in milliseconds: the game tick of each variant and
// the delay before each step of the clock, the alarm and the timed sequences. A sequence's timer
// is set to the delay before its next step as each step runs.

#include <cstdint>

namespace fluffo {

inline constexpr int64_t At_Once_ms = 1;  // a timer that fires at the next advance of the clock

inline constexpr int64_t Clock_Update_ms = 1000;
inline constexpr int64_t Alarm_Blink_ms = 500;

inline constexpr int64_t Game_A_Tick_ms = 370;
inline constexpr int64_t Game_B_Tick_ms = 240;

inline constexpr int64_t Intro_Tune_ms = 2900;           // the start tune, then the game begins
inline constexpr int64_t Stage_Start_Tune_ms = 700;      // the wolves gone, then Fluffo put down
inline constexpr int64_t Stage_Complete_Pause_ms = 100;  // the last egg, then the tune
inline constexpr int64_t Stage_Complete_Tune_ms = 2450;  // the tune, then the next stage
inline constexpr int64_t Miss_Pause_ms = 100;            // the catch, then the miss sound
inline constexpr int64_t Miss_Blink_ms = 240;            // Fluffo blinks off and on
inline constexpr int64_t Miss_Last_Shown_ms = 750;       // Fluffo's last showing
inline constexpr int64_t Miss_Gone_ms = 1000;            // Fluffo gone, then a life less
inline constexpr int64_t Power_Beat_ms = 250;            // one beat of the power sound
inline constexpr int64_t Game_Over_Tune_ms = 3400;       // the tune, then the game-over mark
inline constexpr int64_t Game_Over_Shown_ms = 30000;     // the mark, then the clock

}  // namespace fluffo
