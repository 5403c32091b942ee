// The finished music as the demo plays it: the generated data tree's Sounds/Crunch.mp3,
// decoded by the demo's own gapless decoder and read by its own spectrum analyser.

#include "tools/generator/soundtrack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/spectrum.h"
#include "resources/data_manifest.h"
#include "resources/mp3_track.h"
#include "scenes/status.h"
#include "tools/generator/loudness.h"

namespace {

const DecodedTrack& generatedTrack() {
    static const DecodedTrack track = [] {
        DecodedTrack decoded;
        const std::string path = std::string(ZENTROX_GENERATED_DATA) + "/" + kMusic.name;
        EXPECT_TRUE(decodeMp3(String(path.c_str()), decoded)) << path;
        return decoded;
    }();
    return track;
}

int64_t frameAt(double seconds) {
    return std::llround(seconds * kTrackRate);
}

// Mean square of the mono mix over [from, to) seconds.
double energy(double from, double to) {
    const DecodedTrack& track = generatedTrack();
    double sum = 0.0;
    for (int64_t i = frameAt(from); i < frameAt(to); ++i) {
        sum += static_cast<double>(track.mono(i)) * track.mono(i);
    }
    return sum / static_cast<double>(frameAt(to) - frameAt(from));
}

// The demo's 8-14 kHz level, sampled 30 times a second over [from, to) seconds.
std::vector<float> midLevels(double from, double to) {
    SpectrumAnalyser analyser;
    std::vector<float> levels;
    for (int64_t frame = frameAt(from); frame < frameAt(to); frame += kTrackRate / 30) {
        reduceSpectrum(analyser.analyseTrack(generatedTrack(), frame));
        levels.push_back(midLevel);
    }
    return levels;
}

double mean(const std::vector<float>& values) {
    double sum = 0.0;
    for (const float value : values) {
        sum += value;
    }
    return sum / static_cast<double>(values.size());
}

TEST(Soundtrack, LastsBeyondTheDemoAndEndsInSilence) {
    const DecodedTrack& track = generatedTrack();
    ASSERT_GE(track.frames(), frameAt(190.0));
    EXPECT_LT(energy(189.5, 190.5), 1e-8);  // below -80 dBFS
    EXPECT_GT(energy(20.0, 30.0), 1e-3);    // the groove is well above -30 dBFS
}

TEST(Soundtrack, PeaksStayAtOrBelowMinusOneDecibel) {
    float peak = 0.0f;
    for (const int16_t sample : generatedTrack().samples) {
        peak = std::max(peak, std::fabs(static_cast<float>(sample) * kSampleScale));
    }
    EXPECT_LE(peak, 0.891f);
    EXPECT_GT(peak, 0.7f);  // mastered, not merely quiet
}

TEST(Soundtrack, MeasuresMinusFourteenLufs) {
    const DecodedTrack& track = generatedTrack();
    StereoBuffer programme(track.frames());
    for (int64_t i = 0; i < track.frames(); ++i) {
        programme.left[static_cast<size_t>(i)] = track.sample(static_cast<size_t>(2 * i));
        programme.right[static_cast<size_t>(i)] = track.sample(static_cast<size_t>(2 * i + 1));
    }
    EXPECT_NEAR(integratedLoudness(programme), -14.0, 1.0);
}

TEST(Soundtrack, TheTunnelIsBrightAndItsBrightnessPulsesWithTheBeat) {
    const std::vector<float> intro = midLevels(0.0, 10.0);
    const std::vector<float> tunnel = midLevels(85.0, 125.0);
    EXPECT_GT(mean(tunnel), 10.0 * mean(intro));
    // Within each beat (0.625 s) of the tunnel proper the level swings at least threefold.
    const std::vector<float> drive = midLevels(86.0, 118.0);
    const size_t perBeat = 30 * 5 / 8;
    int32_t pulsing = 0;
    int32_t beats = 0;
    for (size_t first = 0; first + perBeat <= drive.size(); first += perBeat, ++beats) {
        const auto [low, high] =
            std::minmax_element(drive.begin() + first, drive.begin() + first + perBeat);
        pulsing += *high > 3.0f * *low ? 1 : 0;
    }
    EXPECT_GT(pulsing, beats * 9 / 10);
}

TEST(Soundtrack, HitsHardAtOneHundredAndFiftyFiveSeconds) {
    EXPECT_GT(energy(155.0, 155.05), 30.0 * energy(154.95, 155.0));
    // And the finale after it is at full strength.
    EXPECT_GT(energy(156.0, 176.0), energy(125.0, 135.0));
}

TEST(Soundtrack, HasNoDcOffset) {
    const DecodedTrack& track = generatedTrack();
    double left = 0.0;
    double right = 0.0;
    for (int64_t i = 0; i < track.frames(); ++i) {
        left += track.sample(static_cast<size_t>(2 * i));
        right += track.sample(static_cast<size_t>(2 * i + 1));
    }
    EXPECT_LT(std::fabs(left / static_cast<double>(track.frames())), 1e-3);
    EXPECT_LT(std::fabs(right / static_cast<double>(track.frames())), 1e-3);
}

}  // namespace
