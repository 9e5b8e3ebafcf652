#pragma once
// The main window's part of the start screen's play action, once sound has started and the
// choices are stored: tick the pop-up entry "Display splash screen at startup" as the check
// box stands, bring the main window into view at the centre of the screen and light every
// segment (the first mode).

namespace fluffo {

class PlayTarget {
public:
    virtual ~PlayTarget() = default;
    virtual void start_play(bool splash_screen_checked) = 0;
};

}  // namespace fluffo
