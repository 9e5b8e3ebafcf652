// Picture variants: the file names beside the 1x picture, and the variant loaded for a scale
// from the ones there are.
#include <gtest/gtest.h>

#include "display/picture_variants.h"
#include "support/skin_fakes.h"

namespace fluffo {
namespace {

TEST(PictureVariants, NamesSitBesideThePicture) {
    EXPECT_EQ(variant_path("Graphics/Skin/egg_1_1.png", 1), "Graphics/Skin/egg_1_1.png");
    EXPECT_EQ(variant_path("Graphics/Skin/egg_1_1.png", 2), "Graphics/Skin/egg_1_1@2x.png");
    EXPECT_EQ(variant_path("Skin.d\\body", 3), "Skin.d\\body@3x");
    EXPECT_EQ(variant_path("a.b/c.bmp", 3), "a.b/c@3x.bmp");
}

// The smallest variant at or above the scale, the largest there is when none is.
TEST(PictureVariants, TheScaleChoosesTheVariant) {
    const struct {
        bool has[3];
        double scale;
        int32_t density;
    } cases[] = {
        {{true, false, false}, 3.0, 1}, {{true, true, true}, 1.0, 1},
        {{true, true, true}, 1.25, 2},  {{true, true, true}, 2.0, 2},
        {{true, true, true}, 2.5, 3},   {{true, true, true}, 4.0, 3},
        {{true, false, true}, 1.5, 3},  {{false, true, false}, 1.0, 2},
        {{true, true, false}, 3.0, 2},  {{false, false, false}, 2.0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.has[0] << c.has[1] << c.has[2] << " " << c.scale);
        EXPECT_EQ(density_for_scale(c.scale, c.has), c.density);
    }
}

TEST(PictureVariants, LoadingMarksTheDensityAndLeavesASharedPictureAlone) {
    test::FakePictureFiles files;
    const PicturePtr one = test::solid_picture(3, 2, 0xff0000ffu);
    const PicturePtr two = test::solid_picture(6, 4, 0xff0000ffu);
    files.files["p.png"] = one;
    files.files["p@2x.png"] = two;
    const PicturePtr at_two = load_for_scale(files, "p.png", 1.5);
    EXPECT_EQ(at_two->density, 2);
    EXPECT_EQ(window_width(*at_two), 3);
    EXPECT_EQ(window_height(*at_two), 2);
    EXPECT_EQ(two->density, 1);  // the fake keeps it: a copy was marked
    EXPECT_EQ(load_for_scale(files, "p.png", 1.0), one);
    // At scale 1 the variants are not looked for.
    files.loaded.clear();
    files.files.erase("p.png");
    EXPECT_FALSE(any_variant_exists(files, "q.png"));
    EXPECT_TRUE(any_variant_exists(files, "p.png"));
    EXPECT_EQ(load_for_scale(files, "p.png", 3.0)->density, 2);
}

}  // namespace
}  // namespace fluffo

namespace fluffo {
namespace {

// A backdrop stretched over the screen comes in the variant nearest to covering it, read from
// the 1x picture's size, not from the zoom.
TEST(PictureVariants, AStretchedPictureTakesTheVariantThatCoversItsArea) {
    test::FakePictureFiles files;
    files.files["b.jpg"] = test::solid_picture(192, 108, 0xff204060u);
    files.files["b@2x.jpg"] = test::solid_picture(384, 216, 0xff204060u);
    files.files["b@3x.jpg"] = test::solid_picture(576, 324, 0xff204060u);
    const struct {
        int64_t width, height;
        double max_scale;
        int32_t density;
    } cases[] = {{150, 100, 3.0, 1}, {384, 216, 3.0, 2},  {300, 300, 3.0, 3},
                 {384, 216, 1.0, 1}, {1000, 800, 2.0, 2}, {200, 108, 3.0, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " " << c.max_scale);
        EXPECT_EQ(load_to_cover(files, "b.jpg", c.width, c.height, c.max_scale)->density,
                  c.density);
    }
}

}  // namespace
}  // namespace fluffo
