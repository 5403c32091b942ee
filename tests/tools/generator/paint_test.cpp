#include "tools/generator/paint.h"

#include <gtest/gtest.h>

namespace {

constexpr GradientStop kStops[] = {
    {0.0f, {0.0f, 0.0f, 0.0f, 1.0f}},
    {0.5f, {1.0f, 0.0f, 0.0f, 1.0f}},
    {1.0f, {1.0f, 1.0f, 0.0f, 0.0f}},
};

TEST(Paint, GradientsInterpolateBetweenTheSurroundingStops) {
    EXPECT_FLOAT_EQ(sampleGradient(kStops, 0.25f).r, 0.5f);
    EXPECT_FLOAT_EQ(sampleGradient(kStops, 0.75f).g, 0.5f);
    EXPECT_FLOAT_EQ(sampleGradient(kStops, 0.75f).a, 0.5f);
    EXPECT_FLOAT_EQ(sampleGradient(kStops, -1.0f).r, 0.0f);
    EXPECT_FLOAT_EQ(sampleGradient(kStops, 2.0f).g, 1.0f);
}

TEST(Paint, RampsRunFromTheStartToTheEnd) {
    const Mask linear = linearRamp(101, 3, 0.5f, 0.0f, 100.5f, 0.0f);
    EXPECT_FLOAT_EQ(linear.at(0, 1), 0.0f);
    EXPECT_FLOAT_EQ(linear.at(50, 1), 0.5f);
    EXPECT_FLOAT_EQ(linear.at(100, 2), 1.0f);
    const Mask radial = radialRamp(41, 21, 20.5f, 10.5f, 20.0f, 10.0f);
    EXPECT_FLOAT_EQ(radial.at(20, 10), 0.0f);
    EXPECT_FLOAT_EQ(radial.at(30, 10), 0.5f);
    EXPECT_FLOAT_EQ(radial.at(20, 15), 0.5f);
    EXPECT_FLOAT_EQ(radial.at(0, 0), 1.0f);
}

TEST(Paint, DiscCoverageMatchesItsArea) {
    Mask mask(64, 64);
    drawDisc(mask, 32.0f, 32.0f, 20.0f);
    double area = 0.0;
    for (const float cell : mask.cells) {
        area += cell;
    }
    EXPECT_NEAR(area, 3.14159265 * 20.0 * 20.0, 6.0);
    EXPECT_EQ(mask.at(32, 32), 1.0f);
    EXPECT_EQ(mask.at(32, 5), 0.0f);
}

TEST(Paint, RoundedBoxesKeepTheirCornersRound) {
    EXPECT_FLOAT_EQ(roundedBoxDistance(5.0f, 5.0f, 0.0f, 0.0f, 10.0f, 10.0f, 2.0f), -5.0f);
    EXPECT_FLOAT_EQ(roundedBoxDistance(12.0f, 5.0f, 0.0f, 0.0f, 10.0f, 10.0f, 2.0f), 2.0f);
    // The corner point lies outside the rounding: sqrt(2) * 2 - 2 beyond it.
    EXPECT_NEAR(roundedBoxDistance(10.0f, 10.0f, 0.0f, 0.0f, 10.0f, 10.0f, 2.0f), 0.8284f, 1e-4);
    Mask mask(20, 20);
    drawRoundedBox(mask, 2.0f, 2.0f, 18.0f, 18.0f, 4.0f);
    EXPECT_EQ(mask.at(10, 10), 1.0f);
    EXPECT_LT(mask.at(2, 2), 0.1f);
    EXPECT_EQ(mask.at(2, 10), 1.0f);
}

}  // namespace
