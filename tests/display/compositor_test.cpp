// The compositor, pixel by pixel on small made-up pictures: colour key and alpha in transparent
// and opaque holders, clipping, stretching, centring, drawing order, the placeholder, and
// recomposing only what the model reports as changed; and which pixels carry the window's key
// colour, looked at again only where a repaint recomposed.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/random_source.h"
#include "display/compositor.h"
#include "display/key_colour_pixels.h"
#include "support/skin_fakes.h"

namespace fluffo {
namespace {

using test::picture_of;
using test::solid_picture;

constexpr uint32_t Bg = 0xff203040u;  // the window colour 0x00203040, opaque in the frame
constexpr uint32_t R = 0xff0000ffu, G = 0xff00ff00u, B = 0xffff0000u, K = 0xffff00ffu;
constexpr uint32_t W = 0xffffffffu, Black = 0xff000000u;

Holder holder(const char* name, Rect bounds, PicturePtr picture, bool transparent = false) {
    Holder h;
    h.name = name;
    h.bounds = bounds;
    h.visible = true;
    h.picture = std::move(picture);
    h.transparent = transparent;
    return h;
}

struct CompositorTest : ::testing::Test {
    ScreenModel model;
    Compositor compositor;

    CompositorTest() { compositor.set_frame(8, 6, 0x00203040u); }

