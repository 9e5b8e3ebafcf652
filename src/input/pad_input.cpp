#include "input/pad_input.h"

#include <cstdlib>

namespace fluffo {

std::optional<Control> pad_control(PadButton button) {
    switch (button) {
        case PadButton::South:
            return Control::Game_A;
        case PadButton::East:
            return Control::Game_B;
        case PadButton::West:
        case PadButton::North:
            return Control::Time;
        case PadButton::Up:
            return Control::Up;
        case PadButton::Down:
            return Control::Down;
        case PadButton::Left:
            return Control::Left;
        case PadButton::Right:
            return Control::Right;
        case PadButton::Back:
        case PadButton::Start:
            break;
    }
    return std::nullopt;
}

VirtualKey pad_window_key(PadButton button) {
    switch (button) {
        case PadButton::Left:
            return vk::Left;
        case PadButton::Right:
            return vk::Right;
        case PadButton::East:
            return vk::Esc;
        default:
            return vk::None;
    }
}

std::optional<PadButton> StickDirection::update(int32_t x, int32_t y) {
    // Wider than int32_t: the most negative axis value has no opposite in it.
    const int64_t ax = std::llabs(x);
    const int64_t ay = std::llabs(y);
    if (m_direction) {
        const bool horizontal = *m_direction == PadButton::Left || *m_direction == PadButton::Right;
        const bool positive = *m_direction == PadButton::Right || *m_direction == PadButton::Down;
        const int64_t along = (horizontal ? x : y) * (positive ? 1 : -1);
        const int64_t across = horizontal ? ay : ax;
        const bool centred = along < Release_Zone;
        const bool turned = across >= Press_Zone && across > along + Axis_Margin;
        if (!centred && !turned) return m_direction;
        m_direction.reset();
    }
    if (std::max(ax, ay) < Press_Zone) return m_direction;
    if (ax > ay) {
        m_direction = x > 0 ? PadButton::Right : PadButton::Left;
    } else {
        m_direction = y > 0 ? PadButton::Down : PadButton::Up;
    }
    return m_direction;
}

void PadTracker::send(int32_t pad, int32_t control, PadButton button, bool down) {
    if (m_output) m_output(PadPress{ControlSource{pad, control}, button, down});
}

void PadTracker::button(int32_t pad, PadButton button, bool down) {
    bool& held = m_pads[pad].held[static_cast<size_t>(button)];
    if (held == down) return;
    held = down;
    send(pad, static_cast<int32_t>(button), button, down);
}

void PadTracker::stick(int32_t pad, int32_t x, int32_t y) {
    StickDirection& stick = m_pads[pad].stick;
    const std::optional<PadButton> before = stick.direction();
    const std::optional<PadButton> now = stick.update(x, y);
    if (before == now) return;
    // The old direction lets go before the new one is pressed, as a thumb on a D-pad does.
    if (before) send(pad, Stick_Control, *before, false);
    if (now) send(pad, Stick_Control, *now, true);
}

void PadTracker::removed(int32_t pad) {
    const auto it = m_pads.find(pad);
    if (it == m_pads.end()) return;
    const Pad gone = it->second;
    m_pads.erase(it);
    for (int b = 0; b < Pad_Button_Count; ++b) {
        if (gone.held[static_cast<size_t>(b)]) send(pad, b, static_cast<PadButton>(b), false);
    }
    if (gone.stick.direction()) send(pad, Stick_Control, *gone.stick.direction(), false);
}

bool PadTracker::holds_anything(int32_t pad) const {
    const auto it = m_pads.find(pad);
    if (it == m_pads.end()) return false;
    for (bool b : it->second.held) {
        if (b) return true;
    }
    return it->second.stick.direction().has_value();
}

}  // namespace fluffo
