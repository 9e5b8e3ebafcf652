// The left stick as a four-way controller: its dead zone, the hysteresis at the centre and
// between the axes, and the furthest axis winning; and a pad pulled out mid-press.
#include <gtest/gtest.h>

#include <vector>

#include "input/pad_input.h"

namespace fluffo {
namespace {

using P = PadButton;

struct StickCase {
    const char* name;
    std::vector<std::array<int32_t, 2>> moves;  // x, y; the last one is judged
    std::optional<PadButton> expected;
};

TEST(StickDirection, DeadZoneHysteresisAndTheDominantAxis) {
    const std::vector<StickCase> cases = {
        {"resting at the centre", {{0, 0}}, std::nullopt},
        {"inside the dead zone", {{15999, -15999}}, std::nullopt},
        {"just past it", {{16000, 0}}, P::Right},
        {"upwards is negative y", {{0, -20000}}, P::Up},
        {"downwards", {{3000, 20000}}, P::Down},
        {"the far end of the axis", {{-32768, 0}}, P::Left},
        {"held between the zones", {{20000, 0}, {11000, 0}}, P::Right},
        {"back under the release zone", {{20000, 0}, {9999, 0}}, std::nullopt},
        {"between the zones from the centre", {{12000, 0}}, std::nullopt},
        {"the furthest axis wins", {{17000, -16500}}, P::Right},
        {"a diagonal does not flicker", {{20000, 0}, {20000, 25000}}, P::Right},
        {"the other axis leads by the margin", {{20000, 0}, {19000, 25001}}, P::Down},
        {"a flick through the centre", {{20000, 0}, {-20000, 0}}, P::Left},
        {"centre, then the other way", {{0, 20000}, {0, 0}, {0, -20000}}, P::Up},
        {"a pushed axis falling back lets the other win", {{20000, 0}, {5000, 17000}}, P::Down},
    };
    for (const StickCase& c : cases) {
        StickDirection stick;
        std::optional<PadButton> got;
        for (const auto& [x, y] : c.moves)
            got = stick.update(x, y);
        EXPECT_EQ(got, c.expected) << c.name;
        EXPECT_EQ(stick.direction(), got) << c.name;
    }
}

TEST(PadTracker, EachPressIsPairedWithItsReleaseEvenWhenThePadIsPulledOut) {
    std::vector<PadPress> out;
    PadTracker tracker([&](const PadPress& p) { out.push_back(p); });
    tracker.button(3, P::South, true);
    tracker.button(3, P::South, true);  // the state it has: nothing
    tracker.button(4, P::South, true);  // another pad is another source
    tracker.stick(3, 0, 30000);
    tracker.stick(3, 30000, 0);  // down lets go before right is pressed
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out[1].source, (ControlSource{4, 0}));
    EXPECT_EQ(out[3].button, P::Down);
    EXPECT_FALSE(out[3].down);
    EXPECT_EQ(out[4].source, (ControlSource{3, PadTracker::Stick_Control}));
    EXPECT_TRUE(tracker.holds_anything(3));

    out.clear();
    tracker.removed(3);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].button, P::South);
    EXPECT_EQ(out[1].button, P::Right);
    EXPECT_FALSE(out[0].down || out[1].down);
    EXPECT_FALSE(tracker.holds_anything(3));
    EXPECT_TRUE(tracker.holds_anything(4));
    tracker.removed(3);  // twice: nothing more
    EXPECT_EQ(out.size(), 2u);
}

}  // namespace
}  // namespace fluffo
