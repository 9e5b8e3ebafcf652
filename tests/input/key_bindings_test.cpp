// The selectable key list, the seven bindings loaded from and written to the store, the
// hover hints built from them, and which binding a key code finds.
#include <gtest/gtest.h>

#include <set>

#include "base/settings_store.h"
#include "display/main_screen.h"
#include "input/key_bindings.h"
#include "support/control_printer.h"

namespace fluffo {
namespace {

TEST(KeyList, DigitsAndLettersFollowTheirCharacterCodes) {
    for (int i = 1; i <= 36; ++i) {
        const SelectableKey& key = *selectable_key(i);
        const char c = i <= 10 ? static_cast<char>('0' + i - 1) : static_cast<char>('A' + i - 11);
        EXPECT_EQ(key.item_text, std::string(1, c)) << i;
        EXPECT_EQ(key.virtual_key, i <= 10 ? 47 + i : 54 + i) << i;
        EXPECT_EQ(key.name, "'" + std::string(1, c) + "'") << i;
    }
    EXPECT_EQ(selectable_key(10)->virtual_key, 57);  // the digit 9
    EXPECT_EQ(selectable_key(11)->virtual_key, 65);  // the letter A
}

TEST(KeyList, ItemTextsAndCodesAreDistinctAndOnlyOneToFortyFourNameAKey) {
    std::set<std::string_view> items;
    std::set<uint16_t> codes;
    for (const SelectableKey& key : Selectable_Keys) {
        items.insert(key.item_text);
        codes.insert(key.virtual_key);
    }
    EXPECT_EQ(items.size(), 44u);  // the key settings window tells keys apart by their text
    EXPECT_EQ(codes.size(), 44u);
    EXPECT_EQ(selectable_key(0), nullptr);
    EXPECT_EQ(selectable_key(45), nullptr);
    EXPECT_EQ(selectable_key(-1), nullptr);
}

struct KeysRig {
    MainScreen screen;
    MemoryStore store;
    KeyBindings keys;

