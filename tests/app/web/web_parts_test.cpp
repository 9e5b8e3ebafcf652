// The web page's toolkit-free parts: the browser's key codes in the program's vocabulary, the
// local-storage store (all or none, a refusal told once with nothing lost), the windowed first
// start, and the paths the browser's pictures are kept under.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/web/browser_pictures.h"
#include "app/web/web_keys.h"
#include "app/web/web_store.h"
#include "base/settings_values.h"

namespace fluffo {
namespace {

TEST(WebKeys, CodesAreThePlacesWindowsNumbers) {
    const struct {
        const char* code;
        VirtualKey key;
    } cases[] = {
        {"Digit1", vk::digit(1)},
        {"Digit0", vk::digit(0)},
        {"KeyA", vk::letter('A')},
        {"KeyZ", vk::letter('Z')},
        {"Numpad7", vk::keypad_digit(7)},
        {"F1", vk::function_key(1)},
        {"F12", vk::function_key(12)},
        {"F24", vk::function_key(24)},
        {"ArrowUp", vk::Up},
        {"ArrowLeft", vk::Left},
        {"NumpadEnter", vk::Enter},
        {"Escape", vk::Esc},
        {"ShiftRight", vk::Shift},
        {"AltRight", vk::Alt},
        {"Space", vk::Space},
        // Not keys the program knows, or no key at all.
        {"F25", vk::None},
        {"F0", vk::None},
        {"Digit10", vk::None},
        {"Keya", vk::None},
        {"KeyAB", vk::None},
        {"NumpadAdd", vk::None},
        {"Backquote", vk::None},
        {"", vk::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(virtual_key_of_code(c.code), c.key) << c.code;
}

TEST(WebKeys, SizeKeysNeedCtrlWithoutAlt) {
    EXPECT_EQ(zoom_change_of_key("+", mod::Ctrl), ZoomChange::Larger);
    EXPECT_EQ(zoom_change_of_key("=", mod::Ctrl | mod::Shift), ZoomChange::Larger);
    EXPECT_EQ(zoom_change_of_key("-", mod::Ctrl), ZoomChange::Smaller);
    EXPECT_EQ(zoom_change_of_key("0", mod::Ctrl), ZoomChange::Reset);
    EXPECT_FALSE(zoom_change_of_key("0", mod::None));  // the handheld's own 0
    EXPECT_FALSE(zoom_change_of_key("+", mod::Ctrl | mod::Alt));
    EXPECT_FALSE(zoom_change_of_key("a", mod::Ctrl));
}

// localStorage as a browser in private mode or at its quota keeps it.
class FakeMedium : public StorageMedium {
public:
    std::optional<std::string> get(const std::string& name) override {
        const auto it = items.find(name);
        if (it == items.end()) return std::nullopt;
        return it->second;
    }
    bool set(const std::string& name, const std::string& text) override {
        if (refuse.count(name)) return false;
        items[name] = text;
        return true;
    }
    void remove(const std::string& name) override { items.erase(name); }
    std::vector<std::string> names() override {
        std::vector<std::string> out;
        for (const auto& [name, text] : items)
            out.push_back(name);
        return out;
    }
    std::map<std::string, std::string> items;
    std::set<std::string> refuse;
};

TEST(WebStore, ARefusedWriteTakesBackTheWholeBatch) {
    FakeMedium medium;
    medium.items["Key1"] = "2";
    medium.refuse = {"Key3"};
    WebStore store(medium);
    try {
        store.write_texts({{"Key1", "5"}, {"Key2", "6"}, {"Key3", "7"}});
        FAIL() << "the refusal was not raised";
    } catch (const StoreError& e) {
        EXPECT_EQ(std::string(e.what()), set_data_failed_text("Key1"));
    }
    EXPECT_EQ(medium.items, (std::map<std::string, std::string>{{"Key1", "2"}}));

    medium.refuse.clear();
    write_integer(store, Value_HiScore2, 340);
    EXPECT_EQ(medium.items.at("HiScore2"), "340");
    EXPECT_EQ(read_integer(store, Value_HiScore2, 0), 340);
}

TEST(WebStore, PrivateModeIsToldOnceAndLosesNothingForTheSession) {
    FakeMedium medium;
    medium.refuse = {"HiScore1", "SoundMode"};
    WebStore web(medium);
    std::vector<std::string> told;
    RetryingStore store(web, [&](const std::string& text) { told.push_back(text); });
    write_integer(store, Value_HiScore1, 120);
    write_setting(store, Setting_SoundMode, 0);
    EXPECT_EQ(told, (std::vector<std::string>{set_data_failed_text("HiScore1")}));
    EXPECT_EQ(read_integer(store, Value_HiScore1, 0), 120);
    EXPECT_EQ(read_setting(store, Setting_SoundMode), 0);
    // Once the browser takes writes again, the waiting values go with the next one.
    medium.refuse.clear();
    write_integer(store, Value_HiScore2, 80);
    EXPECT_EQ(medium.items.at("HiScore1"), "120");
    EXPECT_EQ(medium.items.at("SoundMode"), "0");
}

TEST(WebStore, TheFirstStartIsWindowedAndAStoredChoiceStands) {
    MemoryStore inner;
    WindowedFirstStart store(inner);
    EXPECT_FALSE(read_setting(store, Setting_FullscreenMode));
    EXPECT_TRUE(read_setting(store, Setting_SplashScreen));  // other defaults untouched
    write_setting(store, Setting_FullscreenMode, true);
    EXPECT_TRUE(read_setting(store, Setting_FullscreenMode));
}

TEST(BrowserPictures, APictureIsFoundHoweverItsPathIsWritten) {
    BrowserPictures pictures;
    Picture p;
    p.width = p.height = 1;
    p.pixels = {0xff0000ffu};
    pictures.keep("Graphics/Skin/im_a.png", p);
    for (const char* path : {"Graphics/Skin/im_a.png", "./Graphics/Skin/im_a.png",
                             "Graphics\\Skin\\im_a.png", "Graphics//Skin/im_a.png"}) {
        EXPECT_TRUE(pictures.exists(path)) << path;
        EXPECT_EQ(pictures.load(path)->pixels[0], 0xff0000ffu) << path;
    }
    EXPECT_FALSE(pictures.exists("Graphics/Skin/im_b.png"));
    EXPECT_THROW(pictures.load("Graphics/Skin/im_b.png"), UndecodablePicture);
}

}  // namespace
}  // namespace fluffo
