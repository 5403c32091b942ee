#include "tools/generator/raster.h"

#include <gtest/gtest.h>

namespace {

TEST(Raster, BytesRoundToTheNearestLevelAndClip) {
    EXPECT_EQ(toByte(0.0f, 0.0f), 0);
    EXPECT_EQ(toByte(1.0f, 0.0f), 255);
    EXPECT_EQ(toByte(-3.0f, 0.0f), 0);
    EXPECT_EQ(toByte(7.0f, 0.0f), 255);
    EXPECT_EQ(toByte(0.4f / 255.0f, 0.0f), 0);
    EXPECT_EQ(toByte(0.6f / 255.0f, 0.0f), 1);
    EXPECT_EQ(toByte(128.0f / 255.0f, 0.0f), 128);
}

TEST(Raster, DitherKeepsBlackAndWhiteExact) {
    Raster raster(64, 64);
    for (int32_t y = 0; y < 64; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            raster.at(x, y) = (x + y) % 2 == 0 ? Color{0, 0, 0, 1} : Color{1, 1, 1, 0};
        }
    }
    const Pixmap pixmap = toPixmap(raster, 4, Dither::Hashed);
    for (int32_t y = 0; y < 64; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            const uint8_t level = (x + y) % 2 == 0 ? 0 : 255;
            ASSERT_EQ(pixmap.at(x, y, 0), level);
            ASSERT_EQ(pixmap.at(x, y, 3), 255 - level);
        }
    }
}

TEST(Raster, DitherAveragesToTheTrueLevel) {
    // 100.3 / 255 dithers between 100 and 101 with a mean near 100.3.
    const Raster raster(64, 64, {100.3f / 255.0f, 0.0f, 0.0f, 1.0f});
    const Pixmap pixmap = toPixmap(raster, 3, Dither::Hashed);
    double sum = 0.0;
    for (int32_t y = 0; y < 64; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            ASSERT_GE(pixmap.at(x, y, 0), 99);
            ASSERT_LE(pixmap.at(x, y, 0), 101);
            sum += pixmap.at(x, y, 0);
        }
    }
    EXPECT_NEAR(sum / (64.0 * 64.0), 100.3, 0.1);
}

TEST(Raster, ChannelCountsPickChannels) {
    const Raster raster(2, 1, {0.2f, 0.4f, 0.6f, 0.8f});
    const Pixmap grey = toPixmap(raster, 1, Dither::None);
    const Pixmap rgb = toPixmap(raster, 3, Dither::None);
    ASSERT_EQ(grey.bytes.size(), 2u);
    ASSERT_EQ(rgb.bytes.size(), 6u);
    EXPECT_EQ(grey.at(1, 0, 0), 51);
    EXPECT_EQ(rgb.at(1, 0, 2), 153);
}

TEST(Raster, OverBlendsStraightAlpha) {
    const Color red{1, 0, 0, 1};
    const Color halfBlue{0, 0, 1, 0.5f};
    const Color onRed = over(red, halfBlue);
    EXPECT_FLOAT_EQ(onRed.r, 0.5f);
    EXPECT_FLOAT_EQ(onRed.b, 0.5f);
    EXPECT_FLOAT_EQ(onRed.a, 1.0f);
    // Over nothing, the source keeps its colour and alpha.
    const Color onNothing = over({0, 0, 0, 0}, halfBlue);
    EXPECT_FLOAT_EQ(onNothing.b, 1.0f);
    EXPECT_FLOAT_EQ(onNothing.a, 0.5f);
    const Color twoHalves = over(halfBlue, {1, 0, 0, 0.5f});
    EXPECT_FLOAT_EQ(twoHalves.a, 0.75f);
    EXPECT_NEAR(twoHalves.r, 2.0f / 3.0f, 1e-6);
}

TEST(Raster, AddAndOverUseTheMask) {
    Raster target(2, 1, {0.25f, 0.25f, 0.25f, 1.0f});
    Mask mask(2, 1);
    mask.at(1, 0) = 0.5f;
    paintAdd(target, mask, {1.0f, 0.0f, 0.0f, 1.0f});
    EXPECT_FLOAT_EQ(target.at(0, 0).r, 0.25f);
    EXPECT_FLOAT_EQ(target.at(1, 0).r, 0.75f);
    paintOver(target, mask, {0.0f, 1.0f, 0.0f, 1.0f});
    EXPECT_FLOAT_EQ(target.at(1, 0).g, 0.625f);
    EXPECT_FLOAT_EQ(target.at(0, 0).g, 0.25f);
}

TEST(Raster, WrappedAndClampedReadsStayInside) {
    Mask mask(3, 2);
    mask.at(2, 1) = 1.0f;
    EXPECT_EQ(mask.wrapped(-1, -1), 1.0f);
    EXPECT_EQ(mask.wrapped(5, 3), 1.0f);
    EXPECT_EQ(mask.clamped(9, 9), 1.0f);
    EXPECT_EQ(mask.clamped(-4, 0), 0.0f);
}

}  // namespace
