#include "app/spectrum.h"
#include "scenes/status.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "resources/mp3_track.h"

namespace {

std::array<float, kSpectrumWindow> tone(double bin, float amplitude) {
    std::array<float, kSpectrumWindow> samples = {};
    for (int32_t i = 0; i < kSpectrumWindow; ++i) {
        samples[i] =
            amplitude * static_cast<float>(std::sin(2.0 * M_PI * bin * i / kSpectrumWindow));
    }
    return samples;
}

int32_t peakBin(const SpectrumValues& values) {
    return static_cast<int32_t>(std::max_element(values.begin(), values.end()) - values.begin());
}

TEST(SpectrumAnalyser, SilenceReadsZero) {
    SpectrumAnalyser analyser;
    const SpectrumValues values = analyser.analyse({});
    for (const float v : values) {
        EXPECT_EQ(v, 0.0f);
    }
}

TEST(SpectrumAnalyser, FullScaleSinePeaksNearOneInItsBin) {
    SpectrumAnalyser analyser;
    for (const int32_t bin : {5, 64, 233, 400}) {
        SCOPED_TRACE(bin);
        const SpectrumValues values = analyser.analyse(tone(bin, 1.0f));
        EXPECT_EQ(peakBin(values), bin);
        EXPECT_NEAR(values[bin], 1.0f, 0.01f);
        // The Hann window's leakage stays in the neighbouring bins.
        EXPECT_NEAR(values[bin + 1], 0.5f, 0.01f);
        EXPECT_LT(values[bin + 3], 1e-3f);
    }
    // A 1 kHz tone at 44.1 kHz falls in bin 1000 / (44100 / 1024) = 23.2.
    const SpectrumValues kiloHertz = analyser.analyse(tone(1000.0 * 1024 / 44100, 0.5f));
    EXPECT_EQ(peakBin(kiloHertz), 23);
    EXPECT_GT(kiloHertz[23], 0.3f);
}

TEST(SpectrumAnalyser, TrackWindowEndsBeforeTheGivenFrame) {
    DecodedTrack track;
    track.samples.assign(4096 * kTrackChannels, 0);
    // A tone only in frames 2048..3071, the same on both channels.
    const auto samples = tone(40, 1.0f);
    for (int32_t i = 0; i < kSpectrumWindow; ++i) {
        const auto value = static_cast<int16_t>(std::lround(samples[i] * 32767.0f));
        track.samples[(2048 + i) * 2] = value;
        track.samples[(2048 + i) * 2 + 1] = value;
    }
    SpectrumAnalyser analyser;
    EXPECT_NEAR(analyser.analyseTrack(track, 3072)[40], 1.0f, 0.01f);
    EXPECT_EQ(analyser.analyseTrack(track, 2048)[40], 0.0f);
    EXPECT_EQ(analyser.analyseTrack(track, 0)[40], 0.0f);       // before the start
    EXPECT_EQ(analyser.analyseTrack(track, 100000)[40], 0.0f);  // after the end
}

TEST(ReduceSpectrum, EqualValuesGiveEqualBandsAndMidLevel) {
    SpectrumValues values;
    values.fill(0.375f);
    reduceSpectrum(values);
    for (const float band : spectrumBands) {
        EXPECT_EQ(band, 0.375f);
    }
    EXPECT_EQ(midLevel, 0.375f);
}

TEST(ReduceSpectrum, OnlyValues192To319MoveMidLevel) {
    SpectrumValues values = {};
    for (int32_t i = 0; i < kSpectrumValues; ++i) {
        values[i] = i >= 192 && i <= 319 ? 0.0f : 1.0f;
    }
    reduceSpectrum(values);
    EXPECT_EQ(midLevel, 0.0f);
    values.fill(0.0f);
    for (int32_t i = 192; i <= 319; ++i) {
        values[i] = 0.5f;
    }
    reduceSpectrum(values);
    EXPECT_EQ(midLevel, 0.5f);
    EXPECT_EQ(spectrumBands[95], 0.0f);
    EXPECT_EQ(spectrumBands[160], 0.0f);
    // Pairs are averaged: band 100 is the mean of values 200 and 201.
    values.fill(0.0f);
    values[200] = 1.0f;
    reduceSpectrum(values);
    EXPECT_EQ(spectrumBands[100], 0.5f);
    EXPECT_EQ(midLevel, 0.5f / 64.0f);
}

}  // namespace
