#include "input/key_bindings.h"

#include <string>

#include "base/settings_values.h"

namespace fluffo {

namespace {

int32_t valid_or_default(Control control, int32_t list_index) {
    // A value edited outside the program may name no key; it must never index the key list.
    return selectable_key(list_index) ? list_index : Default_Key_List_Indexes[control];
}

std::string value_name(Control control) {
    return key_value_name(control_number(control));
}

}  // namespace

void AssignWord(Control control, KeyBindingTable& bindings) {
    Inp_Key_Binding& binding = bindings[control];
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
    for (Control c : All_Controls) {
        int32_t& list_index = stored[c];
        errors.attempt([&] { list_index = read_integer(store, value_name(c), list_index); });
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
    // Memory first: a refused write must not leave a control without its key or hint.
    for (Control c : All_Controls) {
        Inp_Key_Bindings[c].list_index = valid_or_default(c, list_indexes[c]);
        AssignWord(c, Inp_Key_Bindings);
    }
    Inp_Refresh_Hints(*this, main_window);

    // The seven values in one go: one write to disk, not seven.
    StoreTexts values;
    for (Control c : All_Controls)
        values.emplace_back(value_name(c), std::to_string(Inp_Key_Bindings[c].list_index));
    refused.attempt([&] { store.write_texts(values); });
}

std::string_view KeyBindings::name_of(Control control) const {
    const int32_t list_index = Inp_Key_Bindings[control].list_index;
    return selectable_key(list_index) ? Inp_Key_Names[static_cast<size_t>(list_index)] : "";
}

std::optional<Control> KeyBindings::binding_for_key(VirtualKey virtual_key) const {
    if (virtual_key == 0) return std::nullopt;
    for (Control c : All_Controls) {
        if (Inp_Key_Bindings[c].virtual_key == virtual_key) return c;
    }
    return std::nullopt;
}

void Inp_Refresh_Hints(const KeyBindings& keys, ScreenModel& main_window) {
    const auto name = [&](Control c) { return std::string(keys.name_of(c)); };
    const auto set = [&](std::string_view holder, std::string hint) {
        main_window.set_hint(main_window.require(holder), std::move(hint));
    };
    set("btn_game_a_top", "click or press " + name(Control::Game_A) + " " + "to start game A");
    set("btn_game_b_top", "click or press " + name(Control::Game_B) + " " + "to start game B");
    set("btn_time_top", "click or press " + name(Control::Time) + " " + "to switch mode");
    set("btn_set_top", "button disabled");
    set("btn_joystick_top", "activate the controller overlays or use " + name(Control::Up) + ", " +
                                name(Control::Left) + ", " + name(Control::Right) + ", " +
                                name(Control::Down));
    set("btn_ctrlr_overlay_up", "click or press " + name(Control::Up));
    set("btn_ctrlr_overlay_left", "click or press " + name(Control::Left));
    set("btn_ctrlr_overlay_right", "click or press " + name(Control::Right));
    set("btn_ctrlr_overlay_down", "click or press " + name(Control::Down));
}

}  // namespace fluffo
