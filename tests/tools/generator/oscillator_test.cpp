#include "tools/generator/oscillator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "generator_test_support.h"
#include "tools/generator/stereo_buffer.h"

namespace {

std::vector<float> run(Oscillator oscillator, double hz, double seconds) {
    oscillator.setFrequency(hz);
    std::vector<float> samples(static_cast<size_t>(framesOf(seconds)));
    for (float& sample : samples) {
        sample = oscillator.next();
    }
    return samples;
}

// A saw from its phase alone, with no correction at the jump.
std::vector<float> naiveSaw(double hz, double seconds) {
    std::vector<float> samples(static_cast<size_t>(framesOf(seconds)));
    double phase = 0.0;
    for (float& sample : samples) {
        sample = static_cast<float>(2.0 * phase - 1.0);
        phase += hz / kAudioRate;
        phase -= std::floor(phase);
    }
    return samples;
}

TEST(Oscillator, SawHasItsFundamentalAndFarWeakerAliases) {
    // The 14th harmonic of 3100 Hz, at 43400 Hz, folds back to 700 Hz.
    const std::vector<float> saw = run(Oscillator(Waveform::Saw, 0.0), 3100.0, 1.0);
    EXPECT_NEAR(toneAmplitude(saw, 3100.0), 2.0 / M_PI, 0.02);
    const double alias = toneAmplitude(saw, 700.0);
    const double naiveAlias = toneAmplitude(naiveSaw(3100.0, 1.0), 700.0);
    EXPECT_GT(naiveAlias, 0.03);
    EXPECT_LT(alias, naiveAlias / 10.0);
}

TEST(Oscillator, PulseIsHighForItsWidthAndCentredOnZero) {
    const std::vector<float> pulse = run(Oscillator(Waveform::Pulse, 0.0, 0.25), 440.0, 1.0);
    const double mean = std::accumulate(pulse.begin(), pulse.end(), 0.0) / pulse.size();
    EXPECT_NEAR(mean, 0.0, 0.005);
    // High is 1.5 and low -0.5, so count samples above the middle, 0.5.
    const auto high = std::count_if(pulse.begin(), pulse.end(), [](float x) { return x > 0.5f; });
    EXPECT_NEAR(static_cast<double>(high) / pulse.size(), 0.25, 0.015);
}

TEST(Oscillator, SineStartsAtItsPhaseAndKeepsItsFrequency) {
    const std::vector<float> sine = run(Oscillator(Waveform::Sine, 0.25), 1000.0, 0.5);
    EXPECT_NEAR(sine[0], 1.0f, 1e-6f);
    EXPECT_NEAR(toneAmplitude(sine, 1000.0), 1.0, 0.01);
    EXPECT_LT(toneAmplitude(sine, 1010.0), 0.01);
}

TEST(NoiseSource, IsCentredWithinRangeAndRepeatsItsSeed) {
    NoiseSource a(7u);
    NoiseSource b(7u);
    NoiseSource c(8u);
    double sum = 0.0;
    int32_t differing = 0;
    for (int32_t i = 0; i < 100000; ++i) {
        const float x = a.next();
        ASSERT_GE(x, -1.0f);
        ASSERT_LT(x, 1.0f);
        ASSERT_EQ(x, b.next());
        differing += x != c.next() ? 1 : 0;
        sum += x;
    }
    EXPECT_NEAR(sum / 100000.0, 0.0, 0.01);
    EXPECT_GT(differing, 99000);
}

TEST(Pitch, NotesAndCentsFollowEqualTemperament) {
    EXPECT_NEAR(noteFrequency(69.0), 440.0, 1e-9);
    EXPECT_NEAR(noteFrequency(81.0), 880.0, 1e-9);
    EXPECT_NEAR(noteFrequency(60.0), 261.6255653, 1e-6);
    EXPECT_NEAR(centsRatio(1200.0), 2.0, 1e-12);
    EXPECT_NEAR(centsRatio(-100.0), 1.0 / std::pow(2.0, 1.0 / 12.0), 1e-12);
}

}  // namespace
