#include "tools/capture/frame_plan.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

FramePlan planOf(std::vector<std::string> arguments) {
    std::string error;
    const std::optional<CaptureOptions> options = parseCaptureOptions(arguments, error);
    EXPECT_TRUE(options) << error;
    const std::optional<FramePlan> plan = planFrames(*options, error);
    EXPECT_TRUE(plan) << error;
    return plan.value_or(FramePlan{});
}

TEST(FramePlan, TheWholeDemoAtSixtyFramesIsElevenThousandFourHundredGridFrames) {
    const FramePlan plan = planOf({});
    EXPECT_EQ(plan.gridStart, 0);
    EXPECT_EQ(plan.rangeFrames, 11400);
    EXPECT_EQ(plan.first, 0);
    EXPECT_EQ(plan.count, 11400);
    EXPECT_EQ(frameTime(plan, 0), 0.0f);
    EXPECT_LT(frameTime(plan, 11399), 190.0f);
    EXPECT_EQ(frameDuration(plan), static_cast<float>(1.0 / 60.0));
}

TEST(FramePlan, AStartOnTheGridGivesTheWholeRunsFrameTimesExactly) {
    const FramePlan whole = planOf({"--fps", "30"});
    for (const char* from :
         {"9.9", "10", "15", "84.9", "85", "87.9", "100", "119.9", "122.9", "180", "185.5"}) {
        const FramePlan late = planOf({"--fps", "30", "--from", from});
        ASSERT_GE(late.gridStart, 0) << from;
        EXPECT_NEAR(late.gridStart, std::atof(from) * 30.0, 1e-6) << from;
        for (int64_t n = 0; n < 40 && n < late.count; ++n) {
            EXPECT_EQ(frameTime(late, n), frameTime(whole, late.gridStart + n)) << from << " " << n;
        }
        EXPECT_EQ(late.rangeFrames + late.gridStart, whole.rangeFrames) << from;
    }
    // 29.97 frames a second: 15 s is not on that grid, 1001 / 29.97 s is.
    EXPECT_EQ(planOf({"--fps", "29.97", "--from", "15"}).gridStart, -1);
    EXPECT_EQ(planOf({"--fps", "29.97", "--from", "33.4000667334"}).gridStart, 1001);
}

TEST(FramePlan, AStartOffTheGridCountsFromItsOwnTime) {
    const FramePlan plan = planOf({"--fps", "1", "--from", "0.5"});
    EXPECT_EQ(plan.gridStart, -1);
    EXPECT_EQ(plan.rangeFrames, 190);
    EXPECT_EQ(frameTime(plan, 0), 0.5f);
    EXPECT_EQ(frameTime(plan, 189), 189.5f);
    // It plays with the state of the grid frames before 0.5 s: frame 0 alone.
    EXPECT_EQ(timesBefore(plan), (std::vector<float>{0.0f}));
    EXPECT_EQ(timesBefore(planOf({"--fps", "4", "--from", "1.1"})),
              (std::vector<float>{0.0f, 0.25f, 0.5f, 0.75f, 1.0f}));
}

TEST(FramePlan, RangesStopBeforeTheirEndAndTheDemos) {
    EXPECT_EQ(planOf({"--from", "189", "--to", "200", "--fps", "10"}).rangeFrames, 10);
    const FramePlan plan = planOf({"--from", "0.1", "--to", "0.4", "--fps", "10"});
    EXPECT_EQ(plan.rangeFrames, 3);
    EXPECT_LT(frameTime(plan, 2), 0.4f);
    EXPECT_EQ(planOf({"--at", "5"}).rangeFrames, 1);
    EXPECT_EQ(frameTime(planOf({"--at", "5"}), 0), 5.0f);
}

