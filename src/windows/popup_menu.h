#pragma once
// The main window's pop-up menu as the program designs it: fourteen entries in menu order
// (three of them separators), their captions, plain-key shortcuts (virtual-key codes, 0 for
// none) and which of them carry a check mark. The in-game menu offers the same entries.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

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
    uint16_t shortcut;         // virtual-key code, 0 for none
    MenuCommand command;
};

inline constexpr int Popup_Entry_Count = 14;

// [0..13] in menu order: pm_1_about is entry 0.
inline constexpr std::array<PopupEntry, Popup_Entry_Count> Popup_Entries = {{
    {"pm_1_about", "About...", 112, MenuCommand::About},
    {"pm_2_readme", "View 'Readme.txt'", 113, MenuCommand::Readme},
    {"pm_3_whatsnew", "View 'Whatsnew.txt'", 114, MenuCommand::Whatsnew},
    {"pm_4_manual", "View manual", 115, MenuCommand::Manual},
    {"pm_5_n1", "-", 0, MenuCommand::None},
    {"pm_6_config", "Edit configuration file", 0, MenuCommand::Config},
    {"pm_7_keys", "Key settings", 0, MenuCommand::Keys},
    {"pm_8_hiscore", "Reset Hiscores", 0, MenuCommand::Hiscore},
    {"pm_9_n2", "-", 0, MenuCommand::None},
    {"pm_10_fullscreen", "Display in fullscreen mode", 123, MenuCommand::Fullscreen},
    {"pm_11_splashscreen", "Display splash screen at startup", 0, MenuCommand::Splashscreen},
    {"pm_12_controller", "Display controller overlays", 0, MenuCommand::Controller},
    {"pm_13_n3", "-", 0, MenuCommand::None},
    {"pm_14_exit", "Exit", 27, MenuCommand::Exit},
}};

// The entry shown in bold, run by a double action on the menu.
inline constexpr int Popup_Default_Entry = 0;

inline bool is_separator(const PopupEntry& e) {
    return e.command == MenuCommand::None;
}

// The command whose shortcut is virtual_key, if any.
inline std::optional<MenuCommand> command_for_shortcut(uint16_t virtual_key) {
    if (virtual_key == 0) return std::nullopt;
    for (const PopupEntry& e : Popup_Entries) {
        if (e.shortcut == virtual_key) return e.command;
    }
    return std::nullopt;
}

}  // namespace fluffo
