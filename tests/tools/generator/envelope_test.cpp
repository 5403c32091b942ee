#include "tools/generator/envelope.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tools/generator/stereo_buffer.h"

namespace {

std::vector<float> run(const AdsrShape& shape, double gateSeconds) {
    Envelope envelope(shape, gateSeconds);
    std::vector<float> levels;
    const int64_t bound = Envelope::lengthFrames(shape, gateSeconds);
    for (int64_t i = 0; i < bound && !envelope.finished(); ++i) {
        levels.push_back(envelope.next());
    }
    EXPECT_TRUE(envelope.finished()) << "longer than lengthFrames says";
    return levels;
}

TEST(Envelope, RisesDecaysHoldsAndReleasesInTheirTimes) {
    const AdsrShape shape = {0.01f, 0.1f, 0.5f, 0.2f};
    const std::vector<float> levels = run(shape, 0.5);
    EXPECT_EQ(levels.front(), 0.0f);
    EXPECT_NEAR(levels[static_cast<size_t>(framesOf(0.005))], 0.5f, 0.01f);
    EXPECT_NEAR(levels[static_cast<size_t>(framesOf(0.01))], 1.0f, 0.01f);
    // Within 1% of the way to sustain at the end of the decay.
    EXPECT_NEAR(levels[static_cast<size_t>(framesOf(0.11))], 0.505f, 0.003f);
    EXPECT_NEAR(levels[static_cast<size_t>(framesOf(0.45))], 0.5f, 0.001f);
    // Silent within the release time of the gate closing.
    EXPECT_NEAR(static_cast<double>(levels.size()), static_cast<double>(framesOf(0.7)),
                static_cast<double>(framesOf(0.01)));
    EXPECT_LT(levels.back(), 0.001f);
}

TEST(Envelope, NeverJumpsEvenWhenTheGateClosesMidAttack) {
    const AdsrShape shape = {0.05f, 0.1f, 0.8f, 0.001f};
    const std::vector<float> levels = run(shape, 0.02);
    float highest = 0.0f;
    for (size_t i = 1; i < levels.size(); ++i) {
        highest = std::max(highest, levels[i]);
        // The 1 ms release from 0.4 falls fastest at its start, by a twelfth of its level.
        ASSERT_LT(std::fabs(levels[i] - levels[i - 1]), 0.04f) << i;
    }
    // The release starts where the attack got to, and is over within its 1 ms.
    EXPECT_NEAR(highest, 0.4f, 0.01f);
    EXPECT_NEAR(static_cast<double>(levels.size()), static_cast<double>(framesOf(0.021)), 2.0);
}

}  // namespace
