#include "resources/animation_track.h"

#include <gtest/gtest.h>

#include "tests/resources/track_test_support.h"

namespace {

AnimationTrack trackOf(const std::string& text, bool loop = true) {
    AnimationTrack track;
    track.loadLines(linesOf(text));
    track.loop = loop;
    return track;
}

// Keys at 0, 1 and 2 with position x = 0, 10, 40.
const char* const kThreeKeys =
    "0\t(0\t0\t0)\t(0\t0\t0)\t(1\t1\t1)\n"
    "1\t(10\t0\t0)\t(90\t0\t0)\t(1\t1\t1)\n"
    "2\t(40\t0\t0)\t(180\t0\t0)\t(2\t2\t2)\n";

TEST(AnimationLoading, ParsesTabsAndBlanksAlike) {
    const AnimationTrack tabs = trackOf("1.5\t(1\t2\t3)\t(4\t5\t6)\t(7\t8\t9)\n");
    const AnimationTrack blanks = trackOf("1.5 ( 1 2 3) (4 5 6)(7 8 9)\n");
    ASSERT_EQ(blanks.keys.size(), 1u);
    EXPECT_EQ(blanks.keys[0].time, 1.5f);
    EXPECT_EQ(blanks.keys[0].first.z, 3.0f);
    EXPECT_EQ(blanks.keys[0].second.y, 5.0f);
    EXPECT_EQ(blanks.keys[0].third.z, 9.0f);
    EXPECT_EQ(tabs.keys[0].third.x, blanks.keys[0].third.x);
    EXPECT_EQ(tabs.duration, 1.5f);
}

TEST(AnimationLoading, ABrokenLineKeepsWhatParsed) {
    const AnimationTrack track = trackOf("2 (1 2 3) oops\n");
    EXPECT_EQ(track.keys[0].first.y, 2.0f);
    EXPECT_EQ(track.keys[0].second.x, 0.0f);
}

TEST(AnimationSampling, LoopsPastTheEnd) {
    AnimationTrack track = trackOf(kThreeKeys);
    track.sample(0.5f);
    const TrackKey half = track.current;
    track.sample(2.5f);
    EXPECT_EQ(track.current.first.x, half.first.x);
    EXPECT_EQ(track.current.second.x, half.second.x);
    track.sample(4.0f);  // a whole number of loops lands on the last key, not the first
    EXPECT_EQ(track.current.first.x, 40.0f);
    track.sample(1.0e7f + 0.5f);  // far past the end still ends, inside the loop
    EXPECT_GE(track.current.first.x, 0.0f);
    EXPECT_LE(track.current.first.x, 40.0f);
}

TEST(AnimationSampling, ClampsWhenNotLooping) {
    AnimationTrack track = trackOf(kThreeKeys, false);
    track.sample(2.5f);
    EXPECT_EQ(track.current.first.x, 40.0f);
    EXPECT_EQ(track.current.third.x, 2.0f);
    track.sample(-1.0f);  // before the first key: the first key
    EXPECT_EQ(track.current.first.x, 0.0f);
    EXPECT_EQ(track.current.time, 0.0f);
}

TEST(AnimationSampling, InterpolatesEveryVectorAndHitsKeysExactly) {
    AnimationTrack track = trackOf(kThreeKeys);
    track.sample(1.5f);
    EXPECT_FLOAT_EQ(track.current.time, 1.5f);
    EXPECT_FLOAT_EQ(track.current.first.x, 25.0f);
    EXPECT_FLOAT_EQ(track.current.second.x, 135.0f);
    EXPECT_FLOAT_EQ(track.current.third.y, 1.5f);
    for (const float t : {0.0f, 1.0f, 2.0f}) {
        track.sample(t);
        EXPECT_EQ(track.current.time, t);
    }
    track.sample(1.0f);
    EXPECT_EQ(track.current.first.x, 10.0f);
}

TEST(AnimationSampling, DegenerateTracks) {
    AnimationTrack empty = trackOf("");
    empty.sample(3.0f);
    EXPECT_EQ(empty.current.first.x, 0.0f);
    // All keys at time 0: past the end it holds the last key even when looping.
    AnimationTrack still = trackOf("0 (1 1 1) (0 0 0) (1 1 1)\n0 (5 5 5) (0 0 0) (1 1 1)\n");
    still.sample(2.0f);
    EXPECT_EQ(still.current.first.x, 5.0f);
    AnimationTrack single = trackOf("3 (7 0 0) (0 0 0) (1 1 1)\n");
    single.sample(1.0f);
    EXPECT_EQ(single.current.first.x, 7.0f);
}

TEST(AnimationSampling, WrapIntoLoopEndsInsideTheLoop) {
    EXPECT_FLOAT_EQ(wrapIntoLoop(2.5f, 2.0f), 0.5f);
    EXPECT_EQ(wrapIntoLoop(4.0f, 2.0f), 2.0f);
    EXPECT_EQ(wrapIntoLoop(1.0e30f, 1.0e-20f), wrapIntoLoop(1.0e30f, 1.0e-20f));
    const float far = wrapIntoLoop(3.0e9f, 0.7f);
    EXPECT_GT(far, 0.0f);
    EXPECT_LE(far, 0.7f);
}

}  // namespace
