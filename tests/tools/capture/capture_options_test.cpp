#include "tools/capture/capture_options.h"

#include <gtest/gtest.h>

namespace {

std::optional<CaptureOptions> parse(std::vector<std::string> arguments,
                                    std::string* error = nullptr) {
    std::string message;
    std::optional<CaptureOptions> options = parseCaptureOptions(arguments, message);
    if (error != nullptr) {
        *error = message;
    }
    return options;
}

TEST(CaptureOptions, DefaultsCoverTheWholeDemoAtSixtyFrames) {
    const std::optional<CaptureOptions> options = parse({});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->framesPerSecond, 60.0);
    EXPECT_EQ(options->from, 0.0);
    EXPECT_EQ(options->to, 190.0);
    EXPECT_EQ(frameCount(*options), 11400);
    EXPECT_EQ(frameTime(*options, 0), 0.0f);
    EXPECT_LT(frameTime(*options, 11399), 190.0f);
}

TEST(CaptureOptions, FrameTimesAreExactFromTheStart) {
    const std::optional<CaptureOptions> options =
        parse({"--from", "10", "--to", "11", "--fps", "4", "--seed", "42", "--out", "frames"});
    ASSERT_TRUE(options);
    EXPECT_EQ(frameCount(*options), 4);
    EXPECT_EQ(frameTime(*options, 0), 10.0f);
    EXPECT_EQ(frameTime(*options, 3), 10.75f);
    EXPECT_EQ(options->seed, 42u);
    EXPECT_EQ(options->outputDirectory, "frames");
}

TEST(CaptureOptions, AtRendersOneFrameAtThatTime) {
    const std::optional<CaptureOptions> options = parse({"--at", "5", "--data", "tree"});
    ASSERT_TRUE(options);
    EXPECT_EQ(frameCount(*options), 1);
    EXPECT_EQ(frameTime(*options, 0), 5.0f);
    EXPECT_EQ(options->dataDirectory, "tree");
}

TEST(CaptureOptions, VideoTakesAnyFileNameAlongsideOtherOutputs) {
    const std::optional<CaptureOptions> options =
        parse({"--video", "my clip.mkv", "--out", "frames", "--at", "3"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->videoPath, "my clip.mkv");
    EXPECT_EQ(options->outputDirectory, "frames");
    EXPECT_EQ(frameCount(*options), 1);
    EXPECT_TRUE(parse({})->videoPath.empty());
}

TEST(CaptureOptions, FramesStopAtTheDemosEnd) {
    // The demo presents nothing from 190 s on, and a video's sound is cut for the frames it has.
    const std::optional<CaptureOptions> options =
        parse({"--from", "189", "--to", "200", "--fps", "10"});
    ASSERT_TRUE(options);
    const int64_t count = frameCount(*options);
    EXPECT_EQ(count, 10);
    EXPECT_LT(frameTime(*options, count - 1), 190.0f);
}

TEST(CaptureOptions, NoFrameLandsAtTheExclusiveEnd) {
    const std::optional<CaptureOptions> options =
        parse({"--from", "0.1", "--to", "0.4", "--fps", "10"});
    ASSERT_TRUE(options);
    const int64_t count = frameCount(*options);
    EXPECT_EQ(count, 3);
    EXPECT_LT(frameTime(*options, count - 1), 0.4f);
}

TEST(CaptureOptions, RefusesBadValuesWithAReason) {
    const std::vector<std::vector<std::string>> bad = {
        {"--fps", "0"},
        {"--fps", "-3"},
        {"--fps", "abc"},
        {"--fps", "nan"},
        {"--fps", "60x"},
        {"--from", "-1"},
        {"--from", "20", "--to", "10"},
        {"--at", "5", "--from", "1"},
        {"--at", "190"},
        {"--seed", "-1"},
        {"--seed", "99999999999"},
        {"--out"},
        {"--video"},
        {"--video", ""},
        {"--at", "1", "--video"},
        {"--speed", "2"},
        {"frames"},
        {"--at", ""},
    };
    for (const std::vector<std::string>& arguments : bad) {
        std::string error;
        EXPECT_FALSE(parse(arguments, &error)) << arguments[0];
        EXPECT_FALSE(error.empty()) << arguments[0];
    }
}

}  // namespace
