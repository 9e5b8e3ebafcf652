#include "input/key_bindings.h"

#include <string>

#include "base/settings_values.h"

namespace fluffo {

namespace {

bool is_binding(int n) {
    return n >= 1 && n <= Key_Binding_Count;
}

int32_t valid_or_default(int n, int32_t list_index) {
    // A value edited outside the program may name no key; it must never index the key list.
    return selectable_key(list_index) ? list_index
                                      : Default_Key_List_Indexes[static_cast<size_t>(n)];
}

}  // namespace

void AssignWord(int n, KeyBindingTable& bindings) {
    if (!is_binding(n)) return;
    Inp_Key_Binding& binding = bindings[static_cast<size_t>(n)];
    if (const SelectableKey* key = selectable_key(binding.list_index))
        binding.virtual_key = key->virtual_key;
}

KeyBindings::KeyBindings() {
    for (int i = 1; i <= Key_List_Count; ++i)
        Inp_Key_Names[static_cast<size_t>(i)] = selectable_key(i)->name;
}

void KeyBindings::load(SettingsStore& store, ScreenModel& main_window) {
    // A value of the wrong type is reported, but its binding still gets its default key, and
    // the write-back below replaces the value with text.
    DeferredErrors errors;
    KeyListIndexes stored = Default_Key_List_Indexes;
    for (int n = 1; n <= Key_Binding_Count; ++n) {
        int32_t& list_index = stored[static_cast<size_t>(n)];
        errors.attempt([&] { list_index = read_integer(store, key_value_name(n), list_index); });
    }
    take(stored, store, main_window, errors);
    errors.rethrow_first();
}

void KeyBindings::accept(const KeyListIndexes& list_indexes, SettingsStore& store,
                         ScreenModel& main_window) {
    DeferredErrors refused;
    take(list_indexes, store, main_window, refused);
    refused.rethrow_first();
}

void KeyBindings::take(const KeyListIndexes& list_indexes, SettingsStore& store,
                       ScreenModel& main_window, DeferredErrors& refused) {
    // Memory first: a refused write must not leave an action without its key or hint.
    for (int n = 1; n <= Key_Binding_Count; ++n) {
        Inp_Key_Bindings[static_cast<size_t>(n)].list_index =
            valid_or_default(n, list_indexes[static_cast<size_t>(n)]);
        AssignWord(n, Inp_Key_Bindings);
    }
    Inp_Refresh_Hints(*this, main_window);

    // The seven values in one go: one write to disk, not seven.
    StoreTexts values;
    for (int n = 1; n <= Key_Binding_Count; ++n) {
        values.emplace_back(key_value_name(n),
                            std::to_string(Inp_Key_Bindings[static_cast<size_t>(n)].list_index));
    }
    refused.attempt([&] { store.write_texts(values); });
}

std::string_view KeyBindings::name_of(int n) const {
    if (!is_binding(n)) return {};
    const int32_t list_index = Inp_Key_Bindings[static_cast<size_t>(n)].list_index;
    return selectable_key(list_index) ? Inp_Key_Names[static_cast<size_t>(list_index)] : "";
}

int KeyBindings::binding_for_key(VirtualKey virtual_key) const {
    if (virtual_key == 0) return 0;
    for (int n = 1; n <= Key_Binding_Count; ++n) {
        if (Inp_Key_Bindings[static_cast<size_t>(n)].virtual_key == virtual_key) return n;
    }
    return 0;
}

void Inp_Refresh_Hints(const KeyBindings& keys, ScreenModel& main_window) {
    const auto name = [&](int n) { return std::string(keys.name_of(n)); };
    const auto set = [&](std::string_view holder, std::string hint) {
        main_window.set_hint(main_window.require(holder), std::move(hint));
    };
    set("btn_game_a_top", "click or press " + name(Key_Game_A) + " " + "to start game A");
    set("btn_game_b_top", "click or press " + name(Key_Game_B) + " " + "to start game B");
    set("btn_time_top", "click or press " + name(Key_Time) + " " + "to switch mode");
    set("btn_set_top", "button disabled");
    set("btn_joystick_top", "activate the controller overlays or use " + name(Key_Up) + ", " +
                                name(Key_Left) + ", " + name(Key_Right) + ", " + name(Key_Down));
    set("btn_ctrlr_overlay_up", "click or press " + name(Key_Up));
    set("btn_ctrlr_overlay_left", "click or press " + name(Key_Left));
    set("btn_ctrlr_overlay_right", "click or press " + name(Key_Right));
    set("btn_ctrlr_overlay_down", "click or press " + name(Key_Down));
}

}  // namespace fluffo
