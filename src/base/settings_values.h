#pragma once
// Where the user's choices live and what each value is called, with its default when absent.
// The high scores have no fixed default: a missing one keeps the high score in memory. The
// key bindings' defaults belong to the bindings (input/key_bindings.h).

#include <cstdint>
#include <string>
#include <string_view>

#include "base/settings_store.h"

namespace fluffo {

// The per-user key: organisation and application name, and the registry path they make.
inline constexpr std::string_view Store_Organisation = "Quillmoor";
inline constexpr std::string_view Store_Application = "FluffoB50";
inline constexpr std::string_view Store_Key_Path = "Software\\Quillmoor\\FluffoB50";

struct IntegerSetting {
    std::string_view name;
    int32_t default_value;
};
struct BooleanSetting {
    std::string_view name;
    bool default_value;
};

// -1: no sound output chosen yet.
inline constexpr IntegerSetting Setting_SoundMode{"SoundMode", -1};
inline constexpr BooleanSetting Setting_SplashScreen{"SplashScreen", true};
// The first start is fullscreen, with the controller overlay shown.
inline constexpr BooleanSetting Setting_FullscreenMode{"FullscreenMode", true};
inline constexpr BooleanSetting Setting_CtrlrOverlay{"CtrlrOverlay", true};
// The handheld's size in percent; a value that is not one of the sizes offered reads as the
// default (windows/window_zoom.h).
inline constexpr IntegerSetting Setting_WindowZoom{"WindowZoom", 100};

inline constexpr std::string_view Value_HiScore1 = "HiScore1";  // Game A
inline constexpr std::string_view Value_HiScore2 = "HiScore2";  // Game B

// The value that holds key binding n (1..7): "Key1" ... "Key7".
inline std::string key_value_name(int n) {
    return "Key" + std::to_string(n);
}

inline int32_t read_setting(SettingsStore& store, const IntegerSetting& s) {
    return read_integer(store, s.name, s.default_value);
}
inline bool read_setting(SettingsStore& store, const BooleanSetting& s) {
    return read_boolean(store, s.name, s.default_value);
}
inline void write_setting(SettingsStore& store, const IntegerSetting& s, int32_t value) {
    write_integer(store, s.name, value);
}
inline void write_setting(SettingsStore& store, const BooleanSetting& s, bool value) {
    write_boolean(store, s.name, value);
}

}  // namespace fluffo
