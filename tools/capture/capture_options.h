#pragma once
// The capture tool's command line. Every frame n is rendered at exactly t = from + n / fps,
// with dt = 1 / fps, while t < to and t < the demo's end. The frames may go to PNG files, to a
// video, to both or nowhere.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CaptureOptions {
    std::string dataDirectory;  // empty: the working directory
    double framesPerSecond = 60.0;
    double from = 0.0;            // seconds of demo time
    double to = 190.0;            // seconds of demo time, exclusive
    bool singleFrame = false;     // --at: exactly one frame, at `from`
    std::string outputDirectory;  // empty: write no PNG files
    std::string videoPath;        // empty: write no video
    uint32_t seed = 1;
    bool showHelp = false;
    bool checkOnly = false;  // --check: list the data tree's files and what became of them
    bool profile = false;    // --profile: finish GL work around each step, time the kernels
};

// The options, or nullopt with the reason in `error`.
std::optional<CaptureOptions> parseCaptureOptions(const std::vector<std::string>& arguments,
                                                  std::string& error);

// How many frames the capture renders: those before `to` and before the demo's end, which
// presents no frame from kDemoEnd on.
int64_t frameCount(const CaptureOptions& options);
// Demo time of frame `index`, seconds.
float frameTime(const CaptureOptions& options, int64_t index);

extern const char* const kCaptureUsage;
