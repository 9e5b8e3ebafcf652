#pragma once
// The 44 keys a player may bind, in list order: the item texts of the key settings window's
// choice boxes, the virtual-key code each one stands for, and the name the hover hints use.
// A binding stores its key's 1-based position in this list (its list index).

#include <array>
#include <cstdint>
#include <string_view>

namespace fluffo {

struct SelectableKey {
    std::string_view item_text;  // as the choice boxes list it: "A", "<UP ARROW>"
    uint16_t virtual_key;        // Windows virtual-key numbering
    std::string_view name;       // as the hints say it: "'A'", "'up arrow' key"
};

inline constexpr int Key_List_Count = 44;

inline constexpr std::array<SelectableKey, Key_List_Count> Selectable_Keys = {{
    // 1..10: the digits
    {"0", 48, "'0'"},
    {"1", 49, "'1'"},
    {"2", 50, "'2'"},
    {"3", 51, "'3'"},
    {"4", 52, "'4'"},
    {"5", 53, "'5'"},
    {"6", 54, "'6'"},
    {"7", 55, "'7'"},
    {"8", 56, "'8'"},
    {"9", 57, "'9'"},
    // 11..36: the letters
    {"A", 65, "'A'"},
    {"B", 66, "'B'"},
    {"C", 67, "'C'"},
    {"D", 68, "'D'"},
    {"E", 69, "'E'"},
    {"F", 70, "'F'"},
    {"G", 71, "'G'"},
    {"H", 72, "'H'"},
    {"I", 73, "'I'"},
    {"J", 74, "'J'"},
    {"K", 75, "'K'"},
    {"L", 76, "'L'"},
    {"M", 77, "'M'"},
    {"N", 78, "'N'"},
    {"O", 79, "'O'"},
    {"P", 80, "'P'"},
    {"Q", 81, "'Q'"},
    {"R", 82, "'R'"},
    {"S", 83, "'S'"},
    {"T", 84, "'T'"},
    {"U", 85, "'U'"},
    {"V", 86, "'V'"},
    {"W", 87, "'W'"},
    {"X", 88, "'X'"},
    {"Y", 89, "'Y'"},
    {"Z", 90, "'Z'"},
    // 37..44: the arrows (up, down, left, right), the modifiers and the space bar
    {"<UP ARROW>", 38, "'up arrow' key"},        // 37
    {"<DOWN ARROW>", 40, "'down arrow' key"},    // 38
    {"<LEFT ARROW>", 37, "'left arrow' key"},    // 39
    {"<RIGHT ARROW>", 39, "'right arrow' key"},  // 40
    {"<ALT>", 18, "'alt' key"},                  // 41
    {"<CTRL>", 17, "'ctrl' key"},                // 42
    {"<SHIFT>", 16, "'shift' key"},              // 43
    {"<SPACEBAR>", 32, "'spacebar'"},            // 44
}};

// The key at list index 1..44, or nullptr for any other index.
constexpr const SelectableKey* selectable_key(int32_t list_index) {
    if (list_index < 1 || list_index > Key_List_Count) return nullptr;
    return &Selectable_Keys[static_cast<size_t>(list_index - 1)];
}

}  // namespace fluffo
