#include "tools/capture/music_spectrum.h"

#include <gtest/gtest.h>

#include "resources/soundtrack.h"
#include "resources/mp3_track.h"

namespace {

const String kGeneratedMusic = String(ZENTROX_GENERATED_DATA "/") + kMusic.name;

// The generated music: what the capture's frames see must not depend on how it was read.
TEST(MusicSpectrum, EqualsTheSpectrumOfTheWholeDecodedMusic) {
    DecodedTrack track;
    ASSERT_TRUE(decodeMp3(kGeneratedMusic, track));
    MusicSpectrum spectrum;
    ASSERT_TRUE(spectrum.open(kGeneratedMusic));
    SpectrumAnalyser analyser;
    std::vector<int64_t> ends = {-5, 0, 1, 1023, 1024, 1025, 1025, 5000};
    for (int64_t end = 30 * kTrackRate + 17; end < 32 * kTrackRate; end += 1470) {
        ends.push_back(end);  // 30 frames a second
    }
    ends.push_back(100 * kTrackRate);  // a jump forward
    ends.push_back(40 * kTrackRate);   // and back
    ends.push_back(track.frames() - 100);
    ends.push_back(track.frames() + 5000);  // silence after the end
    for (const int64_t end : ends) {
        EXPECT_EQ(spectrum.before(end), analyser.analyseTrack(track, end)) << "end " << end;
    }
}

TEST(MusicSpectrum, WithoutMusicEverySpectrumIsZero) {
    MusicSpectrum spectrum;
    EXPECT_FALSE(spectrum.open(String(ZENTROX_GENERATED_DATA "/Sounds/none.mp3")));
    EXPECT_EQ(spectrum.before(44100), SpectrumValues{});
}

}  // namespace