TEST(FramePlan, SpansHoldEveryFrameOnceInOrder) {
    for (const int64_t frames : {1, 2, 7, 100, 5700, 11400}) {
        for (const int64_t count : {1, 2, 3, 7, 16}) {
            int64_t next = 0;
            for (int64_t k = 1; k <= count; ++k) {
                const SpanBounds span = spanBounds(frames, k, count);
                EXPECT_EQ(span.first, next) << frames << " " << k << "/" << count;
                EXPECT_GE(span.count, frames / count);
                EXPECT_LE(span.count, frames / count + 1);
                next += span.count;
            }
            EXPECT_EQ(next, frames) << frames << " in " << count;
        }
    }
}

TEST(FramePlan, ASpanSeeksThroughTheGridAndTheRangeBeforeIt) {
    const FramePlan plan = planOf({"--fps", "10", "--from", "1", "--to", "3", "--span", "2/2"});
    EXPECT_EQ(plan.first, 10);
    EXPECT_EQ(plan.count, 10);
    EXPECT_EQ(frameTime(plan, plan.first), 2.0f);
    const std::vector<float> before = timesBefore(plan);
    ASSERT_EQ(before.size(), 20u);
    EXPECT_EQ(before.front(), 0.0f);
    EXPECT_EQ(before.back(), frameTime(plan, 9));
    EXPECT_EQ(before[10], 1.0f);
}

TEST(FramePlan, AShutterRendersTheFramesOfACaptureAtThatMultipleOfTheRate) {
    const FramePlan blurred = planOf({"--fps", "30", "--shutter", "4", "--from", "84"});
    const FramePlan fast = planOf({"--fps", "120", "--from", "84"});
    EXPECT_EQ(frameDuration(blurred), frameDuration(fast));
    for (int64_t n = 0; n < 200; ++n) {
        for (int32_t sub = 0; sub < 4; ++sub) {
            ASSERT_EQ(subFrameTime(blurred, n, sub), frameTime(fast, n * 4 + sub)) << n;
        }
    }
    EXPECT_EQ(blurred.rangeFrames * 4, fast.rangeFrames);
    EXPECT_EQ(timesBefore(blurred), timesBefore(fast));
    const FramePlan span = planOf({"--fps", "30", "--shutter", "4", "--span", "2/3"});
    const std::vector<float> before = timesBefore(span);
    ASSERT_EQ(before.size(), static_cast<size_t>(span.first * 4));
    EXPECT_EQ(before.back(), subFrameTime(span, span.first - 1, 3));
}

TEST(FramePlan, NoSubFrameFallsAtOrAfterTheDemosEnd) {
    const FramePlan plan = planOf({"--fps", "1", "--from", "0.5", "--shutter", "4"});
    EXPECT_EQ(plan.rangeFrames, 189);  // 189.5 would reach 190.25
    EXPECT_LT(subFrameTime(plan, plan.rangeFrames - 1, 3), 190.0f);
    EXPECT_EQ(planOf({"--fps", "1", "--shutter", "4"}).rangeFrames, 190);
}

TEST(FramePlan, ASpanWithoutFramesIsRefused) {
    std::string error;
    const std::optional<CaptureOptions> options =
        parseCaptureOptions({"--at", "5", "--span", "2/3"}, error);
    ASSERT_TRUE(options);
    EXPECT_FALSE(planFrames(*options, error));
    EXPECT_EQ(error, "span 2/3 holds no frame: the range has 1 frames");
}

}  // namespace

// A player's seek (app/frame_grid.h) must land on the frame the capture shows with --at.
TEST(FramePlan, ASeekPointIsTheFrameOfACaptureAtTheSameTime) {
    for (const char* at : {"0", "0.5", "9.95", "15", "33.333333", "84.95", "100.00001",
                           "100.0000000001", "150", "185", "189.5", "189.99"}) {
        const FramePlan plan = planOf({"--at", at});
        const SeekPoint point = seekPointAt(std::atof(at), kReplayFramesPerSecond);
        EXPECT_EQ(point.timesBefore, timesBefore(plan)) << at;
        EXPECT_EQ(point.frameTime, frameTime(plan, 0)) << at;
        EXPECT_EQ(point.frameDuration, frameDuration(plan)) << at;
    }
}
