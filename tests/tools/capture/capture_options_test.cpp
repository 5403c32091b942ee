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

TEST(CaptureOptions, DefaultsCoverTheWholeDemoAtSixtyFramesInOneSpan) {
    const std::optional<CaptureOptions> options = parse({});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->framesPerSecond, 60.0);
    EXPECT_EQ(options->from, 0.0);
    EXPECT_EQ(options->to, 190.0);
    EXPECT_EQ(options->spanIndex, 1);
    EXPECT_EQ(options->spanCount, 1);
    EXPECT_FALSE(options->lossless);
    EXPECT_TRUE(options->videoPath.empty());
    EXPECT_TRUE(options->joinPath.empty());
    EXPECT_FALSE(options->pinnedRenderer);
}

TEST(CaptureOptions, EveryOptionSetsItsField) {
    const std::optional<CaptureOptions> options = parse({"--from",
                                                         "10",
                                                         "--to",
                                                         "11",
                                                         "--fps",
                                                         "4",
                                                         "--seed",
                                                         "42",
                                                         "--out",
                                                         "frames",
                                                         "--data",
                                                         "tree",
                                                         "--span",
                                                         "3/7",
                                                         "--video",
                                                         "my clip.mkv",
                                                         "--lossless",
                                                         "--profile",
                                                         "--size",
                                                         "1920x1080",
                                                         "--shutter",
                                                         "8",
                                                         "--pinned-renderer"});
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->pinnedRenderer);
    EXPECT_EQ(options->from, 10.0);
    EXPECT_EQ(options->to, 11.0);
    EXPECT_EQ(options->framesPerSecond, 4.0);
    EXPECT_EQ(options->seed, 42u);
    EXPECT_EQ(options->outputDirectory, "frames");
    EXPECT_EQ(options->dataDirectory, "tree");
    EXPECT_EQ(options->spanIndex, 3);
    EXPECT_EQ(options->spanCount, 7);
    EXPECT_EQ(options->videoPath, "my clip.mkv");
    EXPECT_TRUE(options->lossless);
    EXPECT_TRUE(options->profile);
    EXPECT_EQ(options->width, 1920);
    EXPECT_EQ(options->height, 1080);
    EXPECT_EQ(options->shutter, 8);
}

TEST(CaptureOptions, AtIsOneFrameAtThatTime) {
    const std::optional<CaptureOptions> options = parse({"--at", "5"});
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->singleFrame);
    EXPECT_EQ(options->from, 5.0);
}

TEST(CaptureOptions, JoinTakesTheSpanVideosInOrder) {
    const std::optional<CaptureOptions> options =
        parse({"--join", "whole.mp4", "--from", "20", "a.mp4", "--to", "50", "b.mp4"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->joinPath, "whole.mp4");
    EXPECT_EQ(options->spanVideos, (std::vector<std::string>{"a.mp4", "b.mp4"}));
    EXPECT_EQ(options->to, 50.0);
}

TEST(CaptureOptions, HelpAndCheckAreFlags) {
    EXPECT_TRUE(parse({"--help"})->showHelp);
    EXPECT_TRUE(parse({"-h"})->showHelp);
    EXPECT_TRUE(parse({"--check"})->checkOnly);
    EXPECT_TRUE(parse({"--version"})->showVersion);
}

TEST(CaptureOptions, TheHelpListsEveryOptionOnce) {
    const std::string usage = captureUsage();
    for (const char* name : {"--data", "--fps", "--from", "--to", "--at", "--span", "--out",
                             "--video", "--lossless", "--join", "--seed", "--profile", "--check",
                             "--help", "--size", "--shutter", "--version", "--pinned-renderer"}) {
        const std::string entry = std::string("\n  ") + name + " ";
        const size_t at = usage.find(entry);
        EXPECT_NE(at, std::string::npos) << name;
        EXPECT_EQ(usage.find(entry, at + 1), std::string::npos) << name;
    }
}

TEST(CaptureOptions, RefusesBadValuesAndConflictsWithAReason) {
    const std::vector<std::vector<std::string>> bad = {
        {"--fps", "0"},
        {"--fps", "-3"},
        {"--fps", "abc"},
        {"--fps", "nan"},
        {"--fps", "inf"},
        {"--fps", "60x"},
        {"--fps", "20000"},
        {"--fps", "0x1p3"},
        {"--fps", " 5"},
        {"--at", "0x10"},
        {"--to", "1e400"},
        {"--to", "-inf"},
        {"--to", "100001"},
        {"--from", "-1"},
        {"--from", "1e300"},
        {"--from", "20", "--to", "10"},
        {"--at", "5", "--from", "1"},
        {"--at", "190"},
        {"--seed", "-1"},
        {"--seed", "99999999999"},
        {"--seed", "1.5"},
        {"--span", "0/4"},
        {"--span", "5/4"},
        {"--span", "1/0"},
        {"--span", "2"},
        {"--span", "-1/4"},
        {"--span", "1/4x"},
        {"--span", "1/99999999999999999999"},
        {"--span", "1/2000000"},
        {"--span", "/"},
        {"--out"},
        {"--out", ""},
        {"--video"},
        {"--video", ""},
        {"--lossless"},
        {"--at", "1", "--video"},
        {"--speed", "2"},
        {"frames"},
        {"--at", ""},
        {"--join", "out.mp4"},
        {"--join", "out.mp4", "--video", "x.mp4", "a.mp4"},
        {"--join", "out.mp4", "--span", "1/2", "a.mp4"},
        {"--size", "0x600"},
        {"--size", "800x2"},
        {"--size", "800"},
        {"--size", "800x600x3"},
        {"--size", "-800x600"},
        {"--size", "20000x600"},
        {"--size", "1e3x600"},
        {"--size", "99999999999999999999x3"},
        {"--size", "800x 600"},
        {"--shutter", "0"},
        {"--shutter", "65"},
        {"--shutter", "2.5"},
        {"--fps", "5000", "--shutter", "4"},
    };
    for (const std::vector<std::string>& arguments : bad) {
        std::string error;
        EXPECT_FALSE(parse(arguments, &error)) << arguments[0] << " " << arguments.size();
        EXPECT_FALSE(error.empty()) << arguments[0];
    }
}

}  // namespace
