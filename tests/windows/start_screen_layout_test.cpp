// The start screen's layout as a player meets it: every control has a place of its own
// inside the window, so a click lands on one control only; the background lies beneath them
// all and the play button's two looks take turns in one place.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "windows/start_screen_layout.h"

namespace fluffo {
namespace {

bool overlap(const Rect& a, const Rect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

bool inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

TEST(StartScreenLayoutTest, EveryControlHasAPlaceOfItsOwnInsideTheWindow) {
    std::set<std::string_view> names;
    for (const StartScreenPlace& p : Start_Screen_Layout) {
        SCOPED_TRACE(std::string(p.name));
        EXPECT_TRUE(names.insert(p.name).second) << "named twice";
        EXPECT_GT(p.bounds.width, 0);
        EXPECT_GT(p.bounds.height, 0);
        EXPECT_TRUE(inside(p.bounds, Start_Screen_Client));
        EXPECT_EQ(start_screen_place(p.name), p.bounds);
        for (const StartScreenPlace& other : Start_Screen_Layout) {
            if (&other == &p || p.name == "im_background" || other.name == "im_background")
                continue;
            // Only the play button's two looks, btn_play and btn_play_disabled, share a place.
            if (p.name.starts_with("btn_play") && other.name.starts_with("btn_play")) {
                EXPECT_EQ(p.bounds, other.bounds) << other.name;
            } else {
                EXPECT_FALSE(overlap(p.bounds, other.bounds)) << other.name;
            }
        }
    }
    EXPECT_EQ(start_screen_place("im_background"), Start_Screen_Client);
    EXPECT_EQ(Start_Screen_Layout.front().name, "im_background");  // made first: beneath all
    EXPECT_THROW(start_screen_place("btn_play_"), std::logic_error);
}

}  // namespace
}  // namespace fluffo
