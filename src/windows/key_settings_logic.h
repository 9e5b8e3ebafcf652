#pragma once
// The key settings window's logic without its window: the seven choice boxes' selections, the
// labels marked red for a key chosen more than once, when Accept is enabled, and the keys the
// window takes before its focused box (Enter accepts, Esc leaves). Accepting stores all seven
// bindings; a refused write abandons the handler at the caller's error boundary with the main
// window still disabled and this window still open. The windows are reached through
// KeySettingsView.

#include <cstdint>
#include <string_view>

#include "base/settings_store.h"
#include "base/virtual_keys.h"
#include "display/screen_model.h"
#include "input/key_bindings.h"

namespace fluffo {

// The labels' font colours, 0xRRGGBB.
inline constexpr uint32_t Label_White = 0xffffff;
inline constexpr uint32_t Label_Red = 0xff0000;

// A choice box without a selection.
inline constexpr int32_t No_Selection = -1;

// What the logic asks of the windows around it.
class KeySettingsView {
public:
    virtual ~KeySettingsView() = default;
    // Hides the key settings window; its selections stay as they are for the next opening.
    virtual void close_window() = 0;
    // The main window takes input again and becomes the active window.
    virtual void enable_main_window() = 0;
};

class KeySettingsLogic {
public:
    // The main window's model receives the hints that name the accepted keys.
    KeySettingsLogic(KeyBindings& keys, SettingsStore& store, ScreenModel& main_window,
                     KeySettingsView& window);

    // Once, at start-up, after the bindings are loaded: each box shows its binding's key (a
    // binding without a valid key leaves its box empty), then cbChange.
    void FormCreate();
    // Marks every label whose box shows the same text as another box red, all others white;
    // true when there was such a pair. Two empty boxes show the same (empty) text.
    bool CheckKeys();
    // After every selection change: Accept is enabled exactly when no key is chosen twice and
    // every box holds a key.
    void cbChange();
    // The player changed the control's box to item (0-based; anything outside the list: none).
    void select(Control control, int32_t item);
    // Stores the seven keys, then enables the main window and closes this one. Nothing while
    // Accept is disabled.
    void btn_acceptClick();
    // A key seen before the focused box; false: the box handles it as usual.
    bool FormKeyDown(VirtualKey virtual_key);

    // The control's box's 0-based selection, or No_Selection.
    int32_t selection(Control control) const { return m_selection[control]; }
    // The text the control's box shows; empty without a selection.
    std::string_view item_text(Control control) const;
    uint32_t label_colour(Control control) const { return m_label_colour[control]; }
    bool accept_enabled() const { return m_accept_enabled; }

private:
    void select_quietly(Control control, int32_t item);

    KeyBindings& m_keys;
    SettingsStore& m_store;
    ScreenModel& m_main_window;
    KeySettingsView& m_window;
    PerControl<int32_t> m_selection{};
    PerControl<uint32_t> m_label_colour{};
    bool m_accept_enabled = false;
};

}  // namespace fluffo
