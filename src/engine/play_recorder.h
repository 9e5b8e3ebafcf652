#pragma once
// Records the play that reaches a handheld as a fluffo-sim script, so that `fluffo-sim < FILE`
// plays the same game again: the start (seed, wall clock, high scores), then every control
// pressed or released, the play action and a high-score reset, each after a "wait" for the
// scheduler time since the line before. The times are the scheduler's own at the moment the
// handheld applied each one, after the timers due before it had fired, so a replay meets the
// same ticks in the same order. At each game's end the script expects the score, lives, stage
// and mode; at the recording's end it expects every member of "state", asks for it, and notes
// the state it expects as a comment. The stream is flushed after each game and at the end.

#include <cstdint>
#include <ostream>
#include <string>

#include "base/wall_clock.h"
#include "engine/game_state.h"
#include "engine/handheld_observer.h"
#include "engine/scheduler.h"

namespace fluffo {

struct RecordingStart {
    std::string program;  // title and version, for the opening comment
    std::string date;     // when it was recorded, as text
    uint32_t seed = 0;    // the seed the chance generator was given
    LocalTime clock;      // the wall clock at scheduler time 0
};

class PlayRecorder : public HandheldObserver {
public:
    // Writes the script's opening at once: the high scores are those the state holds now.
    PlayRecorder(std::ostream& out, const GameState& state, const Scheduler& scheduler,
                 const RecordingStart& start);
    PlayRecorder(const PlayRecorder&) = delete;
    PlayRecorder& operator=(const PlayRecorder&) = delete;

    void control_applied(Control control, bool pressed) override;
    // The play action is the one way into every segment lit, and is written as "play".
    void mode_entered(Mode mode) override;
    void high_scores_reset() override;

    // The end: the time up to the scheduler's now, the expectations and "state". Later calls
    // write nothing.
    void finish();
    // The line the recording ends with: the state the replay has to print.
    static constexpr const char* State_Note = "# the program's state: ";

private:
    // Starts a line at the scheduler's time, after a "wait" when time has gone on.
    std::ostream& line();
    void expect(const char* key);

    std::ostream& m_out;
    const GameState& m_state;
    const Scheduler& m_scheduler;
    int64_t m_written_ms = 0;  // the replay's virtual time after the lines written so far
    bool m_finished = false;
};

}  // namespace fluffo
