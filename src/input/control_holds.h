#pragma once
// Who holds each of the seven controls. The keyboard, the mouse and every button and stick of
// every pad are sources of their own; a control is held while any source holds it. A press
// always reaches the control's `_down` entry point (a held key's repeats included: the actions
// swallow them), a release reaches `_up` only when no other source still holds the control, so
// a key and a pad used together never leave a button held nor release one that is still down.

#include <cstdint>
#include <vector>

#include "engine/control.h"

namespace fluffo {

// A pad is its device number (0 and up); the keyboard and the mouse have their own below 0.
// `control` tells apart the buttons and the stick of one pad.
struct ControlSource {
    int32_t device = 0;
    int32_t control = 0;
    bool operator==(const ControlSource&) const = default;
};
inline constexpr ControlSource Keyboard_Source{-1, 0};
inline constexpr ControlSource Mouse_Source{-2, 0};

class ControlHolds {
public:
    explicit ControlHolds(Handheld& handheld) : m_handheld(handheld) {}

    void press(ControlSource source, Control control);
    // A release by a source that did not hold the control still reaches `_up` when nobody
    // holds it (a key pressed while another window was active).
    void release(ControlSource source, Control control);
    // Everything the device holds, released (a pad pulled out mid-press).
    void release_device(int32_t device);

    bool held(Control control) const;
    bool held_by(ControlSource source, Control control) const;

private:
    Handheld& m_handheld;
    PerControl<std::vector<ControlSource>> m_holders{};
};

}  // namespace fluffo
