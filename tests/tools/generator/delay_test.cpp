#include "tools/generator/delay.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(PingPongDelay, EchoesAlternateSidesEachQuieterThanTheLast) {
    constexpr DelaySettings kSettings = {0.1, 0.5, 20000.0};
    std::vector<float> send(static_cast<size_t>(framesOf(1.0)), 0.0f);
    send[0] = 1.0f;
    const StereoBuffer wet = pingPongDelay(send, kSettings);
    const int64_t d = framesOf(0.1);
    const auto at = [&](const std::vector<float>& channel, int64_t echo) {
        // A damped echo smears over a few samples; take its largest.
        float peak = 0.0f;
        for (int64_t i = echo * d - 2; i <= echo * d + 8; ++i) {
            peak = std::max(peak, std::fabs(channel[static_cast<size_t>(i)]));
        }
        return peak;
    };
    EXPECT_EQ(wet.left[0], 0.0f);  // wet only
    EXPECT_GT(at(wet.left, 1), 0.5f);
    EXPECT_LT(at(wet.right, 1), 1e-6f);
    EXPECT_GT(at(wet.right, 2), 0.25f);
    EXPECT_LT(at(wet.left, 2), 1e-6f);
    EXPECT_LT(at(wet.right, 2), at(wet.left, 1));
    EXPECT_LT(at(wet.left, 3), at(wet.right, 2));
    EXPECT_GT(at(wet.left, 3), 0.1f);
}

}  // namespace
