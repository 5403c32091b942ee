#include <gtest/gtest.h>

#include <cstdlib>

#include "app/sys/sound.h"
#include "resources/soundtrack.h"

namespace {

// The calls as the demo makes them, on SDL's dummy driver. What the device is handed, and the
// spectrum of it, are tested on the music feed itself, without a clock.
class SoundTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("SDL_AUDIODRIVER", "dummy", 1); }
    void TearDown() override {
        soundCloseStream(stream);
        soundClose();
    }

    const String music = String(ZENTROX_GENERATED_DATA "/") + kMusic.name;
    SoundStream* stream = nullptr;
};

TEST_F(SoundTest, TheMusicOpensPlaysAndMoves) {
    ASSERT_TRUE(soundInit(kTrackRate));
    stream = soundOpenStream(music);
    ASSERT_NE(stream, nullptr);
    EXPECT_TRUE(soundPlay(stream));
    soundSetSpectrumActive(true);
    EXPECT_TRUE(soundSetPosition(stream, 30000));
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
