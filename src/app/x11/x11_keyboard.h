#pragma once
// What the held-key filter asks of the X server's keyboard, over the program's own connection:
// detectable auto-repeat (XKB's flag for one client: a held key repeats as presses alone, with
// no release between them) and whether a key is down at this moment. On another window system
// neither is there.

#include <cstdint>
#include <functional>

namespace fluffo {

// Asks for detectable auto-repeat; true when the server grants it. False on a server that
// does not, and away from X11.
bool ask_for_detectable_auto_repeat();

// Whether an X key code is down now; empty away from X11.
std::function<bool(uint32_t key)> x11_key_state();

}  // namespace fluffo
