#pragma once
// The handheld's seven controls, one word for each wherever a control is meant: the key
// bindings, the drawn buttons, the pads, the driver's commands and the recorder's lines. Their
// order is the bindings' (Game A, Game B, Time, Up, Left, Right, Down): the first binding in it
// wins a key bound twice, and a control's number in it (1..7) names its stored value ("Key1").
// apply_control is the one way from a control to the handheld's `Inp_*_down` / `_up` pair.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace fluffo {

class Handheld;

enum class Control : uint8_t { Game_A, Game_B, Time, Up, Left, Right, Down };
inline constexpr size_t Control_Count = 7;
inline constexpr std::array<Control, Control_Count> All_Controls = {
    Control::Game_A, Control::Game_B, Control::Time, Control::Up,
    Control::Left,   Control::Right,  Control::Down};

// A value for each control, looked up by the control itself.
template <typename T>
struct PerControl {
    std::array<T, Control_Count> values{};

    constexpr T& operator[](Control c) { return values[static_cast<size_t>(c)]; }
    constexpr const T& operator[](Control c) const { return values[static_cast<size_t>(c)]; }
    constexpr void fill(const T& value) { values.fill(value); }
    bool operator==(const PerControl&) const = default;
};

// 1..7 in the order above, as stored value names and window element names count them.
constexpr int control_number(Control c) {
    return static_cast<int>(c) + 1;
}
constexpr std::optional<Control> control_numbered(int n) {
    if (n < 1 || n > static_cast<int>(Control_Count)) return std::nullopt;
    return All_Controls[static_cast<size_t>(n - 1)];
}

// The names the headless driver's commands and the recorder's lines use.
inline constexpr PerControl<std::string_view> Control_Names = {
    {"game_a", "game_b", "time", "up", "left", "right", "down"}};

constexpr std::string_view control_name(Control c) {
    return Control_Names[c];
}
constexpr std::optional<Control> control_named(std::string_view name) {
    for (Control c : All_Controls) {
        if (Control_Names[c] == name) return c;
    }
    return std::nullopt;
}

// The control pressed (its `Inp_*_down`) or released (its `Inp_*_up`).
void apply_control(Handheld& handheld, Control control, bool pressed);

}  // namespace fluffo
