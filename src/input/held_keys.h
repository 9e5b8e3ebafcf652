#pragma once
// The keys held down, read from the window system's own stream of presses and releases, so
// that a held key gives each window one press when it goes down, presses marked as repeats
// while it stays down, and one release when it comes up, whatever the window system sends:
// - a press of a key already down is a repeat;
// - where the window system sends each repeat as a release and a press of the same time (X11
//   without detectable auto-repeat), a release waits for the press that may pair with it: that
//   press makes both one repeat, any other stroke (or the caller's settle()) makes the release
//   the key's last;
// - a key belongs to the window its press went to: its repeats reach that window only while it
//   has the keyboard, and its release goes there even when another window has the keyboard by
//   then, so a key held down while its window closes never acts in the window that gets the
//   keyboard.
// Keys are the window system's key codes (the same for a key's press and release).

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace fluffo {

// A window as the toolkit knows it; only compared.
using KeyWindow = const void*;

struct KeyStroke {
    bool press = true;           // false: a release
    uint32_t key = 0;            // the window system's code of the key
    uint64_t time_ms = 0;        // the window system's time of the stroke
    bool marked_repeat = false;  // the toolkit already saw it as part of a repeat
    KeyWindow window = nullptr;  // the window that has the keyboard
};

enum class KeyVerdict : uint8_t {
    Press,    // the key went down: a press for `to`
    Repeat,   // the key is still down: a press marked as a repeat for `to`
    Release,  // the key came up: a release for `to`
    Drop,     // nothing for any window
    Wait,     // a release that may pair with the next press: kept until the next stroke or
              // settle()
};

struct KeyOutcome {
    // A release that waited and turned out to be its key's last; delivered before this stroke.
    std::optional<KeyWindow> waited_release_to;
    KeyVerdict verdict = KeyVerdict::Drop;
    KeyWindow to = nullptr;
};

class HeldKeys {
public:
    // releases_may_pair: the window system may send a repeat as a release and a press.
    explicit HeldKeys(bool releases_may_pair) : m_releases_may_pair(releases_may_pair) {}

    KeyOutcome take(const KeyStroke& stroke);
    // The release that waits, taken as its key's last: the window it goes to.
    std::optional<KeyWindow> settle();
    // The key of the release that waits.
    std::optional<uint32_t> waiting_key() const;
    // Forgets the keys held here that are up (their releases went to another program).
    void forget_released(const std::function<bool(uint32_t key)>& is_down);
    bool is_held(uint32_t key) const;

private:
    struct Held {
        uint32_t key;
        KeyWindow window;  // the window its press went to
    };
    struct Waiting {
        uint32_t key;
        uint64_t time_ms;
    };

    std::vector<Held>::iterator find(uint32_t key);
    KeyWindow release(std::vector<Held>::iterator held);

    bool m_releases_may_pair;
    std::vector<Held> m_held;
    std::optional<Waiting> m_waiting;
};

}  // namespace fluffo
