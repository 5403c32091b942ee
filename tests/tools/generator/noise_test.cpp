#include "tools/generator/noise.h"

#include <gtest/gtest.h>

namespace {

TEST(Noise, SameInputsGiveTheSameValues) {
    for (int32_t i = 0; i < 200; ++i) {
        const double x = i * 0.37;
        const double y = i * 0.11;
        ASSERT_EQ(valueNoise(x, y, 8, 8, 5u), valueNoise(x, y, 8, 8, 5u));
        ASSERT_EQ(fractalNoise(x, y, 4, 4, 5, 9u), fractalNoise(x, y, 4, 4, 5, 9u));
    }
    // x and y are not interchangeable, so fields are not mirrored along the diagonal.
    EXPECT_NE(hashCell(1, 0, 0u), hashCell(0, 1, 0u));
}

TEST(Noise, StaysInRangeAndUsesIt) {
    float lowest = 1.0f;
    float highest = 0.0f;
    for (int32_t y = 0; y < 100; ++y) {
        for (int32_t x = 0; x < 100; ++x) {
            const float value = fractalNoise(x * 0.173, y * 0.173, 0, 0, 4, 3u);
            ASSERT_GE(value, 0.0f);
            ASSERT_LE(value, 1.0f);
            lowest = std::min(lowest, value);
            highest = std::max(highest, value);
            const float unit = hashUnit(x, y, 1u);
            ASSERT_GE(unit, 0.0f);
            ASSERT_LT(unit, 1.0f);
        }
    }
    EXPECT_LT(lowest, 0.3f);
    EXPECT_GT(highest, 0.7f);
}

TEST(Noise, SeedsGiveDifferentFields) {
    int32_t same = 0;
    for (int32_t i = 0; i < 100; ++i) {
        same +=
            valueNoise(i * 0.5 + 0.25, 0.5, 0, 0, 1u) == valueNoise(i * 0.5 + 0.25, 0.5, 0, 0, 2u);
    }
    EXPECT_LT(same, 5);
}

TEST(Noise, RepeatsEveryPeriodInBothDirections) {
    for (int32_t i = 0; i < 64; ++i) {
        const double x = i * 0.25;
        const double y = i * 0.125;
        ASSERT_FLOAT_EQ(valueNoise(x, y, 6, 4, 7u), valueNoise(x + 6.0, y, 6, 4, 7u));
        ASSERT_FLOAT_EQ(valueNoise(x, y, 6, 4, 7u), valueNoise(x, y - 4.0, 6, 4, 7u));
        ASSERT_FLOAT_EQ(fractalNoise(x, y, 3, 2, 4, 7u),
                        fractalNoise(x + 3.0, y + 2.0, 3, 2, 4, 7u));
    }
}

TEST(Noise, IsContinuousAcrossCellBorders) {
    // Just below and at a lattice line the values meet.
    for (int32_t i = 1; i < 20; ++i) {
        EXPECT_NEAR(valueNoise(i - 1e-7, 0.3, 0, 0, 4u), valueNoise(i, 0.3, 0, 0, 4u), 1e-5);
    }
}

}  // namespace
