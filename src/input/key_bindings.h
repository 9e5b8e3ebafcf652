#pragma once
// The seven key bindings (Game A, Game B, Time, Up, Left, Right, Down) and the key names:
// loading them at start-up, storing them when the key settings are accepted, and the hover
// hints of the main window's input areas that tell the player which key does what. Each
// binding keeps its key's list index (stored as "Key1".."Key7") and the virtual-key code
// derived from it; an index outside 1..44 is never used and falls back to the default.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/settings_store.h"
#include "display/screen_model.h"
#include "engine/control.h"
#include "input/key_list.h"

namespace fluffo {

struct Inp_Key_Binding {
    int32_t list_index = 0;             // 1..44, the stored value
    VirtualKey virtual_key = vk::None;  // derived by AssignWord; matches no key event till then
};

// The list orders the arrows up, down, left, right, so the direction defaults run 37, 39, 40,
// 38.
using KeyBindingTable = PerControl<Inp_Key_Binding>;
using KeyListIndexes = PerControl<int32_t>;
inline constexpr KeyListIndexes Default_Key_List_Indexes = {{2, 3, 4, 37, 39, 40, 38}};

// Sets the binding's virtual-key code from its list index. An index outside 1..44 leaves the
// code as it was.
void AssignWord(Control control, KeyBindingTable& bindings);

class KeyBindings {
public:
    // Builds the key names; the bindings are empty (no key) until loaded.
    KeyBindings();

    KeyBindingTable Inp_Key_Bindings{};
    std::array<std::string_view, Key_List_Count + 1> Inp_Key_Names{};  // [1..44]

    // Start-up: reads "Key1".."Key7" (missing, non-numeric or out-of-range values take their
    // default), derives the codes, refreshes the hints and writes all seven back in order.
    // The keys work and the hints are right even when a value is not text or the store refuses
    // a write; the first such error is thrown once all seven have been tried.
    void load(SettingsStore& store, ScreenModel& main_window);

    // Accepting the key settings window: takes the seven list indexes (out of range again
    // meaning the default), derives the codes, refreshes the hints and writes all seven,
    // unchanged ones included. Refusals are thrown as in load().
    void accept(const KeyListIndexes& list_indexes, SettingsStore& store, ScreenModel& main_window);

    // The hint name of the control's key; empty for a binding without a valid key.
    std::string_view name_of(Control control) const;
    // The first control, in the order Game A .. Down, bound to virtual_key; none for none.
    std::optional<Control> binding_for_key(VirtualKey virtual_key) const;

private:
    // Sets the bindings and hints, then writes all seven, keeping refusals in `refused`.
    void take(const KeyListIndexes& list_indexes, SettingsStore& store, ScreenModel& main_window,
              DeferredErrors& refused);
};

// Rewrites the hover hints of the main window's buttons, joystick area and overlay arrows
// from the current bindings.
void Inp_Refresh_Hints(const KeyBindings& keys, ScreenModel& main_window);

}  // namespace fluffo
