#include "tools/generator/synth_voice.h"

#include <gtest/gtest.h>

#include <cmath>

#include "generator_test_support.h"

namespace {

constexpr OscillatorLayer kNone = {Waveform::Sine, 0.0f, 0, 1, 0.0f, 0.0f, 0.5f};

SynthPatch patchOf(const OscillatorLayer& layer, float cutoffHz) {
    return {.layers = {{layer, kNone}},
            .amplitude = {0.005f, 0.1f, 1.0f, 0.05f},
            .filter = {cutoffHz, 0.707f, 0.0f, 0.0f, {0.001f, 0.1f, 0.0f, 0.1f}, 0.0f},
            .gain = 1.0f};
}

std::vector<float> middleOf(const std::vector<float>& samples) {
    return {samples.begin() + framesOf(0.1), samples.begin() + framesOf(0.4)};
}

TEST(SynthVoice, PlaysTheNoteAtItsOctaveAndEndsInSilence) {
    const SynthPatch sineBelow = patchOf({Waveform::Sine, 1.0f, -1, 1, 0.0f, 0.0f, 0.5f}, 20000.0f);
    const StereoBuffer note = renderSynthNote(sineBelow, {69.0, 0.5, 1.0f, 0.0f, 0.0f, 1u});
    // Gate plus release, then nothing.
    EXPECT_NEAR(static_cast<double>(note.frames()), static_cast<double>(framesOf(0.55)), 50.0);
    EXPECT_EQ(note.left.front(), 0.0f);
    EXPECT_LT(std::fabs(note.left.back()), 0.001f);
    const std::vector<float> held = middleOf(note.left);
    // A centred voice puts the sine at unity on both sides.
    EXPECT_NEAR(toneAmplitude(held, 220.0), 1.0, 0.02);
    EXPECT_LT(toneAmplitude(held, 440.0), 0.01);
}

TEST(SynthVoice, UnisonSpreadsAcrossTheStereoField) {
    const SynthPatch wide = patchOf({Waveform::Saw, 1.0f, 0, 7, 20.0f, 1.0f, 0.5f}, 20000.0f);
    const StereoBuffer note = renderSynthNote(wide, {57.0, 0.5, 1.0f, 0.0f, 0.0f, 3u});
    double difference = 0.0;
    double sum = 0.0;
    for (size_t i = 0; i < note.left.size(); ++i) {
        difference += std::fabs(note.left[i] - note.right[i]);
        sum += std::fabs(note.left[i] + note.right[i]);
    }
    EXPECT_GT(difference, 0.3 * sum);
}

TEST(SynthVoice, BrightnessOpensTheFilter) {
    const SynthPatch saw = patchOf({Waveform::Saw, 1.0f, 0, 1, 0.0f, 0.0f, 0.5f}, 1000.0f);
    const StereoBuffer dark = renderSynthNote(saw, {45.0, 0.5, 1.0f, -1.0f, -1.0f, 1u});
    const StereoBuffer bright = renderSynthNote(saw, {45.0, 0.5, 1.0f, 2.0f, 2.0f, 1u});
    // The 36th harmonic of A2 (110 Hz), 3960 Hz: three octaves over a 500 Hz cutoff, at a
    // 4 kHz one.
    EXPECT_GT(toneAmplitude(middleOf(bright.left), 3960.0),
              20.0 * toneAmplitude(middleOf(dark.left), 3960.0));
    // The fundamental passes either way.
    EXPECT_NEAR(toneAmplitude(middleOf(dark.left), 110.0),
                toneAmplitude(middleOf(bright.left), 110.0), 0.05);
}

}  // namespace