    std::vector<uint32_t> row(int32_t y, int32_t x0 = 0, int32_t x1 = 8) {
        compositor.update(model);
        std::vector<uint32_t> out;
        for (int32_t x = x0; x < x1; ++x)
            out.push_back(compositor.pixel(x, y));
        return out;
    }
};

TEST_F(CompositorTest, EmptyWindowIsTheWindowColour) {
    model.add(holder("none", Rect{0, 0, 8, 6}, nullptr));
    const std::vector<Rect> done = compositor.update(model);
    EXPECT_EQ(done, (std::vector<Rect>{{0, 0, 8, 6}}));
    for (uint32_t p : compositor.pixels())
        EXPECT_EQ(p, Bg);
}

TEST_F(CompositorTest, BitmapKeyIsSeeThroughOnlyInTransparentHolders) {
    // Bottom-left is K: every K pixel is the key, whatever its alpha byte says.
    const PicturePtr bmp =
        picture_of(3, 2, {R, K, G, 0x00ff00ffu, B, K}, Transparency::BottomLeftKey);
    model.add(holder("under", Rect{0, 0, 8, 6}, solid_picture(8, 6, W)));
    model.add(holder("clear", Rect{1, 1, 3, 2}, bmp, true));
    model.add(holder("opaque", Rect{5, 1, 3, 2}, bmp, false));
    EXPECT_EQ(row(1), (std::vector<uint32_t>{W, R, W, G, W, R, K, G}));
    EXPECT_EQ(row(2), (std::vector<uint32_t>{W, W, B, W, W, K, B, K}));
}

TEST_F(CompositorTest, PngAlphaBlendsInTransparentHoldersAndIsIgnoredInOpaqueOnes) {
    // 50 % red-ish, fully clear, fully opaque.
    const PicturePtr png =
        picture_of(3, 1, {0x800000c8u, 0x00123456u, 0xff00ff00u}, Transparency::Alpha);
    model.add(holder("under", Rect{0, 0, 8, 6}, solid_picture(8, 6, 0xff000064u)));
    model.add(holder("clear", Rect{0, 0, 3, 1}, png, true));
    model.add(holder("opaque", Rect{4, 0, 3, 1}, png, false));
    // Red: (200 * 128 + 100 * 127) / 255 = 150.2 -> 150.
    EXPECT_EQ(row(0), (std::vector<uint32_t>{0xff000096u, 0xff000064u, G, 0xff000064u, 0xff0000c8u,
                                             0xff123456u, G, 0xff000064u}));
}

TEST_F(CompositorTest, JpegHasNoTransparentPart) {
    model.add(holder("photo", Rect{0, 0, 2, 1}, picture_of(2, 1, {Black, 0x00ffffffu}), true));
    EXPECT_EQ(row(0, 0, 3), (std::vector<uint32_t>{Black, W, Bg}));
}

TEST_F(CompositorTest, PictureIsClippedToItsHolderAndTheFrame) {
    model.add(holder("small", Rect{1, 0, 2, 1}, solid_picture(5, 5, R)));
    model.add(holder("off", Rect{6, 4, 10, 10}, solid_picture(10, 10, G)));
    model.add(holder("big_holder", Rect{0, 2, 8, 1}, solid_picture(3, 1, B)));  // own size
    EXPECT_EQ(row(0), (std::vector<uint32_t>{Bg, R, R, Bg, Bg, Bg, Bg, Bg}));
    EXPECT_EQ(row(1), (std::vector<uint32_t>(8, Bg)));
    EXPECT_EQ(row(2), (std::vector<uint32_t>{B, B, B, Bg, Bg, Bg, Bg, Bg}));
    EXPECT_EQ(row(5), (std::vector<uint32_t>{Bg, Bg, Bg, Bg, Bg, Bg, G, G}));
}

TEST_F(CompositorTest, CentreSitsThePictureInTheMiddleEitherWay) {
    Holder grow = holder("grow", Rect{0, 0, 7, 3}, picture_of(2, 1, {R, G}));
    grow.center = true;  // (7 - 2) / 2 = 2 across, (3 - 1) / 2 = 1 down
    model.add(grow);
    Holder shrink = holder("shrink", Rect{2, 4, 2, 1},
                           picture_of(4, 3, {1, 2, 3, 4, Black, R, G, W, 9, 10, 11, 12}));
    shrink.center = true;  // the middle of a larger picture
    model.add(shrink);
    EXPECT_EQ(row(0, 0, 7), (std::vector<uint32_t>(7, Bg)));
    EXPECT_EQ(row(1, 0, 7), (std::vector<uint32_t>{Bg, Bg, R, G, Bg, Bg, Bg}));
    EXPECT_EQ(row(4, 0, 6), (std::vector<uint32_t>{Bg, Bg, R, G, Bg, Bg}));
}

TEST_F(CompositorTest, StretchScalesSmoothlyBothWays) {
    Holder grow = holder("grow", Rect{0, 0, 4, 1}, picture_of(2, 1, {0xff000000u, 0xff0000c8u}));
    grow.stretch = true;
    grow.center = true;  // stretch wins
    model.add(grow);
    Holder shrink = holder("shrink", Rect{4, 1, 2, 1},
                           picture_of(4, 1, {0xff000010u, 0xff000030u, 0xff00a000u, 0xff00c000u}));
    shrink.stretch = true;
    model.add(shrink);
    // Bilinear from pixel centres: 0, 1/4, 3/4 and all of the second pixel.
    EXPECT_EQ(row(0, 0, 4),
              (std::vector<uint32_t>{0xff000000u, 0xff000032u, 0xff000096u, 0xff0000c8u}));
    // Averages of each pair.
    EXPECT_EQ(row(1, 4, 6), (std::vector<uint32_t>{0xff000020u, 0xff00b000u}));
}

TEST_F(CompositorTest, StretchedBitmapKeepsItsKeyClear) {
    Holder h = holder("keyed", Rect{0, 0, 4, 2},
                      picture_of(2, 1, {K, R}, Transparency::BottomLeftKey), true);
    h.stretch = true;
    model.add(holder("under", Rect{0, 0, 8, 6}, solid_picture(8, 6, W)));
    model.add(h);
    // The key turns clear before scaling, so no magenta bleeds in: red fades into white.
    EXPECT_EQ(row(0, 0, 4), (std::vector<uint32_t>{W, 0xffbfbfffu, 0xff4040ffu, R}));
    EXPECT_EQ(row(1, 0, 4), (std::vector<uint32_t>{W, 0xffbfbfffu, 0xff4040ffu, R}));
}

TEST_F(CompositorTest, LaterHoldersLieAbove) {
    model.add(holder("low", Rect{0, 0, 4, 1}, solid_picture(4, 1, R)));
    model.add(holder("mid", Rect{1, 0, 2, 1}, solid_picture(2, 1, G)));
    model.add(holder("top", Rect{2, 0, 2, 1}, solid_picture(2, 1, B)));
    EXPECT_EQ(row(0, 0, 5), (std::vector<uint32_t>{R, G, B, B, Bg}));
}

TEST_F(CompositorTest, PlaceholderShowsItsFrameOnlyInOpaqueHolders) {
    compositor.set_frame(32, 12, 0x00ffffffu);
    model.add(holder("clear", Rect{0, 0, 10, 10}, placeholder_picture(), true));
    model.add(holder("opaque", Rect{11, 0, 10, 10}, placeholder_picture(), false));
    Holder set = holder("set", Rect{22, 0, 10, 12}, placeholder_picture(), false);
    set.stretch = true;
    model.add(set);
    compositor.update(model);
    EXPECT_EQ(compositor.pixel(0, 0), W);
    EXPECT_EQ(compositor.pixel(1, 1), R);
    EXPECT_EQ(compositor.pixel(8, 8), R);
    EXPECT_EQ(compositor.pixel(9, 5), W);
    EXPECT_EQ(compositor.pixel(11, 0), Black);
    EXPECT_EQ(compositor.pixel(12, 1), R);
    EXPECT_EQ(compositor.pixel(20, 9), Black);
    EXPECT_EQ(compositor.pixel(22, 0), Black);  // the frame stretched over the whole area
    EXPECT_EQ(compositor.pixel(31, 11), Black);
    EXPECT_EQ(compositor.pixel(27, 6), R);
}

TEST_F(CompositorTest, UpdateRecomposesOnlyTheChangedRectangles) {
    const HolderId a = model.add(holder("a", Rect{0, 0, 2, 2}, solid_picture(2, 2, R)));
    const HolderId b = model.add(holder("b", Rect{6, 4, 4, 4}, solid_picture(4, 4, G)));
    compositor.update(model);
    model.set_visible(a, false);
    model.set_visible(b, false);
    EXPECT_EQ(compositor.update(model),
              (std::vector<Rect>{{0, 0, 2, 2}, {6, 4, 2, 2}}));  // clipped to the frame
    EXPECT_EQ(compositor.pixel(0, 0), Bg);
    EXPECT_EQ(compositor.pixel(7, 5), Bg);
    EXPECT_TRUE(compositor.update(model).empty());

    // A new window colour recomposes everything once.
    compositor.set_frame(8, 6, 0x00000000u);
    EXPECT_EQ(compositor.update(model), (std::vector<Rect>{{0, 0, 8, 6}}));
    EXPECT_EQ(compositor.pixel(3, 3), Black);
}

TEST_F(CompositorTest, FrameLargerThanAnyPictureIsRefusedAndTheOldOneKept) {
    EXPECT_THROW(compositor.set_frame(100000, 100000, 0), FrameTooLarge);
    EXPECT_THROW(compositor.set_frame(INT32_MAX, INT32_MAX, 0), FrameTooLarge);
    EXPECT_EQ(compositor.width(), 8);
    EXPECT_EQ(compositor.height(), 6);
    EXPECT_EQ(compositor.pixels().size(), 48u);
}

TEST_F(CompositorTest, DirtyOnlyUpdatesMatchAFreshComposition) {
    compositor.set_frame(64, 48, 0x00ff00ffu);
    SeededRandom chance(99);
    const auto any = [&](int32_t n) { return chance.next_below(n); };
    std::vector<HolderId> ids;
    for (int i = 0; i < 30; ++i) {
        const auto rule = static_cast<Transparency>(any(3));
        std::vector<uint32_t> px(static_cast<size_t>(36));
        for (uint32_t& p : px)
            p = chance.next_u32() | (rule == Transparency::Alpha ? 0 : 0xff000000u);
        Holder h = holder(("h" + std::to_string(i)).c_str(),
                          Rect{any(70) - 6, any(54) - 6, any(12), any(12)},
                          picture_of(6, 6, px, rule), any(2) == 1);
        h.stretch = any(4) == 0;
        h.center = any(4) == 0;
        h.visible = any(2) == 1;
        ids.push_back(model.add(h));
    }
    compositor.update(model);
    for (int step = 0; step < 200; ++step) {
        const HolderId id = ids[static_cast<size_t>(any(30))];
        switch (any(3)) {
            case 0:
                model.set_visible(id, !model.at(id).visible);
                break;
            case 1:
                model.set_bounds(id, Rect{any(70) - 6, any(54) - 6, any(12), any(12)});
                break;
            case 2:
                model.set_picture(id, model.at(ids[static_cast<size_t>(any(30))]).picture);
                break;
        }
        if (any(5) == 0) compositor.update(model);
    }
    compositor.update(model);
    Compositor fresh;
    fresh.set_frame(64, 48, 0x00ff00ffu);
    fresh.compose(model, Rect{0, 0, 64, 48});
    EXPECT_EQ(compositor.pixels(), fresh.pixels());
}

// The window's shape is cut again exactly when a repaint changes which pixels carry the key
// colour: the frame here is the window colour, the key, around a grey body.
TEST_F(CompositorTest, KeyColourPixelsChangeOnlyWhereAHolderShowsOrLeavesTheKey) {
    constexpr uint32_t Key = 0x00203040u;
    model.add(holder("body", Rect{2, 1, 4, 4}, solid_picture(4, 4, 0xff808080u)));
    const HolderId corner = model.add(holder("corner", Rect{0, 0, 2, 2}, solid_picture(2, 2, R)));
    const HolderId inside = model.add(holder("inside", Rect{3, 2, 2, 2}, solid_picture(2, 2, G)));
    const HolderId keyed =
        model.add(holder("keyed", Rect{3, 2, 1, 1}, solid_picture(1, 1, 0xff203040u)));
    model.set_visible(keyed, false);
    KeyColourPixels pixels;
    EXPECT_TRUE(pixels.changed(compositor, Key, compositor.update(model)));  // the first look

    struct Case {
        const char* what;
        HolderId id;
        bool visible;
        bool cut_again;
    };
    for (const Case& c : {
             Case{"hidden from the key-coloured corner", corner, false, true},
             Case{"shown there again", corner, true, true},
             Case{"hidden inside the body", inside, false, false},
             Case{"shown inside the body", inside, true, false},
             Case{"a key-coloured picture shown inside the body", keyed, true, true},
             Case{"and hidden again", keyed, false, true},
         }) {
        model.set_visible(c.id, c.visible);
        EXPECT_EQ(pixels.changed(compositor, Key, compositor.update(model)), c.cut_again) << c.what;
    }
    // Nothing recomposed, nothing changed; a new key or a reset reads the frame anew.
    EXPECT_FALSE(pixels.changed(compositor, Key, compositor.update(model)));
    EXPECT_TRUE(pixels.changed(compositor, 0x00808080u, {}));
    pixels.reset();
    EXPECT_TRUE(pixels.changed(compositor, 0x00808080u, {}));
    EXPECT_FALSE(pixels.changed(compositor, 0xff808080u, {}));  // the alpha byte is no colour
}

}  // namespace
}  // namespace fluffo

