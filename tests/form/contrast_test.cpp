#include <gtest/gtest.h>

#include "form/contrast.h"

namespace {

using pelmora::Rgb;

TEST(Contrast, RatiosOfKnownPairs) {
    EXPECT_DOUBLE_EQ(pelmora::contrast_ratio({0, 0, 0}, {255, 255, 255}), 21.0);
    EXPECT_DOUBLE_EQ(pelmora::contrast_ratio({255, 255, 255}, {0, 0, 0}), 21.0);
    EXPECT_DOUBLE_EQ(pelmora::contrast_ratio({0, 0, 192}, {0, 0, 192}), 1.0);
}

// The about window's dark blue reads on a light face and not on a high-contrast black one.
TEST(Contrast, DarkBlueReadsOnlyOnALightFace) {
    constexpr Rgb kDarkBlue{0, 0, 192};
    EXPECT_TRUE(pelmora::readable_on(kDarkBlue, {240, 240, 240}));
    EXPECT_FALSE(pelmora::readable_on(kDarkBlue, {0, 0, 0}));
    EXPECT_FALSE(pelmora::readable_on({0, 0, 255}, {0, 0, 0}));
    EXPECT_TRUE(pelmora::readable_on({255, 255, 255}, {0, 0, 0}));
}

}  // namespace
