#pragma once
// The handheld itself: its game state, the mode switch, difficulty and gates, the game tick,
// the timed sequences (intro, stage start and end, miss, power mode, game over), the clock
// and alarm, and the fourteen player actions. It keeps what its screen shows as its own state
// and tells the screen that draws it, keeps time through the Scheduler's nine timers and
// reaches sound, store, clock and chance through ports.

#include <algorithm>
#include <span>

#include "base/random_source.h"
#include "base/settings_store.h"
#include "base/wall_clock.h"
#include "engine/board.h"
#include "engine/game_state.h"
#include "engine/handheld_observer.h"
#include "engine/lcd_state.h"
#include "engine/sample_player.h"
#include "engine/scheduler.h"

namespace fluffo {

struct HandheldPorts {
    SamplePlayer& sound;
    SettingsStore& store;
    WallClock& clock;
    RandomSource& random;
};

class Handheld : public TimerSink {
public:
    // Registers itself as the scheduler's handler. Fills no table and reads no store: creation
    // steps are the caller's (see create()).
    // The screen is told every change of what is lit.
    Handheld(LcdObserver& screen, Scheduler& scheduler, HandheldPorts ports);

    // The engine's part of main window creation: move tables, high scores, held flags.
    void create();

    // High scores and the store. A high score is raised in memory and written at once. A store
    // that refuses throws after the step that wrote has run to its end; keeping the refused
    // value and writing it later is the program's store's work (RetryingStore), so that every
    // value, a high score or a setting, is kept and retried in one place.
    // "Reset Hiscores": both to 0, both written (the second even when the first is refused);
    // throws the first refusal.
    void reset_high_scores();

    GameState state;

    // The one listener to what reaches the handheld from outside, or none.
    void set_observer(HandheldObserver* observer) { m_observer = observer; }

    // Modes, difficulty, gates. set_mode is the one way into a mode: it sets the mode, then
    // its display and timers, so that no mode is ever set without them.
    void set_mode(Mode mode);
    void Gam_Set_Difficulty();
    void Gam_Set_Gate();
    void Gam_Stop_All_Timers();

    // Timer handlers.
    void Timer_ClockTimer();
    void Timer_AlarmTimer();
    void Timer_Game_StartTimer();
    void Timer_Stage_StartTimer();
    void Timer_GameTimer();
    void Timer_Power_PillTimer();
    void Timer_Stage_CompleteTimer();
    void Timer_MissTimer();
    void Timer_Game_OverTimer();
    void on_timer(TimerId id) override;

    // Player actions.
    void Inp_game_a_down();
    void Inp_game_a_up();
    void Inp_game_b_down();
    void Inp_game_b_up();
    void Inp_time_down();
    void Inp_time_up();
    void Inp_up_down();
    void Inp_up_up();
    void Inp_left_down();
    void Inp_left_up();
    void Inp_right_down();
    void Inp_right_up();
    void Inp_down_down();
    void Inp_down_up();

    // Shows or hides the Fluffo figure at Fluffo's place.
    void Vid_Show_Fluffo(bool on) {
        m_lcd.Vid_Show_Fluffo(on, state.Gam_Fluffo_Col, state.Gam_Fluffo_Row);
    }

    const LcdState& lcd() const { return m_lcd; }
    Scheduler& scheduler() { return m_scheduler; }

private:
    void Gam_Set_Mode();  // applies whatever Gam_Mode holds; set_mode's second half
    void enter_time();
    void enter_alarm();
    void enter_intro(bool game_a);
    void enter_game();
    void show_power_eggs();
    void raise_high_score();  // the ended game's score, when it beats its variant's
    void arm(TimerId id, int64_t interval_ms) { m_scheduler.arm(id, interval_ms); }
    void disable(TimerId id) { m_scheduler.set_enabled(id, false); }
    void game_button_down(Mark pressed, bool& held, Mode intro_mode);
    void direction_down(Dir dir);
    void release_direction();
    void told(Control control, bool pressed) {
        if (m_observer) m_observer->control_applied(control, pressed);
    }

    // The game tick's phases (game_tick.cpp). A phase ends in a catch, which has started the
    // miss and ends the tick; in the last egg taken, which has started the stage's end; or
    // with play going on.
    enum class PhaseEnd : uint8_t { Done, Caught, Cleared };
    PhaseEnd fluffo_phase();
    PhaseEnd wolves_phase();
    // The wolf records the stage plays with: the first Gam_Wolf_Count of the two.
    std::span<Gam_Wolf> wolves_in_play() {
        const int32_t count = std::clamp(state.Gam_Wolf_Count, 0, int32_t{2});
        return std::span(state.Gam_Wolves).first(static_cast<size_t>(count));
    }

    // The phases' steps, called and defined only in game_tick.cpp (beside the steps that only
    // read and move the state, which are free functions there). Inline, so that each folds
    // back into its phase: the tick is the program's innermost loop.
    // Fluffo's phase:
    inline void fluffo_walks_into_wolf(Cell to);
    inline int32_t eat_vulnerable_wolves_at(Cell c);  // the points they bring
    inline int32_t take_egg_at(Cell c);               // the points it brings
    inline void start_power_mode();
    inline void score_fluffo_step(int32_t gained);  // the score, an extra life due, the sound
    inline void redraw_fluffo();
    // The wolves' phase:
    inline bool wolves_catch(Cell fluffo);  // true when any wolf caught Fluffo
    inline void eat_vulnerable_wolves_on(Cell fluffo);
    void move_wolf(Gam_Wolf& w);
    inline void den_step();
    inline void wolf_leaves_den(Gam_Wolf& w);
    inline void show_den_wolf(int32_t den_state);
    void redraw_wolves();
    // Both:
    inline void end_power_if_none_vulnerable();
    inline bool extra_life_if_due();       // true when a life was added
    inline int32_t eat_wolf(Gam_Wolf& w);  // the points it brings
    inline void start_miss();
    inline void start_stage_complete();
    inline bool board_clear() const;

    LcdState m_lcd;
    Scheduler& m_scheduler;
    HandheldPorts m_ports;
    HandheldObserver* m_observer = nullptr;
};

}  // namespace fluffo
