#pragma once
// The one gate every entry from the toolkit into the core passes (an event, a timer, a menu
// command): a PlatformError abandons the handler in progress and is shown in the error box;
// the program goes on. Nothing else is caught: a fault in the program itself is not to be
// hidden.

#include <optional>
#include <string>
#include <utility>

#include "base/platform_error.h"
#include "base/shell_port.h"

namespace fluffo {

// Runs handler(); returns the text of the error that abandoned it, if one did. The caller
// shows it when it suits (after re-aiming the timers, so they run on beneath the box).
template <typename Handler>
std::optional<std::string> caught_error(Handler&& handler) {
    try {
        handler();
    } catch (const PlatformError& e) {
        return e.what();
    }
    return std::nullopt;
}

// Runs handler(); returns false when it was abandoned by an error the user has now seen.
template <typename Handler>
bool run_guarded(ShellPort& shell, Handler&& handler) {
    const auto error = caught_error(std::forward<Handler>(handler));
    if (error) shell.show_error(*error);
    return !error;
}

}  // namespace fluffo
