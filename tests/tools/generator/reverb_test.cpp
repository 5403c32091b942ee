#include "tools/generator/reverb.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tools/generator/oscillator.h"

namespace {

constexpr ReverbSettings kHall = {0.75, 0.45, 0.02, 1.0};

double meanSquare(const std::vector<float>& samples, double from, double to) {
    double sum = 0.0;
    for (int64_t i = framesOf(from); i < framesOf(to); ++i) {
        sum +=
            static_cast<double>(samples[static_cast<size_t>(i)]) * samples[static_cast<size_t>(i)];
    }
    return sum / static_cast<double>(framesOf(to) - framesOf(from));
}

TEST(HallReverb, AClapDiesAwayOverAFewSecondsInBothChannelsApart) {
    std::vector<float> send(static_cast<size_t>(framesOf(6.0)), 0.0f);
    send[0] = 1.0f;
    const StereoBuffer wet = hallReverb(send, kHall);
    // Nothing before the pre-delay, then a tail 60 dB down within about two seconds.
    EXPECT_EQ(meanSquare(wet.left, 0.0, 0.019), 0.0);
    const double early = meanSquare(wet.left, 0.05, 0.25);
    EXPECT_GT(early, 0.0);
    const double later = meanSquare(wet.left, 1.0, 1.2);
    const double decayDb = 10.0 * std::log10(early / later);
    EXPECT_GT(decayDb, 15.0);
    EXPECT_LT(decayDb, 45.0);
    EXPECT_LT(meanSquare(wet.left, 5.0, 6.0), early * 1e-6);
    // Decorrelated: the sides differ as much as they agree.
    double difference = 0.0;
    double sum = 0.0;
    for (size_t i = 0; i < wet.left.size(); ++i) {
        difference += std::fabs(wet.left[i] - wet.right[i]);
        sum += std::fabs(wet.left[i] + wet.right[i]);
    }
    EXPECT_GT(difference, 0.5 * sum);
}

TEST(HallReverb, ReturnsSteadyNoiseAtAboutItsLevel) {
    std::vector<float> send(static_cast<size_t>(framesOf(4.0)));
    NoiseSource noise(5u);
    for (float& sample : send) {
        sample = noise.next();
    }
    const StereoBuffer wet = hallReverb(send, kHall);
    const double ratioDb =
        10.0 * std::log10(meanSquare(wet.left, 2.0, 4.0) / meanSquare(send, 2.0, 4.0));
    EXPECT_NEAR(ratioDb, 0.0, 6.0);
}

}  // namespace
