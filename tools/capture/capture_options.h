#pragma once
// The capture tool's command line. The options are one table (name, argument, help, setter), so
// the parser and --help cannot drift apart. Which frames a set of options renders is the frame
// plan's business (frame_plan.h).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/demo.h"

struct CaptureOptions {
    std::string dataDirectory;  // empty: the working directory
    double framesPerSecond = kReplayFramesPerSecond;
    double from = 0.0;         // seconds of demo time
    double to = 190.0;         // seconds of demo time, exclusive
    bool singleFrame = false;  // --at: exactly one frame, at `from`
    int64_t spanIndex = 1;     // --span K/N: the K-th (1..N) of N spans of the range
    int64_t spanCount = 1;
    int32_t width = 800;  // --size: pixels of every frame
    int32_t height = 600;
    int32_t shutter = 1;                  // --shutter: sub-frames averaged into each frame
    std::string outputDirectory;          // empty: write no PNG files
    std::string videoPath;                // empty: write no video
    bool lossless = false;                // --lossless: the video's pictures exactly as rendered
    std::string joinPath;                 // --join: join the span videos into this file
    std::vector<std::string> spanVideos;  // the span videos to join, in order
    uint32_t seed = kReplaySeed;
    bool showHelp = false;
    bool showVersion = false;
    bool checkOnly = false;       // --check: list the data tree's files and what became of it
    bool countOnly = false;       // --count: print the range's frame count
    bool profile = false;         // --profile: finish GL work around each step, time the kernels
    bool pinnedRenderer = false;  // --pinned-renderer: the renderer that draws alike everywhere
};

// The options, or nullopt with the reason in `error`.
std::optional<CaptureOptions> parseCaptureOptions(const std::vector<std::string>& arguments,
                                                  std::string& error);

// The --help text, made from the option table.
std::string captureUsage();
