#include "app/web/web_keys.h"

#include <array>

namespace fluffo {

namespace {

struct NamedCode {
    std::string_view code;
    VirtualKey key;
};
constexpr std::array<NamedCode, 14> Named_Codes = {{
    {"ArrowLeft", vk::Left},
    {"ArrowUp", vk::Up},
    {"ArrowRight", vk::Right},
    {"ArrowDown", vk::Down},
    {"ShiftLeft", vk::Shift},
    {"ShiftRight", vk::Shift},
    {"ControlLeft", vk::Ctrl},
    {"ControlRight", vk::Ctrl},
    {"AltLeft", vk::Alt},
    {"AltRight", vk::Alt},
    {"Space", vk::Space},
    {"Enter", vk::Enter},
    {"NumpadEnter", vk::Enter},
    {"Escape", vk::Esc},
}};

// The number that follows prefix in code, when all of the rest is digits (1 to 2 of them).
std::optional<int> number_after(std::string_view code, std::string_view prefix) {
    if (code.substr(0, prefix.size()) != prefix) return std::nullopt;
    const std::string_view rest = code.substr(prefix.size());
    if (rest.empty() || rest.size() > 2) return std::nullopt;
    int n = 0;
    for (const char c : rest) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

VirtualKey virtual_key_of_code(std::string_view code) {
    if (code.size() == 4 && code.substr(0, 3) == "Key" && code[3] >= 'A' && code[3] <= 'Z')
        return vk::letter(code[3]);
    if (const auto d = number_after(code, "Digit"); d && *d <= 9) return vk::digit(*d);
    if (const auto d = number_after(code, "Numpad"); d && *d <= 9) return vk::keypad_digit(*d);
    if (const auto n = number_after(code, "F"); n && *n >= 1 && *n <= vk::Function_Key_Count)
        return vk::function_key(*n);
    for (const NamedCode& c : Named_Codes) {
        if (c.code == code) return c.key;
    }
    return vk::None;
}

std::optional<ZoomChange> zoom_change_of_key(std::string_view key, KeyModifiers held) {
    if (!(held & mod::Ctrl) || (held & mod::Alt)) return std::nullopt;
    if (key == "+" || key == "=") return ZoomChange::Larger;
    if (key == "-" || key == "_") return ZoomChange::Smaller;
    if (key == "0" || key == ")") return ZoomChange::Reset;
    return std::nullopt;
}

}  // namespace fluffo
