#pragma once
// The one gate every entry from the toolkit into the core passes (an event, a timer, a menu
// command): the errors the platform raises (a refused settings write, an undecodable picture,
// a malformed colour number, a window too large to draw) abandon the handler in progress and
// are shown in the error box; the program goes on. Nothing else is caught: a fault in the
// program itself is not to be hidden.

#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "base/settings_store.h"
#include "base/shell_port.h"
#include "display/compositor.h"
#include "display/config_ini.h"
#include "display/picture_files.h"

namespace fluffo {

// Runs handler(); returns the text of the error that abandoned it, if one did. The caller
// shows it when it suits (after re-aiming the timers, so they run on beneath the box).
template <typename Handler>
std::optional<std::string> caught_error(Handler&& handler) {
    try {
        handler();
    } catch (const StoreError& e) {
        return e.what();
    } catch (const UndecodablePicture& e) {
        return e.what();
    } catch (const MalformedColour& e) {
        return e.what();
    } catch (const FrameTooLarge& e) {
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

// Steps that must all run even when the platform refuses some (a creation step, a switch that
// must not be left half done): the first refusal is kept and raised once the rest have run.
class DeferredErrors {
public:
    template <typename Step>
    void attempt(Step&& step) {
        try {
            step();
        } catch (const StoreError&) {
            keep();
        } catch (const UndecodablePicture&) {
            keep();
        } catch (const MalformedColour&) {
            keep();
        } catch (const FrameTooLarge&) {
            keep();
        }
    }
    void rethrow_first() const {
        if (m_first) std::rethrow_exception(m_first);
    }

private:
    void keep() {
        if (!m_first) m_first = std::current_exception();
    }
    std::exception_ptr m_first;
};

}  // namespace fluffo
