#pragma once
// The main window's pop-up menu as the program designs it: fourteen entries in menu order
// (three of them separators), their captions and plain-key shortcuts (vk::None for none). The
// in-game menu offers the same entries; which of them carry a check mark is the main window's
// logic's to say (MainWindowLogic::check_mark).

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/virtual_keys.h"

namespace fluffo {

enum class MenuCommand : uint8_t {
    None,  // a separator
    About,
    Readme,
    Whatsnew,
    Manual,
    Config,
    Keys,
    Hiscore,
    Fullscreen,
    Splashscreen,
    Controller,
    Exit,
};

struct PopupEntry {
    std::string_view name;     // pm_1_about ...
    std::string_view caption;  // "-" for a separator
    VirtualKey shortcut;       // vk::None for none
    MenuCommand command;
};

inline constexpr int Popup_Entry_Count = 14;

// [0..13] in menu order: pm_1_about is entry 0.
inline constexpr std::array<PopupEntry, Popup_Entry_Count> Popup_Entries = {{
    {"pm_1_about", "About...", vk::function_key(1), MenuCommand::About},
    {"pm_2_readme", "View 'Readme.txt'", vk::function_key(2), MenuCommand::Readme},
    {"pm_3_whatsnew", "View 'Whatsnew.txt'", vk::function_key(3), MenuCommand::Whatsnew},
    {"pm_4_manual", "View manual", vk::function_key(4), MenuCommand::Manual},
    {"pm_5_n1", "-", vk::None, MenuCommand::None},
    {"pm_6_config", "Edit configuration file", vk::None, MenuCommand::Config},
    {"pm_7_keys", "Key settings", vk::None, MenuCommand::Keys},
    {"pm_8_hiscore", "Reset Hiscores", vk::None, MenuCommand::Hiscore},
    {"pm_9_n2", "-", vk::None, MenuCommand::None},
    {"pm_10_fullscreen", "Display in fullscreen mode", vk::function_key(12),
     MenuCommand::Fullscreen},
    {"pm_11_splashscreen", "Display splash screen at startup", vk::None, MenuCommand::Splashscreen},
    {"pm_12_controller", "Display controller overlays", vk::None, MenuCommand::Controller},
    {"pm_13_n3", "-", vk::None, MenuCommand::None},
    {"pm_14_exit", "Exit", vk::Esc, MenuCommand::Exit},
}};

// The entry shown in bold, run by a double action on the menu.
inline constexpr int Popup_Default_Entry = 0;

inline bool is_separator(const PopupEntry& e) {
    return e.command == MenuCommand::None;
}

// The one rule for which modifiers a shortcut may be held with: the menu's shortcuts are plain
// keys, Shift may stay (as it may with a Shift+digit binding), and a key with Ctrl, Alt or the
// system key held is no shortcut.
inline bool is_plain_key(KeyModifiers held) {
    return (held & ~mod::Shift) == 0;
}

// The command whose shortcut is virtual_key held with these modifiers, if any.
inline std::optional<MenuCommand> command_for_shortcut(VirtualKey virtual_key, KeyModifiers held) {
    if (virtual_key == vk::None || !is_plain_key(held)) return std::nullopt;
    for (const PopupEntry& e : Popup_Entries) {
        if (e.shortcut == virtual_key) return e.command;
    }
    return std::nullopt;
}

}  // namespace fluffo
