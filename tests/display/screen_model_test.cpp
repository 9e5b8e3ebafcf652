// The screen model: lookup by name, and the rule that a setter records a changed rectangle only
// when the look can change, with the unread list kept small.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "display/screen_model.h"

namespace fluffo {
namespace {

PicturePtr picture(int32_t width, int32_t height) {
    auto p = std::make_shared<Picture>();
    p->width = width;
    p->height = height;
    p->pixels.assign(static_cast<size_t>(width * height), 0xff0000ffu);
    return p;
}

Holder holder(const char* name, Rect bounds, bool visible = false) {
    Holder h;
    h.name = name;
    h.bounds = bounds;
    h.visible = visible;
    return h;
}

struct ScreenModelTest : ::testing::Test {
    ScreenModel m;
    const Rect a_rect{10, 20, 30, 40};
    HolderId a = m.add(holder("a", a_rect));
    HolderId b = m.add(holder("b", Rect{100, 100, 5, 5}, true));
    PicturePtr pic = picture(8, 6);
    PicturePtr other = picture(12, 9);
};

TEST_F(ScreenModelTest, HoldersKeepDrawingOrderAndAreFoundByName) {
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(m.size(), 2u);
    EXPECT_EQ(m.find("a"), a);
    EXPECT_EQ(m.find("b"), b);
    EXPECT_EQ(m.find("c"), -1);
    EXPECT_EQ(m.require("b"), b);
    EXPECT_THROW(m.require("c"), std::out_of_range);
    EXPECT_THROW(m.add(holder("a", Rect{})), std::invalid_argument);
    EXPECT_EQ(m.at(a).name, "a");
    EXPECT_EQ(m.holders()[1].name, "b");
}

TEST_F(ScreenModelTest, SettersRejectUnknownIds) {
    EXPECT_THROW(m.set_picture(5, pic), std::out_of_range);
    EXPECT_THROW(m.set_bounds(-1, Rect{}), std::out_of_range);
    EXPECT_THROW(m.set_stretch(2, true), std::out_of_range);
}

TEST_F(ScreenModelTest, VisibilityOfHolderWithoutPictureRecordsNothing) {
    m.set_visible(a, true);
    EXPECT_TRUE(m.at(a).visible);
    m.set_visible(a, false);
    EXPECT_FALSE(m.at(a).visible);
    EXPECT_TRUE(m.dirty().empty());
}

TEST_F(ScreenModelTest, VisibilityChangeOfHolderWithPictureRecordsItsRect) {
    m.set_picture(a, pic);  // hidden: nothing to repaint
    EXPECT_TRUE(m.dirty().empty());
    m.set_visible(a, true);
    m.set_visible(a, true);  // unchanged: nothing
    m.set_visible(a, false);
    EXPECT_EQ(m.take_dirty(), (std::vector<Rect>{a_rect, a_rect}));
    m.set_visible(a, false);
    EXPECT_TRUE(m.dirty().empty());
}

TEST_F(ScreenModelTest, PictureChangeRecordsOnlyWhileVisible) {
    m.set_picture(b, pic);
    EXPECT_EQ(m.take_dirty(), (std::vector<Rect>{Rect{100, 100, 5, 5}}));
    m.set_picture(b, pic);  // the same picture: nothing
    EXPECT_TRUE(m.dirty().empty());
    m.set_picture(b, other);  // same place: one rect
    EXPECT_EQ(m.take_dirty().size(), 1u);
    m.set_picture(b, nullptr);  // the old picture goes
    EXPECT_EQ(m.take_dirty(), (std::vector<Rect>{Rect{100, 100, 5, 5}}));
    m.set_picture(b, nullptr);  // nothing to nothing
    EXPECT_TRUE(m.dirty().empty());
    m.set_picture(a, other);  // hidden
    EXPECT_TRUE(m.dirty().empty());
}

TEST_F(ScreenModelTest, PictureKeepsTheSourceItWasCopiedFrom) {
    m.set_picture(a, pic, 1);
    EXPECT_EQ(m.at(a).copied_from, 1);
    EXPECT_EQ(m.at(a).picture, pic);
    m.set_picture(a, pic, 0);  // same pixels, other source: look unchanged, source recorded
    EXPECT_EQ(m.at(a).copied_from, 0);
    m.set_picture(a, nullptr, 7);  // without pictures the source still tells the digit
    EXPECT_EQ(m.at(a).copied_from, 7);
    m.set_picture(a, pic);
    EXPECT_EQ(m.at(a).copied_from, -1);
}

TEST_F(ScreenModelTest, BoundsChangeRecordsOldAndNewRectWhileVisible) {
    const Rect moved{0, 0, 7, 7};
    m.set_bounds(b, moved);
    EXPECT_EQ(m.take_dirty(), (std::vector<Rect>{Rect{100, 100, 5, 5}, moved}));
    m.set_bounds(b, moved);
    EXPECT_TRUE(m.dirty().empty());
    m.set_bounds(a, moved);  // hidden
    EXPECT_EQ(m.at(a).bounds, moved);
    EXPECT_TRUE(m.dirty().empty());
}

TEST_F(ScreenModelTest, StretchAndAutoSizeChangesRecordWhileVisible) {
    m.set_stretch(b, true);
    m.set_stretch(b, true);
    EXPECT_TRUE(m.at(b).stretch);
    EXPECT_EQ(m.take_dirty().size(), 1u);
    m.set_auto_size(b, true);  // no picture: keeps its size
    m.set_auto_size(b, true);
    EXPECT_EQ(m.take_dirty().size(), 1u);
    EXPECT_EQ(m.at(b).bounds, (Rect{100, 100, 5, 5}));
    m.set_stretch(a, true);  // hidden
    m.set_auto_size(a, true);
    EXPECT_TRUE(m.dirty().empty());
}

TEST_F(ScreenModelTest, AutoSizeHolderTakesThePictureSize) {
    m.set_auto_size(b, true);
    m.take_dirty();
    m.set_picture(b, other);
    EXPECT_EQ(m.at(b).bounds, (Rect{100, 100, 12, 9}));
    EXPECT_EQ(m.take_dirty(), (std::vector<Rect>{Rect{100, 100, 12, 9}}));
    m.set_picture(b, pic);  // the old area and the new one
    EXPECT_EQ(m.take_dirty(), (std::vector<Rect>{Rect{100, 100, 12, 9}, Rect{100, 100, 8, 6}}));
    m.set_bounds(b, Rect{5, 6, 100, 100});  // moves, keeps the picture's size
    EXPECT_EQ(m.at(b).bounds, (Rect{5, 6, 8, 6}));
    // Switching auto-size on sizes a holder that already has a picture.
    m.set_picture(a, other);
    m.set_auto_size(a, true);
    EXPECT_EQ(m.at(a).bounds, (Rect{10, 20, 12, 9}));
}

TEST_F(ScreenModelTest, ThePointGoesToTheTopmostVisibleHolderUnderIt) {
    const HolderId over_a = m.add(holder("over_a", Rect{20, 30, 5, 5}, true));
    m.set_visible(a, true);
    EXPECT_EQ(m.topmost_at(20, 30), over_a);
    EXPECT_EQ(m.topmost_at(24, 34), over_a);
    EXPECT_EQ(m.topmost_at(25, 34), a);  // right and bottom edges lie outside
    EXPECT_EQ(m.topmost_at(39, 59), a);
    EXPECT_EQ(m.topmost_at(40, 59), -1);
    m.set_visible(over_a, false);  // hidden: what lies beneath takes the point
    EXPECT_EQ(m.topmost_at(20, 30), a);
    m.set_visible(a, false);
    EXPECT_EQ(m.topmost_at(20, 30), -1);
    // A holder far out at the edge of 32 bits is not hit from the other side.
    const HolderId edge = m.add(holder("edge", Rect{INT32_MIN, 0, 16, 14}, true));
    EXPECT_EQ(m.topmost_at(INT32_MIN + 15, 13), edge);
    EXPECT_EQ(m.topmost_at(INT32_MAX, 5), -1);
}

TEST_F(ScreenModelTest, HintChangeRecordsNothing) {
    m.set_picture(b, pic);
    m.take_dirty();
    m.set_hint(b, "button disabled");
    EXPECT_EQ(m.at(b).hint, "button disabled");
    EXPECT_TRUE(m.dirty().empty());
}

TEST_F(ScreenModelTest, EmptyRectanglesAreNotRecorded) {
    const HolderId empty = m.add(holder("empty", Rect{3, 3, 0, 0}, true));
    m.set_picture(empty, pic);
    m.set_visible(empty, false);
    EXPECT_TRUE(m.dirty().empty());
}

TEST_F(ScreenModelTest, TakeDirtyReturnsOldestFirstAndEmptiesTheList) {
    const HolderId c = m.add(holder("c", Rect{1, 1, 2, 2}));
    m.set_picture(a, pic);
    m.set_picture(c, pic);
    m.set_visible(c, true);
    m.set_visible(a, true);
    EXPECT_EQ(m.take_dirty(), (std::vector<Rect>{Rect{1, 1, 2, 2}, a_rect}));
    EXPECT_TRUE(m.take_dirty().empty());
}

TEST_F(ScreenModelTest, UnreadListCollapsesIntoItsBoundingRect) {
    std::vector<HolderId> ids;
    for (int i = 0; i < 200; ++i) {
        const std::string name = "h" + std::to_string(i);
        ids.push_back(m.add(holder(name.c_str(), Rect{i, 2 * i, 3, 4})));
        m.set_picture(ids.back(), pic);
    }
    for (HolderId id : ids) {
        m.set_visible(id, true);
    }
    EXPECT_LE(m.dirty().size(), ScreenModel::Dirty_Limit);
    // Everything recorded is still covered.
    int32_t right = 0, bottom = 0, left = 1000, top = 1000;
    for (const Rect& r : m.dirty()) {
        left = std::min(left, r.left);
        top = std::min(top, r.top);
        right = std::max(right, r.left + r.width);
        bottom = std::max(bottom, r.top + r.height);
    }
    EXPECT_EQ(left, 0);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(right, 199 + 3);
    EXPECT_EQ(bottom, 2 * 199 + 4);
}

TEST_F(ScreenModelTest, SwitchingManyTimesUnreadNeverGrowsTheList) {
    m.set_picture(a, pic);
    m.set_visible(a, true);
    const Rect* storage = m.dirty().data();
    for (int i = 0; i < 100000; ++i) {
        m.set_visible(a, i % 2 == 0);
    }
    EXPECT_LE(m.dirty().size(), ScreenModel::Dirty_Limit);
    EXPECT_EQ(m.dirty().data(), storage);  // no reallocation
    m.take_dirty();
    m.set_visible(a, !m.at(a).visible);
    EXPECT_EQ(m.dirty().data(), storage);  // taking keeps the reserved storage
}

}  // namespace
}  // namespace fluffo
