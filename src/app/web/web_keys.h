#pragma once
// The browser's keys in the program's one key vocabulary: a KeyboardEvent's `code` (the key's
// place, whatever the layout prints on it) as the virtual-key code Windows gives that place,
// and the page's size keys (Ctrl with plus, minus or 0). A code the program does not know is
// vk::None; the page's key handler then leaves the key to the browser.

#include <optional>
#include <string_view>

#include "base/virtual_keys.h"
#include "windows/window_zoom.h"

namespace fluffo {

VirtualKey virtual_key_of_code(std::string_view code);

// Ctrl held (Alt not) with plus, equals, minus or 0, by the event's `key` text: a step of the
// handheld's size, before and instead of any binding.
std::optional<ZoomChange> zoom_change_of_key(std::string_view key, KeyModifiers held);

}  // namespace fluffo
