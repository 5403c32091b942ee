#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/sound.h"
#include "app/soundtrack.h"
#include "resources/mp3_track.h"

namespace {

// SDL's dummy driver takes the samples at the device's pace and plays them nowhere.
class SoundTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("SDL_AUDIODRIVER", "dummy", 1); }
    void TearDown() override {
        soundCloseStream(stream);
        soundClose();
    }

    const String music = String(ZENTROX_GENERATED_DATA "/") + kMusicFile;
    SoundStream* stream = nullptr;
};

// The frame whose preceding window the spectrum is of, searched near `around`; -1 if none.
int64_t matchingWindowEnd(const SpectrumValues& heard, const DecodedTrack& track, int64_t around) {
    SpectrumAnalyser analyser;
    for (int64_t end = around - 8192; end < around + 2 * kTrackRate; ++end) {
        if (analyser.analyseTrack(track, end) == heard) {
            return end;
        }
    }
    return -1;
}

TEST_F(SoundTest, TheSpectrumIsOfMusicTheDeviceHasJustPlayed) {
    ASSERT_TRUE(soundInit(kTrackRate));
    stream = soundOpenStream(music);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(soundSpectrum(), SpectrumValues{});  // nothing plays yet
    ASSERT_TRUE(soundPlay(stream));
    soundSetSpectrumActive(true);
    constexpr int64_t kFrom = 30 * kTrackRate;  // the music is in full swing there
    ASSERT_TRUE(soundSetPosition(stream, 30000));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const SpectrumValues heard = soundSpectrum();
    ASSERT_NE(heard, SpectrumValues{});

    DecodedTrack track;
    ASSERT_TRUE(decodeMp3(music, track));
    const int64_t end = matchingWindowEnd(heard, track, kFrom);
    ASSERT_GE(end, kFrom) << "the spectrum matches no window played from 30 s on";
    EXPECT_LT(end, kFrom + kTrackRate);  // within a second of 300 ms of playing
}

TEST_F(SoundTest, WithoutAFileTheStreamIsNullAndEveryCallTakesIt) {
    soundInit(kTrackRate);
    stream = soundOpenStream(String(ZENTROX_GENERATED_DATA "/Sounds/none.mp3"));
    EXPECT_EQ(stream, nullptr);
    EXPECT_FALSE(soundPlay(stream));
    EXPECT_FALSE(soundSetPosition(stream, 0));
    soundSetSpectrumActive(true);
    EXPECT_EQ(soundSpectrum(), SpectrumValues{});
}

}  // namespace
