// The settings store's rules against the in-memory store: how integers and booleans read
// with their defaults, how values are written, the error texts, and the named values.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "base/settings_store.h"
#include "base/settings_values.h"

namespace fluffo {
namespace {

MemoryStore with(const std::string& name, const std::string& text, bool is_text = true) {
    MemoryStore store;
    store.set_raw(name, StoredValue{is_text, text});
    return store;
}

TEST(StoreIntegers, OnlyWholeDecimalTextInThirtyTwoBitsIsANumber) {
    EXPECT_EQ(parse_store_integer("37"), 37);
    EXPECT_EQ(parse_store_integer("-5"), -5);
    EXPECT_EQ(parse_store_integer("+5"), 5);
    EXPECT_EQ(parse_store_integer("007"), 7);
    EXPECT_EQ(parse_store_integer("2147483647"), INT32_MAX);
    EXPECT_EQ(parse_store_integer("-2147483648"), INT32_MIN);
    for (const char* bad : {"", "-", "+", "+-5", "abc", "5x", " 5", "5 ", "1e3", "0x10", "3.0",
                            "2147483648", "-2147483649", "99999999999999999999"}) {
        EXPECT_EQ(parse_store_integer(bad), std::nullopt) << '"' << bad << '"';
    }
}

TEST(StoreIntegers, MissingOrNonNumericValuesTakeTheDefaultStoredNumbersAreTakenAsTheyAre) {
    MemoryStore empty;
    EXPECT_EQ(read_integer(empty, "SoundMode", -1), -1);
    EXPECT_EQ(read_integer(empty, "HiScore1", 450), 450);  // the default passes through as given

    MemoryStore store = with("SoundMode", "fast");
    EXPECT_EQ(read_integer(store, "SoundMode", -1), -1);
    store.set_raw("HiScore1", {true, "-5"});  // no range limit
    EXPECT_EQ(read_integer(store, "HiScore1", 0), -5);
    store.set_raw("Key1", {true, ""});
    EXPECT_EQ(read_integer(store, "Key1", 2), 2);
}

TEST(StoreIntegers, AValueThatIsNotTextIsAnErrorEvenWhenItLooksLikeANumber) {
    MemoryStore store = with("HiScore2", "120", false);
    try {
        read_integer(store, "HiScore2", 0);
        FAIL() << "no error";
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'HiScore2'");
    }
    EXPECT_THROW(read_boolean(store, "HiScore2", true), StoreError);
}

TEST(StoreBooleans, AnyNonZeroIntegerIsTrueAndUnreadableTextIsTheDefault) {
    MemoryStore store;
    EXPECT_TRUE(read_boolean(store, "SplashScreen", true));
    EXPECT_FALSE(read_boolean(store, "SplashScreen", false));
    for (const auto& [text, expected] : std::initializer_list<std::pair<const char*, bool>>{
             {"1", true}, {"0", false}, {"2", true}, {"-1", true}, {"00", false}}) {
        store.set_raw("SplashScreen", {true, text});
        EXPECT_EQ(read_boolean(store, "SplashScreen", false), expected) << text;
        EXPECT_EQ(read_boolean(store, "SplashScreen", true), expected) << text;
    }
    store.set_raw("SplashScreen", {true, "yes"});
    EXPECT_TRUE(read_boolean(store, "SplashScreen", true));
    EXPECT_FALSE(read_boolean(store, "SplashScreen", false));
}

TEST(StoreWrites, ValuesAreWrittenAsDecimalTextAndOverwriteWhateverWasThere) {
    MemoryStore store = with("HiScore1", "x", false);
    write_integer(store, "HiScore1", 37);
    write_integer(store, "SoundMode", -1);
    write_integer(store, "HiScore2", 0);
    write_boolean(store, "SplashScreen", true);
    write_boolean(store, "FullscreenMode", false);
    write_integer(store, "Key1", INT32_MIN);
    const auto& v = store.values();
    EXPECT_EQ(v.at("HiScore1").text, "37");
    EXPECT_TRUE(v.at("HiScore1").is_text);
    EXPECT_EQ(v.at("SoundMode").text, "-1");
    EXPECT_EQ(v.at("HiScore2").text, "0");
    EXPECT_EQ(v.at("SplashScreen").text, "1");
    EXPECT_EQ(v.at("FullscreenMode").text, "0");
    EXPECT_EQ(v.at("Key1").text, "-2147483648");
    EXPECT_EQ(read_integer(store, "Key1", 0), INT32_MIN);  // what is written reads back
}

TEST(StoreWrites, ARefusedWriteNamesTheValueAndChangesNothing) {
    MemoryStore store = with("Key3", "4");
    store.set_refuse_writes(true);
    try {
        write_integer(store, "Key3", 44);
        FAIL() << "no error";
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'Key3'");
    }
    EXPECT_THROW(write_boolean(store, "CtrlrOverlay", false), StoreError);
    EXPECT_EQ(store.values().at("Key3").text, "4");
    EXPECT_EQ(store.values().size(), 1u);
}

TEST(StoreErrors, AKeyThatCannotBeCreatedNamesItsPath) {
    EXPECT_EQ(create_key_failed_text(Store_Key_Path),
              "Failed to create key Software\\Quillmoor\\FluffoB50");
}

TEST(StoreValues, AnEmptyStoreGivesTheFirstStartsChoices) {
    MemoryStore store;
    EXPECT_EQ(read_setting(store, Setting_SoundMode), -1);
    EXPECT_TRUE(read_setting(store, Setting_SplashScreen));
    EXPECT_TRUE(read_setting(store, Setting_FullscreenMode));
    EXPECT_TRUE(read_setting(store, Setting_CtrlrOverlay));
    EXPECT_TRUE(store.values().empty());  // reading creates nothing
}

TEST(StoreValues, UnreadableChoicesFallBackToNoSoundAndShowingTheStartScreen) {
    MemoryStore store;
    store.set_raw("SoundMode", {true, "DirectSound"});
    EXPECT_EQ(read_setting(store, Setting_SoundMode), -1);  // no choice
    store.set_raw("SoundMode", {true, "1"});
    EXPECT_EQ(read_setting(store, Setting_SoundMode), 1);
    store.set_raw("SplashScreen", {true, "2"});
    EXPECT_TRUE(read_setting(store, Setting_SplashScreen));
    store.set_raw("SplashScreen", {true, "on"});
    EXPECT_TRUE(read_setting(store, Setting_SplashScreen));
    write_setting(store, Setting_FullscreenMode, false);
    EXPECT_EQ(store.values().at("FullscreenMode").text, "0");
}

}  // namespace
}  // namespace fluffo