namespace fluffo {
namespace {

// At a scale each window pixel is scale x scale frame pixels: a picture drawn for the scale is
// copied pixel for pixel, one drawn for another is scaled, and the frame's size rounds up.
TEST_F(CompositorTest, AtAScaleThePictureForItIsCopiedPixelForPixel) {
    const PicturePtr sharp = [] {
        auto p = std::make_shared<Picture>(*picture_of(4, 2, {R, G, B, W, K, R, G, B}));
        p->density = 2;
        return PicturePtr(p);
    }();
    model.add(holder("sharp", Rect{1, 1, 2, 1}, sharp));
    model.add(holder("plain", Rect{4, 1, 1, 1}, solid_picture(1, 1, G)));
    compositor.set_frame(8, 6, 0x00203040u, 2.0);
    EXPECT_EQ(compositor.width(), 16);
    EXPECT_EQ(compositor.height(), 12);
    EXPECT_EQ(compositor.update(model), (std::vector<Rect>{{0, 0, 16, 12}}));
    const auto at = [&](int32_t x, int32_t y) { return compositor.pixel(x, y); };
    EXPECT_EQ((std::vector<uint32_t>{at(1, 2), at(2, 2), at(3, 2), at(4, 2), at(5, 2), at(6, 2)}),
              (std::vector<uint32_t>{Bg, R, G, B, W, Bg}));
    EXPECT_EQ((std::vector<uint32_t>{at(2, 3), at(3, 3), at(4, 3), at(5, 3)}),
              (std::vector<uint32_t>{K, R, G, B}));
    // The 1x picture fills its 2 x 2 frame pixels.
    EXPECT_EQ((std::vector<uint32_t>{at(8, 2), at(9, 2), at(8, 3), at(9, 3), at(10, 2)}),
              (std::vector<uint32_t>{G, G, G, G, Bg}));

    // A changed holder comes back as the frame pixels it covers.
    model.set_visible(model.find("plain"), false);
    EXPECT_EQ(compositor.update(model), (std::vector<Rect>{{8, 2, 2, 2}}));
    compositor.set_frame(8, 6, 0x00203040u, 1.5);
    EXPECT_EQ(compositor.width(), 12);
    EXPECT_EQ(compositor.height(), 9);
    EXPECT_EQ(compositor.to_frame(Rect{1, 1, 1, 1}), (Rect{1, 1, 2, 2}));
    EXPECT_EQ(compositor.to_window(Rect{1, 1, 2, 2}), (Rect{0, 0, 2, 2}));
}

// Window and frame pixels convert both ways rounding outward: what one side covers, the
// other side's answer covers again, at any scale; nothing converts to something.
TEST_F(CompositorTest, ConversionsBetweenWindowAndFramePixelsRoundOutward) {
    const auto covers = [](const Rect& outer, const Rect& inner) {
        return outer.left <= inner.left && outer.top <= inner.top &&
               outer.left + outer.width >= inner.left + inner.width &&
               outer.top + outer.height >= inner.top + inner.height;
    };
    for (const double scale : {0.25, 0.75, 1.0, 1.5, 1.75, 2.0, 3.0}) {
        compositor.set_frame(40, 40, 0, scale);
        for (const Rect r : {Rect{0, 0, 1, 1}, Rect{3, 5, 7, 2}, Rect{-4, 1, 9, 13}}) {
            SCOPED_TRACE(std::to_string(scale) + " at " + std::to_string(r.left));
            EXPECT_TRUE(covers(compositor.to_window(compositor.to_frame(r)), r));
            EXPECT_TRUE(covers(compositor.to_frame(compositor.to_window(r)), r));
            EXPECT_GE(compositor.to_frame(r).width, static_cast<int32_t>(r.width * scale));
        }
        EXPECT_EQ(compositor.to_frame(Rect{2, 2, 0, 5}), Rect{});
        EXPECT_EQ(compositor.to_window(Rect{2, 2, 5, -1}), Rect{});
    }
}

// Scaled for the scale, a picture's colour-keyed parts keep hard edges: no blend of the key
// with the picture is left for the window's shape to show.
TEST_F(CompositorTest, ScaledKeyEdgesStayHard) {
    compositor.set_frame(6, 2, 0x00ff00ffu, 1.75);  // the window colour is the shape's key
    model.add(holder("opaque", Rect{0, 0, 3, 2}, picture_of(3, 2, {K, R, R, K, K, R})));
    model.add(holder("keyed", Rect{3, 0, 3, 2},
                     picture_of(3, 2, {G, G, K, K, G, K}, Transparency::BottomLeftKey), true));
    compositor.update(model);
    for (uint32_t p : compositor.pixels())
        EXPECT_TRUE(p == K || p == R || p == G) << std::hex << p;
}

// The dirty-only updates match a fresh composition at every scale.
TEST_F(CompositorTest, DirtyOnlyUpdatesMatchAFreshCompositionAtEveryScale) {
    SeededRandom chance(7);
    const auto any = [&](int32_t n) { return chance.next_below(n); };
    std::vector<HolderId> ids;
    for (int i = 0; i < 20; ++i) {
        const auto rule = static_cast<Transparency>(any(3));
        std::vector<uint32_t> px(static_cast<size_t>(36));
        for (uint32_t& p : px)
            p = chance.next_u32() | (rule == Transparency::Alpha ? 0 : 0xff000000u);
        auto pic = std::make_shared<Picture>(*picture_of(6, 6, px, rule));
        pic->density = 1 + any(3);
        Holder h = holder(("h" + std::to_string(i)).c_str(),
                          Rect{any(40) - 4, any(30) - 4, any(10), any(10)}, pic, any(2) == 1);
        h.stretch = any(4) == 0;
        h.center = any(4) == 0;
        ids.push_back(model.add(h));
    }
    for (const double scale : {1.25, 1.75, 2.0, 3.0}) {
        SCOPED_TRACE(scale);
        compositor.set_frame(36, 28, 0x00ff00ffu, scale);
        compositor.update(model);
        for (int step = 0; step < 60; ++step) {
            const HolderId id = ids[static_cast<size_t>(any(20))];
            if (any(2) == 0) {
                model.set_visible(id, !model.at(id).visible);
            } else {
                model.set_bounds(id, Rect{any(40) - 4, any(30) - 4, any(10), any(10)});
            }
            if (any(4) == 0) compositor.update(model);
        }
        compositor.update(model);
        Compositor fresh;
        fresh.set_frame(36, 28, 0x00ff00ffu, scale);
        fresh.compose(model, Rect{0, 0, 36, 28});
        EXPECT_EQ(compositor.pixels(), fresh.pixels());
    }
}

}  // namespace
}  // namespace fluffo
