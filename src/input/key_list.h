#pragma once
// The 44 keys a player may bind, in list order: the item texts of the key settings window's
// choice boxes, the virtual-key code each one stands for, and the name the hover hints use.
// A binding stores its key's 1-based position in this list (its list index).

#include <array>
#include <cstdint>
#include <string_view>

#include "base/virtual_keys.h"

namespace fluffo {

struct SelectableKey {
    std::string_view item_text;  // as the choice boxes list it: "A", "<UP ARROW>"
    VirtualKey virtual_key;
    std::string_view name;  // as the hints say it: "'A'", "'up arrow' key"
};

inline constexpr int Key_List_Count = 44;

inline constexpr std::array<SelectableKey, Key_List_Count> Selectable_Keys = {{
    // 1..10: the digits
    {"0", vk::digit(0), "'0'"},
    {"1", vk::digit(1), "'1'"},
    {"2", vk::digit(2), "'2'"},
    {"3", vk::digit(3), "'3'"},
    {"4", vk::digit(4), "'4'"},
    {"5", vk::digit(5), "'5'"},
    {"6", vk::digit(6), "'6'"},
    {"7", vk::digit(7), "'7'"},
    {"8", vk::digit(8), "'8'"},
    {"9", vk::digit(9), "'9'"},
    // 11..36: the letters
    {"A", vk::letter('A'), "'A'"},
    {"B", vk::letter('B'), "'B'"},
    {"C", vk::letter('C'), "'C'"},
    {"D", vk::letter('D'), "'D'"},
    {"E", vk::letter('E'), "'E'"},
    {"F", vk::letter('F'), "'F'"},
    {"G", vk::letter('G'), "'G'"},
    {"H", vk::letter('H'), "'H'"},
    {"I", vk::letter('I'), "'I'"},
    {"J", vk::letter('J'), "'J'"},
    {"K", vk::letter('K'), "'K'"},
    {"L", vk::letter('L'), "'L'"},
    {"M", vk::letter('M'), "'M'"},
    {"N", vk::letter('N'), "'N'"},
    {"O", vk::letter('O'), "'O'"},
    {"P", vk::letter('P'), "'P'"},
    {"Q", vk::letter('Q'), "'Q'"},
    {"R", vk::letter('R'), "'R'"},
    {"S", vk::letter('S'), "'S'"},
    {"T", vk::letter('T'), "'T'"},
    {"U", vk::letter('U'), "'U'"},
    {"V", vk::letter('V'), "'V'"},
    {"W", vk::letter('W'), "'W'"},
    {"X", vk::letter('X'), "'X'"},
    {"Y", vk::letter('Y'), "'Y'"},
    {"Z", vk::letter('Z'), "'Z'"},
    // 37..44: the arrows (up, down, left, right), the modifiers and the space bar
    {"<UP ARROW>", vk::Up, "'up arrow' key"},           // 37
    {"<DOWN ARROW>", vk::Down, "'down arrow' key"},     // 38
    {"<LEFT ARROW>", vk::Left, "'left arrow' key"},     // 39
    {"<RIGHT ARROW>", vk::Right, "'right arrow' key"},  // 40
    {"<ALT>", vk::Alt, "'alt' key"},                    // 41
    {"<CTRL>", vk::Ctrl, "'ctrl' key"},                 // 42
    {"<SHIFT>", vk::Shift, "'shift' key"},              // 43
    {"<SPACEBAR>", vk::Space, "'spacebar'"},            // 44
}};

// The key at list index 1..44, or nullptr for any other index.
constexpr const SelectableKey* selectable_key(int32_t list_index) {
    if (list_index < 1 || list_index > Key_List_Count) return nullptr;
    return &Selectable_Keys[static_cast<size_t>(list_index - 1)];
}

}  // namespace fluffo
