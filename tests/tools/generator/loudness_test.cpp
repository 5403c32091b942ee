#include "tools/generator/loudness.h"

#include <gtest/gtest.h>

#include "generator_test_support.h"

namespace {

TEST(Loudness, FullScaleSineReadsMinusThreeOnOneChannelAndZeroOnBoth) {
    EXPECT_NEAR(integratedLoudness(sineTone(997.0, 1.0, 5.0, true, false)), -3.01, 0.05);
    EXPECT_NEAR(integratedLoudness(sineTone(997.0, 1.0, 5.0, true, true)), 0.0, 0.05);
}

TEST(Loudness, FollowsTheLevelDecibelForDecibel) {
    const double loud = integratedLoudness(sineTone(997.0, 1.0, 5.0, true, true));
    const double quiet = integratedLoudness(sineTone(997.0, 0.1, 5.0, true, true));
    EXPECT_NEAR(loud - quiet, 20.0, 0.01);
}

TEST(Loudness, GatesOutSilenceAndQuietPassages) {
    // Long enough that the few blocks straddling each edge hardly count.
    const StereoBuffer tone = sineTone(997.0, 0.5, 30.0, true, true);
    StereoBuffer withGaps(tone.frames() * 3);
    for (int64_t i = 0; i < tone.frames(); ++i) {
        // Silence, then the tone, then the tone 30 dB down: both below the relative gate.
        const size_t at = static_cast<size_t>(tone.frames() + i);
        withGaps.left[at] = tone.left[static_cast<size_t>(i)];
        withGaps.right[at] = tone.right[static_cast<size_t>(i)];
        withGaps.left[at + tone.left.size()] = tone.left[static_cast<size_t>(i)] * 0.0316f;
        withGaps.right[at + tone.left.size()] = tone.right[static_cast<size_t>(i)] * 0.0316f;
    }
    EXPECT_NEAR(integratedLoudness(withGaps), integratedLoudness(tone), 0.1);
}

TEST(Loudness, WeighsDeepBassDownAndPresenceUp) {
    const double at1k = integratedLoudness(sineTone(1000.0, 0.5, 5.0, true, true));
    EXPECT_LT(integratedLoudness(sineTone(20.0, 0.5, 5.0, true, true)), at1k - 10.0);
    // The shelf lifts the presence range by 4 dB, of which 1 kHz already gets 0.7.
    EXPECT_NEAR(integratedLoudness(sineTone(6000.0, 0.5, 5.0, true, true)), at1k + 3.3, 0.2);
}

TEST(Loudness, SilenceAndTooShortProgrammesReadSilent) {
    EXPECT_EQ(integratedLoudness(StereoBuffer(framesOf(2.0))), kSilentLufs);
    EXPECT_EQ(integratedLoudness(sineTone(997.0, 1.0, 0.3, true, true)), kSilentLufs);
}

}  // namespace
