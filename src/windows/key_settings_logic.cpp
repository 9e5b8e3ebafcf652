#include "windows/key_settings_logic.h"

namespace fluffo {

KeySettingsLogic::KeySettingsLogic(KeyBindings& keys, SettingsStore& store,
                                   ScreenModel& main_window, KeySettingsView& window)
    : m_keys(keys), m_store(store), m_main_window(main_window), m_window(window) {
    m_selection.fill(No_Selection);
    m_label_colour.fill(Label_White);
}

void KeySettingsLogic::FormCreate() {
    for (Control c : All_Controls)
        select_quietly(c, m_keys.Inp_Key_Bindings[c].list_index - 1);
    cbChange();
}

bool KeySettingsLogic::CheckKeys() {
    m_label_colour.fill(Label_White);
    bool duplicate = false;
    // The boxes are told apart by what they show, so two empty boxes are a pair too.
    for (Control j : All_Controls) {
        for (Control k : All_Controls) {
            if (j == k || item_text(j) != item_text(k)) continue;
            m_label_colour[j] = Label_Red;
            m_label_colour[k] = Label_Red;
            duplicate = true;
        }
    }
    return duplicate;
}

void KeySettingsLogic::cbChange() {
    const bool duplicate = CheckKeys();
    // An empty box would be stored as no key at all; the player must choose one first.
    bool all_chosen = true;
    for (Control c : All_Controls)
        all_chosen = all_chosen && selection(c) != No_Selection;
    m_accept_enabled = !duplicate && all_chosen;
}

void KeySettingsLogic::select(Control control, int32_t item) {
    select_quietly(control, item);
    cbChange();
}

void KeySettingsLogic::select_quietly(Control control, int32_t item) {
    m_selection[control] = item >= 0 && item < Key_List_Count ? item : No_Selection;
}

void KeySettingsLogic::btn_acceptClick() {
    if (!m_accept_enabled) return;
    KeyListIndexes list_indexes{};
    for (Control c : All_Controls)
        list_indexes[c] = selection(c) + 1;
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

std::string_view KeySettingsLogic::item_text(Control control) const {
    const SelectableKey* key = selectable_key(selection(control) + 1);
    return key ? key->item_text : std::string_view();
}

}  // namespace fluffo
