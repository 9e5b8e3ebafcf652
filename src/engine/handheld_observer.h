#pragma once
// What reaches the handheld from outside, told as it is applied: a press or release of one of
// its seven controls (from a key, a click on a drawn button or a pad alike) and a reset of the
// high scores; and every mode entered, whether an input or a timer led there. A recorder of
// play listens here; the handheld works the same without a listener. Calls come inside the
// handheld's own call, at the scheduler's time of it.

#include "engine/control.h"
#include "engine/game_state.h"

namespace fluffo {

class HandheldObserver {
public:
    virtual ~HandheldObserver() = default;
    // Before the control acts.
    virtual void control_applied(Control control, bool pressed) = 0;
    // Once the mode's display and timers are set.
    virtual void mode_entered(Mode mode) = 0;
    // Once both high scores are 0 in memory, before they are written to the store.
    virtual void high_scores_reset() = 0;
};

}  // namespace fluffo
