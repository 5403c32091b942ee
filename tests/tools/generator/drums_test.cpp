#include "tools/generator/drums.h"

#include <gtest/gtest.h>

#include <cmath>

#include "generator_test_support.h"

namespace {

struct NamedSound {
    const char* name;
    StereoBuffer sound;
};

std::vector<NamedSound> everySound() {
    return {
        {"kick", renderKick(1.0f, 1u)},
        {"snare", renderSnare(1.0f, 2u)},
        {"clap", renderClap(1.0f, 3u)},
        {"closed hat", renderClosedHat(1.0f, 4u)},
        {"open hat", renderOpenHat(1.0f, 5u)},
        {"shaker", renderShaker(1.0f, 6u)},
        {"crash", renderCrash(1.0f, 7u)},
        {"riser", renderRiser(2.0, 1.0f, 8u)},
        {"downlifter", renderDownlifter(2.0, 1.0f, 9u)},
        {"sweep", renderSweep(2.0, 1.0f, 10u)},
        {"sub drop", renderSubDrop(2.0, 1.0f)},
    };
}

float peakOf(const StereoBuffer& sound) {
    float peak = 0.0f;
    for (size_t i = 0; i < sound.left.size(); ++i) {
        EXPECT_TRUE(std::isfinite(sound.left[i]) && std::isfinite(sound.right[i]));
        peak = std::max({peak, std::fabs(sound.left[i]), std::fabs(sound.right[i])});
    }
    return peak;
}

TEST(Drums, EverySoundStartsAndEndsSilentAndStaysInRange) {
    for (const NamedSound& named : everySound()) {
        const StereoBuffer& sound = named.sound;
        ASSERT_GT(sound.frames(), 100) << named.name;
        const float peak = peakOf(sound);
        EXPECT_GT(peak, 0.05f) << named.name;
        EXPECT_LT(peak, 1.5f) << named.name;
        // No click where the mixer places or drops it.
        EXPECT_LT(std::fabs(sound.left.front()) + std::fabs(sound.right.front()), 0.05f)
            << named.name;
        EXPECT_EQ(sound.left.back(), 0.0f) << named.name;
        EXPECT_EQ(sound.right.back(), 0.0f) << named.name;
    }
}

TEST(Drums, VelocityScalesAndSeedsVaryTheNoise) {
    const float full = peakOf(renderSnare(1.0f, 2u));
    EXPECT_NEAR(peakOf(renderSnare(0.5f, 2u)), full * 0.5f, full * 0.01f);
    EXPECT_EQ(renderSnare(1.0f, 2u).left, renderSnare(1.0f, 2u).left);
    EXPECT_NE(renderSnare(1.0f, 2u).left, renderSnare(1.0f, 3u).left);
}

TEST(Drums, KickFallsToItsLowPitchAndHatsLiveAboveSevenKilohertz) {
    const StereoBuffer kick = renderKick(1.0f, 1u);
    const std::vector<float> tail(kick.left.begin() + framesOf(0.15),
                                  kick.left.begin() + framesOf(0.4));
    EXPECT_GT(toneAmplitude(tail, 48.0), 4.0 * toneAmplitude(tail, 150.0));
    const StereoBuffer hat = renderOpenHat(1.0f, 5u);
    double low = 0.0;
    double high = 0.0;
    for (double hz = 500.0; hz < 4000.0; hz += 250.0) {
        low += toneAmplitude(hat.left, hz);
    }
    for (double hz = 8000.0; hz < 11500.0; hz += 250.0) {
        high += toneAmplitude(hat.left, hz);
    }
    EXPECT_GT(high, 10.0 * low);
}

}  // namespace
