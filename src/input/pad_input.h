#pragma once
// Gamepads, free of the library that reads them: the buttons by their place on the pad, what
// each stands for (the D-pad and the left stick the four directions, South GAME A, East GAME
// B, West and North TIME, Start the in-game menu, Back nothing), and the left stick turned into
// one direction at a time. PadTracker turns a pad's raw buttons and stick into presses and
// releases, each press paired with its release even when the pad is pulled out mid-press.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "base/virtual_keys.h"
#include "engine/control.h"
#include "input/control_holds.h"

namespace fluffo {

enum class PadButton : uint8_t { South, East, West, North, Back, Start, Up, Down, Left, Right };
inline constexpr int Pad_Button_Count = 10;

// The handheld control a button stands for; none for Start and Back.
std::optional<Control> pad_control(PadButton button);
// The key a button gives the manual, about and key settings windows: the D-pad's left and
// right turn the manual's pages, East is Esc; vk::None for the rest.
VirtualKey pad_window_key(PadButton button);

// The left stick as a four-way controller. It leaves the centre only past Press_Zone and comes
// back only under Release_Zone (a stick resting near the edge of the dead zone does not
// flicker), gives the axis pushed furthest, and changes to the other axis only once that one
// leads by Axis_Margin (a diagonal does not flicker between two directions).
class StickDirection {
public:
    static constexpr int32_t Press_Zone = 16000;  // of 32767
    static constexpr int32_t Release_Zone = 10000;
    static constexpr int32_t Axis_Margin = 6000;

    // x grows to the right, y downwards; the direction now, or none at the centre.
    std::optional<PadButton> update(int32_t x, int32_t y);
    std::optional<PadButton> direction() const { return m_direction; }

private:
    std::optional<PadButton> m_direction;
};

struct PadPress {
    ControlSource source;  // the pad, and which of its buttons or its stick
    PadButton button;      // the stick gives Up .. Right
    bool down = false;
};

class PadTracker {
public:
    // The control number of a pad's stick in its sources; its buttons are 0 .. 9.
    static constexpr int32_t Stick_Control = Pad_Button_Count;

    using Output = std::function<void(const PadPress&)>;
    explicit PadTracker(Output output) : m_output(std::move(output)) {}

    // A button's state; a state it already has changes nothing.
    void button(int32_t pad, PadButton button, bool down);
    // The left stick's two axes, -32768 .. 32767.
    void stick(int32_t pad, int32_t x, int32_t y);
    // The pad is gone: whatever it held is released.
    void removed(int32_t pad);

    bool holds_anything(int32_t pad) const;

private:
    struct Pad {
        std::array<bool, Pad_Button_Count> held{};
        StickDirection stick;
    };
    void send(int32_t pad, int32_t control, PadButton button, bool down);

    Output m_output;
    std::map<int32_t, Pad> m_pads;
};

}  // namespace fluffo
