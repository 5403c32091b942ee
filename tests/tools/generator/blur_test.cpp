#include "tools/generator/blur.h"

#include <gtest/gtest.h>

#include "tools/generator/noise.h"

namespace {

Mask randomMask(int32_t width, int32_t height) {
    Mask mask(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            mask.at(x, y) = hashUnit(x, y, 42u);
        }
    }
    return mask;
}

double total(const Mask& mask) {
    double sum = 0.0;
    for (const float cell : mask.cells) {
        sum += cell;
    }
    return sum;
}

TEST(Blur, WrappedBlursKeepTheTotalBrightness) {
    const Mask mask = randomMask(37, 23);
    EXPECT_NEAR(total(gaussianBlur(mask, 3.0f, Edge::Wrap, Edge::Wrap)), total(mask), 1e-3);
    EXPECT_NEAR(total(boxBlur(mask, 4, Edge::Wrap, Edge::Wrap)), total(mask), 1e-3);
    // A kernel wider than the picture still wraps correctly.
    EXPECT_NEAR(total(gaussianBlur(mask, 12.0f, Edge::Wrap, Edge::Wrap)), total(mask), 1e-3);
}

TEST(Blur, AnImpulseSpreadsSymmetrically) {
    Mask mask(41, 41);
    mask.at(20, 20) = 1.0f;
    const Mask blurred = gaussianBlur(mask, 4.0f, Edge::Zero, Edge::Zero);
    EXPECT_NEAR(total(blurred), 1.0, 1e-5);
    for (int32_t d = 1; d <= 12; ++d) {
        EXPECT_FLOAT_EQ(blurred.at(20 - d, 20), blurred.at(20 + d, 20));
        EXPECT_FLOAT_EQ(blurred.at(20, 20 - d), blurred.at(20, 20 + d));
        EXPECT_FLOAT_EQ(blurred.at(20 + d, 20), blurred.at(20, 20 + d));
        EXPECT_LT(blurred.at(20 + d, 20), blurred.at(20 + d - 1, 20));
    }
}

TEST(Blur, EdgesDecideWhatLiesBeyondTheBorder) {
    const Mask flat(40, 40, 0.5f);
    const Mask clamped = gaussianBlur(flat, 3.0f, Edge::Clamp, Edge::Clamp);
    const Mask zero = gaussianBlur(flat, 3.0f, Edge::Zero, Edge::Zero);
    EXPECT_NEAR(clamped.at(0, 0), 0.5f, 1e-6);
    // Ten pixels from every border is out of reach of a 3-sigma kernel of radius 9.
    EXPECT_NEAR(zero.at(10, 10), 0.5f, 1e-5);
    EXPECT_LT(zero.at(0, 0), 0.2f);
    // Wrapping carries light from one border to the opposite one.
    Mask line(16, 8);
    line.at(15, 4) = 1.0f;
    const Mask wrapped = gaussianBlur(line, 1.5f, Edge::Wrap, Edge::Zero);
    EXPECT_FLOAT_EQ(wrapped.at(0, 4), wrapped.at(14, 4));
}

TEST(Blur, RastersBlurEveryChannelAlike) {
    Raster raster(9, 9);
    raster.at(4, 4) = {1.0f, 0.5f, 0.25f, 1.0f};
    const Raster blurred = gaussianBlur(raster, 1.5f, Edge::Zero, Edge::Zero);
    const Color c = blurred.at(5, 4);
    EXPECT_GT(c.r, 0.0f);
    EXPECT_FLOAT_EQ(c.g, c.r * 0.5f);
    EXPECT_FLOAT_EQ(c.b, c.r * 0.25f);
    EXPECT_FLOAT_EQ(c.a, c.r);
}

TEST(Blur, GlowAddsLightAroundTheShape) {
    Raster target(21, 21, {0.1f, 0.1f, 0.1f, 1.0f});
    Mask shape(21, 21);
    shape.at(10, 10) = 1.0f;
    addGlow(target, shape, {1.0f, 0.0f, 0.0f, 1.0f}, 2.0f, Edge::Zero, Edge::Zero);
    EXPECT_GT(target.at(12, 10).r, 0.1f);
    EXPECT_FLOAT_EQ(target.at(12, 10).g, 0.1f);
    EXPECT_FLOAT_EQ(target.at(12, 10).a, 1.0f);
}

}  // namespace