    // Binding n (1..7) is the one stored as "Key<n>".
    uint16_t code(int n) const { return keys.Inp_Key_Bindings[control(n)].virtual_key; }
    int32_t index(int n) const { return keys.Inp_Key_Bindings[control(n)].list_index; }
    static Control control(int n) { return control_numbered(n).value(); }
    std::string hint(const std::string& holder) const {
        return screen.model().at(screen.model().require(holder)).hint;
    }
    std::string stored(int n) const { return store.values().at("Key" + std::to_string(n)).text; }
    void load() { keys.load(store, screen.model()); }
};

TEST(KeyBindingsLoad, FirstStartBindsTheDefaultsAndWritesAllSevenBack) {
    KeysRig r;
    r.load();
    const std::vector<uint16_t> codes = {r.code(1), r.code(2), r.code(3), r.code(4),
                                         r.code(5), r.code(6), r.code(7)};
    EXPECT_EQ(codes, (std::vector<uint16_t>{'1', '2', '3', 38, 37, 39, 40}));
    ASSERT_EQ(r.store.values().size(), 7u);
    const std::vector<std::string> stored = {r.stored(1), r.stored(2), r.stored(3), r.stored(4),
                                             r.stored(5), r.stored(6), r.stored(7)};
    EXPECT_EQ(stored, (std::vector<std::string>{"2", "3", "4", "37", "39", "40", "38"}));
}

TEST(KeyBindingsLoad, DefaultHintsReadExactly) {
    KeysRig r;
    r.load();
    EXPECT_EQ(r.hint("btn_game_a_top"), "click or press '1' to start game A");
    EXPECT_EQ(r.hint("btn_game_b_top"), "click or press '2' to start game B");
    EXPECT_EQ(r.hint("btn_time_top"), "click or press '3' to switch mode");
    EXPECT_EQ(r.hint("btn_set_top"), "button disabled");
    EXPECT_EQ(r.hint("btn_joystick_top"),
              "activate the controller overlays or use 'up arrow' key, 'left arrow' key, "
              "'right arrow' key, 'down arrow' key");
    EXPECT_EQ(r.hint("btn_ctrlr_overlay_up"), "click or press 'up arrow' key");
    EXPECT_EQ(r.hint("btn_ctrlr_overlay_left"), "click or press 'left arrow' key");
    EXPECT_EQ(r.hint("btn_ctrlr_overlay_right"), "click or press 'right arrow' key");
    EXPECT_EQ(r.hint("btn_ctrlr_overlay_down"), "click or press 'down arrow' key");
}

TEST(KeyBindingsLoad, StoredKeysBindSpaceModifiersAndLetters) {
    KeysRig r;
    r.store.set_raw("Key1", {true, "11"});
    r.store.set_raw("Key2", {true, "10"});
    r.store.set_raw("Key3", {true, "44"});
    r.store.set_raw("Key4", {true, "41"});
    r.store.set_raw("Key5", {true, "42"});
    r.store.set_raw("Key6", {true, "43"});
    r.store.set_raw("Key7", {true, "+36"});
    r.load();
    EXPECT_EQ(r.code(1), 65);
    EXPECT_EQ(r.code(2), 57);
    EXPECT_EQ(r.code(3), 32);
    EXPECT_EQ(r.code(4), 18);
    EXPECT_EQ(r.code(5), 17);
    EXPECT_EQ(r.code(6), 16);
    EXPECT_EQ(r.code(7), 'Z');
    EXPECT_EQ(r.stored(7), "36");  // written back in its own form
    EXPECT_EQ(r.hint("btn_time_top"), "click or press 'spacebar' to switch mode");
    EXPECT_EQ(r.hint("btn_game_a_top"), "click or press 'A' to start game A");
    EXPECT_EQ(r.hint("btn_joystick_top"),
              "activate the controller overlays or use 'alt' key, 'ctrl' key, 'shift' key, 'Z'");
    EXPECT_EQ(r.hint("btn_ctrlr_overlay_down"), "click or press 'Z'");
}

TEST(KeyBindingsLoad, ValuesNamingNoKeyFallBackToTheDefaultInMemoryAndInTheStore) {
    KeysRig r;
    r.store.set_raw("Key1", {true, "0"});
    r.store.set_raw("Key2", {true, "45"});
    r.store.set_raw("Key3", {true, "-3"});
    r.store.set_raw("Key4", {true, "up"});
    r.store.set_raw("Key5", {true, "99999999999"});
    r.store.set_raw("Key6", {true, "1"});  // a valid one stays
    r.load();
    EXPECT_EQ(r.index(1), 2);
    EXPECT_EQ(r.index(2), 3);
    EXPECT_EQ(r.index(3), 4);
    EXPECT_EQ(r.index(4), 37);
    EXPECT_EQ(r.index(5), 39);
    EXPECT_EQ(r.index(6), 1);
    EXPECT_EQ(r.code(2), '2');
    EXPECT_EQ(r.code(6), '0');
    EXPECT_EQ(r.stored(1), "2");
    EXPECT_EQ(r.stored(2), "3");
    EXPECT_EQ(r.stored(3), "4");
    EXPECT_EQ(r.stored(4), "37");
    EXPECT_EQ(r.stored(5), "39");
    EXPECT_EQ(r.stored(6), "1");
    EXPECT_EQ(r.hint("btn_game_b_top"), "click or press '2' to start game B");
}

TEST(KeyBindingsLoad, AValueOfTheWrongTypeIsReportedYetItsBindingWorksAndIsRepaired) {
    KeysRig r;
    r.store.set_raw("Key4", {false, "37"});
    r.store.set_raw("Key6", {false, ""});
    r.store.set_raw("Key7", {true, "44"});
    try {
        r.load();
        FAIL() << "no error";
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'Key4'");  // the first one
    }
    EXPECT_EQ(r.code(4), 38);
    EXPECT_EQ(r.code(6), 39);
    EXPECT_EQ(r.code(7), 32);
    EXPECT_TRUE(r.store.values().at("Key4").is_text);
    EXPECT_EQ(r.stored(4), "37");
    EXPECT_EQ(r.stored(6), "40");
    EXPECT_EQ(r.hint("btn_ctrlr_overlay_down"), "click or press 'spacebar'");
}

TEST(KeyBindingsLoad, ARefusedWriteBackStillLeavesEveryKeyAndHintInPlace) {
    KeysRig r;
    r.store.set_raw("Key7", {true, "12"});
    r.store.set_refuse_writes(true);
    try {
        r.load();
        FAIL() << "no error";
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'Key1'");
    }
    EXPECT_EQ(r.code(1), '1');
    EXPECT_EQ(r.code(7), 'B');
    EXPECT_EQ(r.hint("btn_ctrlr_overlay_down"), "click or press 'B'");
    EXPECT_EQ(r.store.values().size(), 1u);
}

TEST(KeyBindingsAccept, WritesAllSevenAndTheNewKeysTakeOverAtOnce) {
    KeysRig r;
    r.load();
    KeyListIndexes chosen = Default_Key_List_Indexes;
    chosen[Control::Time] = 44;
    chosen[Control::Up] = 33;   // W
    chosen[Control::Down] = 0;  // no key: back to the default
    r.keys.accept(chosen, r.store, r.screen.model());
    EXPECT_EQ(r.stored(3), "44");
    EXPECT_EQ(r.stored(4), "33");
    EXPECT_EQ(r.stored(7), "38");
    EXPECT_EQ(r.keys.binding_for_key(32), Control::Time);
    EXPECT_EQ(r.keys.binding_for_key('W'), Control::Up);
    EXPECT_FALSE(r.keys.binding_for_key(38));  // the up arrow is free now
    EXPECT_EQ(r.hint("btn_ctrlr_overlay_up"), "click or press 'W'");

    r.store.set_refuse_writes(true);
    chosen[Control::Up] = 37;
    EXPECT_THROW(r.keys.accept(chosen, r.store, r.screen.model()), StoreError);
    EXPECT_EQ(r.keys.binding_for_key(38), Control::Up);  // in memory even though the store refused
    EXPECT_EQ(r.stored(4), "33");
}

TEST(KeyBindingsLookup, TheFirstBindingInActionOrderWinsAndCodeZeroFindsNothing) {
    KeysRig r;
    EXPECT_FALSE(r.keys.binding_for_key(0));  // nothing bound before loading
    EXPECT_FALSE(r.keys.binding_for_key('1'));
    EXPECT_EQ(r.keys.name_of(Control::Game_A), "");
    r.store.set_raw("Key5", {true, "2"});  // Left also on "1", as Game A is
    r.load();
    EXPECT_EQ(r.keys.binding_for_key('1'), Control::Game_A);
    EXPECT_EQ(r.keys.binding_for_key(40), Control::Down);
    EXPECT_FALSE(r.keys.binding_for_key(0));
    EXPECT_FALSE(r.keys.binding_for_key('Q'));
}

TEST(AssignWordTest, DerivesFromTheListIndexAndLeavesTheCodeForAnIndexNamingNoKey) {
    KeyBindingTable table{};
    table[Control::Time].list_index = 44;
    AssignWord(Control::Time, table);
    EXPECT_EQ(table[Control::Time].virtual_key, 32);
    table[Control::Time].list_index = 45;
    AssignWord(Control::Time, table);
    EXPECT_EQ(table[Control::Time].virtual_key, 32);
    // Only the binding named changes.
    table[Control::Up].list_index = 1;
    AssignWord(Control::Game_B, table);
    EXPECT_EQ(table[Control::Up].virtual_key, 0);
}

}  // namespace
}  // namespace fluffo
