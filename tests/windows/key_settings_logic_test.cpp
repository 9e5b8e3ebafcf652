// The key settings window's logic where the window's own tests do not reach: the boxes filled
// from the bindings, empty boxes, all seven stored after a refused write, and Esc. (Keys
// chosen twice and Enter are tested through the window.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/main_screen.h"
#include "support/control_printer.h"
#include "windows/key_settings_logic.h"

namespace fluffo {
namespace {

struct WindowCalls : KeySettingsView {
    std::vector<std::string> calls;
    void close_window() override { calls.push_back("close"); }
    void enable_main_window() override { calls.push_back("enable main"); }
};

struct KeySettingsRig {
    MainScreen screen;
    MemoryStore store;
    KeyBindings keys;
    WindowCalls window;
    KeySettingsLogic settings{keys, store, screen.model(), window};

    KeySettingsRig() { keys.load(store, screen.model()); }
    std::vector<int32_t> selections() const {
        std::vector<int32_t> all;
        for (Control c : All_Controls)
            all.push_back(settings.selection(c));
        return all;
    }
    // The controls whose labels are drawn red.
    std::vector<Control> red() const {
        std::vector<Control> marked;
        for (Control c : All_Controls) {
            EXPECT_TRUE(settings.label_colour(c) == Label_Red ||
                        settings.label_colour(c) == Label_White);
            if (settings.label_colour(c) == Label_Red) marked.push_back(c);
        }
        return marked;
    }
    std::string stored(int n) const { return store.values().at("Key" + std::to_string(n)).text; }
    std::string hint(const std::string& holder) const {
        return screen.model().at(screen.model().require(holder)).hint;
    }
};

constexpr int32_t Item_1 = 1;  // "1", the list's second entry
constexpr int32_t Item_Spacebar = 43;

TEST(KeySettingsLogicCreate, EachBoxShowsItsBindingsKeyAndTheDefaultsCanBeAccepted) {
    KeySettingsRig r;
    r.settings.FormCreate();
    EXPECT_EQ(r.selections(), (std::vector<int32_t>{1, 2, 3, 36, 38, 39, 37}));
    EXPECT_EQ(r.settings.item_text(Control::Up), "<UP ARROW>");
    EXPECT_EQ(r.settings.item_text(Control::Left), "<LEFT ARROW>");
    EXPECT_TRUE(r.red().empty());
    EXPECT_TRUE(r.settings.accept_enabled());
    EXPECT_TRUE(r.window.calls.empty());
}

TEST(KeySettingsLogicCreate, ABindingWithoutAValidKeyLeavesItsBoxEmptyAndAcceptDisabled) {
    KeySettingsRig r;
    r.keys.Inp_Key_Bindings[Control::Time].list_index = 45;
    r.settings.FormCreate();
    EXPECT_EQ(r.settings.selection(Control::Time), No_Selection);
    EXPECT_EQ(r.settings.item_text(Control::Time), "");
    // A lone empty box is no duplicate, but it would store no key.
    EXPECT_TRUE(r.red().empty());
    EXPECT_FALSE(r.settings.accept_enabled());
    r.settings.select(Control::Time, 20);
    EXPECT_TRUE(r.settings.accept_enabled());
}

TEST(KeySettingsLogicDuplicates, TwoEmptyBoxesShowTheSameTextAndAnItemOutsideTheListIsNone) {
    KeySettingsRig r;
    r.settings.FormCreate();
    r.settings.select(Control::Left, Key_List_Count);  // one past the last item
    EXPECT_EQ(r.settings.selection(Control::Left), No_Selection);
    EXPECT_TRUE(r.red().empty());
    EXPECT_FALSE(r.settings.accept_enabled());
    r.settings.select(Control::Right, No_Selection);
    EXPECT_EQ(r.red(), (std::vector<Control>{Control::Left, Control::Right}));
    EXPECT_FALSE(r.settings.accept_enabled());
}

TEST(KeySettingsLogicAccept, ARefusedWriteKeepsTheWindowOpenAndASecondAcceptStoresAllSeven) {
    KeySettingsRig r;
    r.settings.FormCreate();
    r.settings.select(Control::Time, Item_Spacebar);
    r.settings.select(Control::Up, 32);  // W
    r.store.set_refuse_writes(true);
    EXPECT_THROW(r.settings.FormKeyDown(vk::Enter), StoreError);
    EXPECT_TRUE(r.window.calls.empty());  // main window disabled, this one open
    EXPECT_EQ(r.stored(3), "4");
    EXPECT_EQ(r.settings.selection(Control::Time), Item_Spacebar);

    r.store.set_refuse_writes(false);
    EXPECT_TRUE(r.settings.FormKeyDown(vk::Enter));
    const std::vector<std::string> stored = {r.stored(1), r.stored(2), r.stored(3), r.stored(4),
                                             r.stored(5), r.stored(6), r.stored(7)};
    EXPECT_EQ(stored, (std::vector<std::string>{"2", "3", "44", "33", "39", "40", "38"}));
    EXPECT_EQ(r.keys.binding_for_key('W'), Control::Up);
    EXPECT_EQ(r.hint("btn_time_top"), "click or press 'spacebar' to switch mode");
    EXPECT_EQ(r.window.calls, (std::vector<std::string>{"enable main", "close"}));
}

TEST(KeySettingsLogicKeys, EscLeavesEverythingAsItWasAndOtherKeysGoOnToTheFocusedBox) {
    KeySettingsRig r;
    r.settings.FormCreate();
    for (uint16_t key : {uint16_t{38}, uint16_t{40}, uint16_t{'A'}, uint16_t{32}, uint16_t{0}})
        EXPECT_FALSE(r.settings.FormKeyDown(key)) << key;
    EXPECT_TRUE(r.window.calls.empty());

    r.settings.select(Control::Time, Item_1);
    r.store.set_refuse_writes(true);  // any write attempt would throw
    EXPECT_TRUE(r.settings.FormKeyDown(vk::Esc));
    EXPECT_EQ(r.window.calls, (std::vector<std::string>{"enable main", "close"}));
    EXPECT_EQ(r.keys.binding_for_key('3'), Control::Time);
    // The next opening shows the unaccepted choice, still marked.
    EXPECT_EQ(r.settings.selection(Control::Time), Item_1);
    EXPECT_EQ(r.red(), (std::vector<Control>{Control::Game_A, Control::Time}));
}

}  // namespace
}  // namespace fluffo
