#include "windows/key_settings_logic.h"

#include <stdexcept>
#include <string>

namespace fluffo {

KeySettingsLogic::KeySettingsLogic(KeyBindings& keys, SettingsStore& store,
                                   ScreenModel& main_window, KeySettingsView& window)
    : m_keys(keys), m_store(store), m_main_window(main_window), m_window(window) {
    m_selection.fill(No_Selection);
    m_label_colour.fill(Label_White);
}

size_t KeySettingsLogic::slot(int n) {
    if (n < 1 || n > Key_Binding_Count)
        throw std::out_of_range("no key binding " + std::to_string(n));
    return static_cast<size_t>(n);
}

void KeySettingsLogic::FormCreate() {
    for (int n = 1; n <= Key_Binding_Count; ++n)
        select_quietly(n, m_keys.Inp_Key_Bindings[slot(n)].list_index - 1);
    cbChange();
}

bool KeySettingsLogic::CheckKeys() {
    m_label_colour.fill(Label_White);
    bool duplicate = false;
    // The boxes are told apart by what they show, so two empty boxes are a pair too.
    for (int j = 1; j <= Key_Binding_Count; ++j) {
        for (int k = 1; k <= Key_Binding_Count; ++k) {
            if (j == k || item_text(j) != item_text(k)) continue;
            m_label_colour[slot(j)] = Label_Red;
            m_label_colour[slot(k)] = Label_Red;
            duplicate = true;
        }
    }
    return duplicate;
}

void KeySettingsLogic::cbChange() {
    const bool duplicate = CheckKeys();
    // An empty box would be stored as no key at all; the player must choose one first.
    bool all_chosen = true;
    for (int n = 1; n <= Key_Binding_Count; ++n)
        all_chosen = all_chosen && selection(n) != No_Selection;
    m_accept_enabled = !duplicate && all_chosen;
}

void KeySettingsLogic::select(int n, int32_t item) {
    select_quietly(n, item);
    cbChange();
}

void KeySettingsLogic::select_quietly(int n, int32_t item) {
    m_selection[slot(n)] = item >= 0 && item < Key_List_Count ? item : No_Selection;
}

void KeySettingsLogic::btn_acceptClick() {
    if (!m_accept_enabled) return;
    KeyListIndexes list_indexes{};
    for (int n = 1; n <= Key_Binding_Count; ++n)
        list_indexes[slot(n)] = selection(n) + 1;
    // A refused write ends the handler here: the window stays open over the disabled main
    // window, and Accept can be tried again.
    m_keys.accept(list_indexes, m_store, m_main_window);
    m_window.enable_main_window();
    m_window.close_window();
}

bool KeySettingsLogic::FormKeyDown(VirtualKey virtual_key) {
    switch (virtual_key) {
        case vk::Enter:
            btn_acceptClick();
            return true;
        case vk::Esc:
            // The bindings stay as they were; the boxes keep what the player chose.
            m_window.enable_main_window();
            m_window.close_window();
            return true;
        default:
            return false;
    }
}

std::string_view KeySettingsLogic::item_text(int n) const {
    const SelectableKey* key = selectable_key(selection(n) + 1);
    return key ? key->item_text : std::string_view();
}

}  // namespace fluffo
