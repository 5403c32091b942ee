#include "tools/generator/limiter.h"

#include <gtest/gtest.h>

#include <cmath>

#include "generator_test_support.h"

namespace {

constexpr LimiterSettings kSettings = {0.8414f, 0.0025, 0.12};

// A quiet sine with one loud burst of 20 ms in the middle.
StereoBuffer toneWithBurst() {
    StereoBuffer tone = sineTone(220.0, 0.3, 2.0, true, true);
    for (int64_t i = framesOf(1.0); i < framesOf(1.02); ++i) {
        tone.left[static_cast<size_t>(i)] *= 4.0f;
        tone.right[static_cast<size_t>(i)] *= 3.0f;
    }
    return tone;
}

TEST(Limiter, KeepsEverySampleAtOrBelowTheCeiling) {
    StereoBuffer programme = toneWithBurst();
    const double reduction = limitPeaks(programme, kSettings);
    EXPECT_LE(samplePeak(programme), kSettings.ceiling);
    // The burst peaks at 1.2, 3.1 dB over the ceiling.
    EXPECT_NEAR(reduction, 20.0 * std::log10(1.2 / kSettings.ceiling), 0.1);
}

TEST(Limiter, HoldsPeaksBetweenSamplesToo) {
    // A full-scale sine at a quarter of the rate, sampled 45 degrees off its crests: every
    // sample reads 0.707, under the ceiling, but the waveform rebuilt from them reaches 1.
    StereoBuffer programme(framesOf(0.5));
    for (int64_t i = 0; i < programme.frames(); ++i) {
        const float value =
            static_cast<float>(std::sin(M_PI / 2.0 * static_cast<double>(i) + M_PI / 4.0));
        programme.left[static_cast<size_t>(i)] = value;
        programme.right[static_cast<size_t>(i)] = value;
    }
    EXPECT_LT(samplePeak(programme), kSettings.ceiling);
    EXPECT_NEAR(truePeak(programme), 1.0f, 0.02f);
    limitPeaks(programme, kSettings);
    EXPECT_LE(truePeak(programme), kSettings.ceiling * 1.001f);
    EXPECT_GT(truePeak(programme), kSettings.ceiling * 0.98f);
}

TEST(Limiter, LeavesAProgrammeBelowTheCeilingUntouched) {
    const StereoBuffer quiet = sineTone(220.0, 0.8, 1.0, true, false);
    StereoBuffer programme = quiet;
    EXPECT_EQ(limitPeaks(programme, kSettings), 0.0);
    EXPECT_EQ(programme.left, quiet.left);
    EXPECT_EQ(programme.right, quiet.right);
}

TEST(Limiter, StartsReducingBeforeThePeakAndRecoversAfter) {
    const StereoBuffer original = toneWithBurst();
    StereoBuffer programme = original;
    limitPeaks(programme, kSettings);
    const auto gainAt = [&](double seconds) {
        // Both channels share one gain; read it where the tone is far from a zero crossing.
        const size_t i = static_cast<size_t>(framesOf(seconds));
        return programme.left[i] / original.left[i];
    };
    const double quarterCycle = 1.0 / 220.0 / 4.0;
    EXPECT_LT(gainAt(1.0 - 3 * quarterCycle + 0.0), 1.0f) << "no look-ahead";
    EXPECT_FLOAT_EQ(gainAt(0.9 + quarterCycle), 1.0f) << "reduction long before the burst";
    EXPECT_GT(gainAt(1.5 + quarterCycle), 0.99f) << "no recovery after the burst";
    // The gain glides: between neighbouring frames it never moves by more than 1%.
    for (int64_t i = framesOf(0.99); i < framesOf(1.05); ++i) {
        const size_t at = static_cast<size_t>(i);
        if (std::fabs(original.left[at]) > 0.1f && std::fabs(original.left[at + 1]) > 0.1f) {
            const float before = programme.left[at] / original.left[at];
            const float after = programme.left[at + 1] / original.left[at + 1];
            ASSERT_NEAR(before, after, 0.01f) << i;
        }
    }
}

}  // namespace
