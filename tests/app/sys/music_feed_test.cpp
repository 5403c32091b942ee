#include "app/sys/music_feed.h"

#include <gtest/gtest.h>

#include <vector>

#include "resources/soundtrack.h"
#include "resources/mp3_track.h"

namespace {

constexpr int32_t kBuffer = 1024;  // frames per device buffer, as the sound layer asks

// The feed driven as the audio device drives it, one buffer at a time, with no clock: what it
// hands over and what it says was heard are compared with the whole decoded music.
class MusicFeedTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        track = new DecodedTrack;
        ASSERT_TRUE(decodeMp3(music(), *track));
    }
    static void TearDownTestSuite() {
        delete track;
        track = nullptr;
    }
    static String music() { return String(ZENTROX_GENERATED_DATA "/") + kMusic.name; }

    // Hands `count` buffers to a device; their samples.
    std::vector<float> play(int32_t count) {
        std::vector<float> samples(static_cast<size_t>(count) * kBuffer * kTrackChannels);
        for (int32_t i = 0; i < count; ++i) {
            feed.fill(samples.data() + static_cast<size_t>(i) * kBuffer * kTrackChannels, kBuffer);
        }
        return samples;
    }

    static DecodedTrack* track;
    MusicFeed feed;
    SpectrumAnalyser analyser;
};

DecodedTrack* MusicFeedTest::track = nullptr;

TEST_F(MusicFeedTest, HandsOverTheMusicFromAPositionToTheSample) {
    ASSERT_TRUE(feed.open(music(), kBuffer));
    constexpr int64_t kFrom = 30 * kTrackRate;
    ASSERT_TRUE(feed.seek(kFrom));
    const std::vector<float> samples = play(5);
    for (size_t i = 0; i < samples.size(); ++i) {
        ASSERT_EQ(samples[i], track->sample(static_cast<size_t>(kFrom) * kTrackChannels + i)) << i;
    }
    EXPECT_EQ(feed.cursor(), kFrom + 5 * kBuffer);
}

TEST_F(MusicFeedTest, TheSpectrumIsOfTheWindowBeforeTheBufferStillPlaying) {
    ASSERT_TRUE(feed.open(music(), kBuffer));
    constexpr int64_t kFrom = 30 * kTrackRate;
    ASSERT_TRUE(feed.seek(kFrom));
    play(3);
    const SpectrumValues heard = analyser.analyse(feed.heardWindow());
    ASSERT_NE(heard, SpectrumValues{});
    EXPECT_EQ(heard, analyser.analyseTrack(*track, kFrom + 2 * kBuffer));
    play(1);
    EXPECT_EQ(analyser.analyse(feed.heardWindow()),
              analyser.analyseTrack(*track, kFrom + 3 * kBuffer));
}

TEST_F(MusicFeedTest, NothingIsHeardBeforeTheStartOrRightAfterASeek) {
    ASSERT_TRUE(feed.open(music(), kBuffer));
    EXPECT_EQ(analyser.analyse(feed.heardWindow()), SpectrumValues{});
    play(1);  // still playing: nothing heard yet
    EXPECT_EQ(analyser.analyse(feed.heardWindow()), SpectrumValues{});
    play(4);
    EXPECT_NE(analyser.analyse(feed.heardWindow()), SpectrumValues{});
    ASSERT_TRUE(feed.seek(60 * kTrackRate));
    EXPECT_EQ(analyser.analyse(feed.heardWindow()), SpectrumValues{});
}

TEST_F(MusicFeedTest, PlaysSilenceAfterTheEnd) {
    ASSERT_TRUE(feed.open(music(), kBuffer));
    const int64_t frames = track->frames();
    ASSERT_TRUE(feed.seek(frames - kBuffer / 2));
    const std::vector<float> samples = play(2);
    for (size_t i = kBuffer / 2 * kTrackChannels; i < samples.size(); ++i) {
        ASSERT_EQ(samples[i], 0.0f) << i;
    }
}

TEST_F(MusicFeedTest, RefusesMissingMusicAndThenPlaysSilence) {
    EXPECT_FALSE(feed.open(String(ZENTROX_GENERATED_DATA "/Sounds/none.mp3"), kBuffer));
    EXPECT_FALSE(feed.open(music(), 0));
    const std::vector<float> samples = play(1);
    for (const float sample : samples) {
        ASSERT_EQ(sample, 0.0f);
    }
    EXPECT_EQ(feed.heardWindow(), (std::array<float, kSpectrumWindow>{}));
}

}  // namespace
