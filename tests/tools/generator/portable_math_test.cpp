#include "tools/generator/portable_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(PortableMath, SineAndCosineMatchTheLibraryOverManyTurns) {
    for (double turns = -3.0; turns <= 3.0; turns += 0.0137) {
        ASSERT_NEAR(sinTurns(turns), std::sin(2.0 * kPi * turns), 1e-10) << turns;
        ASSERT_NEAR(cosTurns(turns), std::cos(2.0 * kPi * turns), 1e-10) << turns;
    }
}

TEST(PortableMath, ExpAndLogMatchTheLibrary) {
    for (double x = -60.0; x <= 60.0; x += 0.173) {
        ASSERT_NEAR(portableExp(x) / std::exp(x), 1.0, 1e-13) << x;
    }
    for (double x = 1e-6; x < 1e6; x *= 1.37) {
        ASSERT_NEAR(portableLog(x), std::log(x), 1e-12) << x;
    }
}

TEST(PortableMath, PowMatchesTheLibraryAndIsZeroAtZero) {
    for (double x = 0.01; x < 4.0; x += 0.07) {
        ASSERT_NEAR(portablePow(x, 36.0) / std::pow(x, 36.0), 1.0, 1e-11) << x;
        ASSERT_NEAR(portablePow(x, 0.55), std::pow(x, 0.55), 1e-12) << x;
    }
    EXPECT_EQ(portablePow(0.0, 2.0), 0.0);
}

TEST(PortableMath, Atan2CoversEveryQuadrant) {
    for (double angle = -0.4999; angle < 0.5; angle += 0.0173) {
        const double x = std::cos(2.0 * kPi * angle) * 3.0;
        const double y = std::sin(2.0 * kPi * angle) * 3.0;
        ASSERT_NEAR(atan2Turns(y, x), angle, 1e-11) << angle;
    }
    EXPECT_NEAR(atan2Turns(0.0, -1.0), 0.5, 1e-15);
    EXPECT_EQ(atan2Turns(0.0, 0.0), 0.0);
}

TEST(PortableMath, SmoothstepClampsAndIsMonotonic) {
    EXPECT_EQ(smoothstep(2.0f, 4.0f, 1.0f), 0.0f);
    EXPECT_EQ(smoothstep(2.0f, 4.0f, 5.0f), 1.0f);
    EXPECT_FLOAT_EQ(smoothstep(2.0f, 4.0f, 3.0f), 0.5f);
    float previous = 0.0f;
    for (float x = 2.0f; x <= 4.0f; x += 0.01f) {
        const float value = smoothstep(2.0f, 4.0f, x);
        ASSERT_GE(value, previous);
        previous = value;
    }
}

}  // namespace
