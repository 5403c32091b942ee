#include "tools/generator/filter.h"

#include <gtest/gtest.h>

#include "generator_test_support.h"

namespace {

struct FilteredTones {
    std::vector<float> low;
    std::vector<float> band;
    std::vector<float> high;
};

FilteredTones filterTone(double hz, double cutoffHz, double resonance) {
    const StereoBuffer tone = sineTone(hz, 1.0, 0.5, true, false);
    StateVariableFilter filter(cutoffHz, resonance);
    FilteredTones out;
    for (const float x : tone.left) {
        const FilterOutputs y = filter.process(x);
        out.low.push_back(y.low);
        out.band.push_back(y.band);
        out.high.push_back(y.high);
    }
    return out;
}

TEST(StateVariableFilter, LowPassPassesTheBassAndCutsTwelveDecibelsAnOctave) {
    const FilteredTones bass = filterTone(100.0, 1000.0, 0.707);
    EXPECT_NEAR(toneAmplitude(bass.low, 100.0), 1.0, 0.01);
    EXPECT_LT(toneAmplitude(bass.high, 100.0), 0.02);
    const FilteredTones treble = filterTone(8000.0, 1000.0, 0.707);
    EXPECT_LT(toneAmplitude(treble.low, 8000.0), 0.02);  // 36 dB down, three octaves above
    EXPECT_NEAR(toneAmplitude(treble.high, 8000.0), 1.0, 0.02);
}

TEST(StateVariableFilter, BandPassIsUnityAtTheCutoffAndResonanceRaisesTheLowPassThere) {
    EXPECT_NEAR(toneAmplitude(filterTone(2000.0, 2000.0, 4.0).band, 2000.0), 1.0, 0.02);
    EXPECT_NEAR(toneAmplitude(filterTone(2000.0, 2000.0, 4.0).low, 2000.0), 4.0, 0.1);
    EXPECT_NEAR(toneAmplitude(filterTone(2000.0, 2000.0, 0.707).low, 2000.0), 0.707, 0.02);
}

TEST(Biquad, RunsTheGivenDifferenceEquation) {
    // y = 0.5 x + 0.5 y': a one-pole low-pass with unity gain at DC.
    Biquad biquad({0.5, 0.0, 0.0, -0.5, 0.0});
    EXPECT_DOUBLE_EQ(biquad.process(1.0), 0.5);
    EXPECT_DOUBLE_EQ(biquad.process(1.0), 0.75);
    EXPECT_DOUBLE_EQ(biquad.process(1.0), 0.875);
}

}  // namespace