namespace fluffo {
namespace {

// A refused write stops nothing: the retrying store over a memory store that refuses on
// demand, step by step through one run.
TEST(RetryingStore, ARefusalIsToldOnceUntilAWriteGoesThroughWhichCarriesEveryUnwrittenValue) {
    MemoryStore disk;
    std::vector<std::string> told;
    RetryingStore store(disk, [&](const std::string& text) { told.push_back(text); });

    disk.set_refuse_writes(true);
    write_integer(store, Value_HiScore1, 450);   // a high score at game over: refused, no throw
    write_setting(store, Setting_SoundMode, 2);  // refused again: not told twice
    write_setting(store, Setting_SoundMode, 1);  // the latest choice is the one kept
    EXPECT_EQ(told, std::vector<std::string>{"Failed to set data for 'HiScore1'"});
    EXPECT_EQ(read_integer(store, Value_HiScore1, 0), 450);  // the run goes on with it
    EXPECT_EQ(read_setting(store, Setting_SoundMode), 1);
    EXPECT_TRUE(disk.values().empty());
    EXPECT_TRUE(store.has_unwritten());

    disk.set_refuse_writes(false);
    store.write_texts({{"Key1", "5"}, {"Key2", "6"}});  // any write that goes through...
    EXPECT_EQ(disk.values().size(), 4u);                // ...carries all that waited
    EXPECT_EQ(disk.values().at("HiScore1").text, "450");
    EXPECT_EQ(disk.values().at("SoundMode").text, "1");
    EXPECT_FALSE(store.has_unwritten());

    disk.set_refuse_writes(true);
    write_boolean(store, Setting_SplashScreen.name, false);  // a success was had: told again
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[1], "Failed to set data for 'SplashScreen'");
    EXPECT_FALSE(store.flush());  // the end of the program tries once more, telling nothing
    EXPECT_EQ(told.size(), 2u);
    disk.set_refuse_writes(false);
    EXPECT_TRUE(store.flush());
    EXPECT_EQ(disk.values().at("SplashScreen").text, "0");
    EXPECT_TRUE(store.flush());  // nothing left: nothing to do
}

}  // namespace
}  // namespace fluffo
