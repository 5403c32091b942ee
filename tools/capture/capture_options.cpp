#include "tools/capture/capture_options.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "app/timeline.h"
#include "base/option_table.h"

namespace {

constexpr double kMaxFramesPerSecond = 10000.0;
constexpr double kMaxSeconds = 100000.0;
constexpr int64_t kMaxSpans = 1000000;
constexpr uint64_t kMaxSide = 16384;  // pixels; the driver may allow less, checked when it opens
constexpr uint64_t kMaxShutter = 64;

// A decimal number such as 12, 0.5 or 1e2: strtod alone would also take hexadecimal, "inf"
// and "nan", and leading spaces.
bool parseNumber(const std::string& text, double& value) {
    if (text.empty() || text.find_first_not_of("0123456789.eE+-") != std::string::npos) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && end == text.c_str() + text.size() && std::isfinite(value);
}

// A whole number from 0 to `most`, digits only.
bool parseWhole(const std::string& text, uint64_t most, uint64_t& value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    value = std::strtoull(text.c_str(), &end, 10);
    return errno == 0 && end == text.c_str() + text.size() && value <= most;
}

bool setTime(const std::string& name, const std::string& text, double& time, std::string& error) {
    if (!parseNumber(text, time)) {
        error = name + " needs a number of seconds, not '" + text + "'";
        return false;
    }
    if (time < 0.0 || time > kMaxSeconds) {
        error = name + " must be a time from 0 to 100000 seconds";
        return false;
    }
    return true;
}

bool setFramesPerSecond(CaptureOptions& options, const std::string& text, std::string& error) {
    double number = 0.0;
    if (!parseNumber(text, number)) {
        error = "--fps needs a number, not '" + text + "'";
        return false;
    }
    if (number <= 0.0 || number > kMaxFramesPerSecond) {
        error = "--fps must be above 0 and at most 10000";
        return false;
    }
    options.framesPerSecond = number;
    return true;
}

bool setSpan(CaptureOptions& options, const std::string& text, std::string& error) {
    const size_t slash = text.find('/');
    uint64_t index = 0;
    uint64_t count = 0;
    if (slash == std::string::npos || !parseWhole(text.substr(0, slash), kMaxSpans, index) ||
        !parseWhole(text.substr(slash + 1), kMaxSpans, count) || count == 0 || index == 0 ||
        index > count) {
        error = "--span needs K/N with 1 <= K <= N <= 1000000, not '" + text + "'";
        return false;
    }
    options.spanIndex = static_cast<int64_t>(index);
    options.spanCount = static_cast<int64_t>(count);
    return true;
}

bool setSize(CaptureOptions& options, const std::string& text, std::string& error) {
    const size_t cross = text.find('x');
    uint64_t width = 0;
    uint64_t height = 0;
    if (cross == std::string::npos || !parseWhole(text.substr(0, cross), kMaxSide, width) ||
        !parseWhole(text.substr(cross + 1), kMaxSide, height) || width < 4 || height < 3) {
        error = "--size needs WIDTHxHEIGHT, from 4x3 to 16384x16384 pixels, not '" + text + "'";
        return false;
    }
    options.width = static_cast<int32_t>(width);
    options.height = static_cast<int32_t>(height);
    return true;
}

bool setShutter(CaptureOptions& options, const std::string& text, std::string& error) {
    uint64_t count = 0;
    if (!parseWhole(text, kMaxShutter, count) || count == 0) {
        error = "--shutter needs a whole number of sub-frames from 1 to 64, not '" + text + "'";
        return false;
    }
    options.shutter = static_cast<int32_t>(count);
    return true;
}

bool setSeed(CaptureOptions& options, const std::string& text, std::string& error) {
    uint64_t value = 0;
    if (!parseWhole(text, UINT32_MAX, value)) {
        error = "--seed needs a whole number from 0 to 4294967295, not '" + text + "'";
        return false;
    }
    options.seed = static_cast<uint32_t>(value);
    return true;
}

bool setPath(const std::string& name, const std::string& text, std::string& path,
             std::string& error) {
    if (text.empty()) {
        error = name + " needs a name, not an empty one";
        return false;
    }
    path = text;
    return true;
}

// clang-format off
const OptionSpec<CaptureOptions> kOptions[] = {
    {"--data", "DIR", "data tree to load (default: the working directory, or the installed\n"
                      "tree " ZENTROX_INSTALLED_DATA " when the working directory holds none)",
     [](CaptureOptions& o, const std::string& v, std::string& e) {
         return setPath("--data", v, o.dataDirectory, e); }},
    {"--fps", "N", "frames per second of demo time (default 60)", setFramesPerSecond},
    {"--from", "S", "start of the capture, seconds of demo time (default 0)",
     [](CaptureOptions& o, const std::string& v, std::string& e) {
         return setTime("--from", v, o.from, e); }},
    {"--to", "S", "end of the capture in seconds, exclusive (default 190)",
     [](CaptureOptions& o, const std::string& v, std::string& e) {
         return setTime("--to", v, o.to, e); }},
    {"--at", "T", "render the single frame at T seconds",
     [](CaptureOptions& o, const std::string& v, std::string& e) {
         o.singleFrame = true;
         return setTime("--at", v, o.from, e); }},
    {"--span", "K/N", "render only the K-th of N equal, contiguous spans of the frames (1 <= K\n"
                      "<= N); together the N spans hold every frame once. A span's video has\n"
                      "no sound: join the spans with --join", setSpan},
    {"--size", "WxH", "pixels of every frame (default 800x600); the 4:3 picture is the largest\n"
                      "that fits, centred, with black bars, and is drawn at that size", setSize},
    {"--shutter", "N", "motion blur: each frame is the average, in linear light, of N frames\n"
                       "spread evenly over its time, as a capture at N times --fps renders them",
     setShutter},
    {"--out", "DIR", "write frames there as frame_000000.png, ..., numbered from --from, and\n"
                     "the renderer that drew them in renderer.txt",
     [](CaptureOptions& o, const std::string& v, std::string& e) {
         return setPath("--out", v, o.outputDirectory, e); }},
    {"--video", "FILE", "encode the frames with the music as an MP4 file (H.264 and AAC) through\n"
                        "ffmpeg, replacing FILE if it exists; may be combined with --out.\n"
                        "ZENTROX_FFMPEG names the ffmpeg to run instead of the one on PATH",
     [](CaptureOptions& o, const std::string& v, std::string& e) {
         return setPath("--video", v, o.videoPath, e); }},
    {"--lossless", nullptr, "encode the video without loss (x264 RGB at QP 0): its decoded\n"
                            "frames are the rendered pixels exactly; large files",
     [](CaptureOptions& o, const std::string&, std::string&) { return o.lossless = true; }},
    {"--join", "FILE", "join the span videos named after the options, in order, into FILE\n"
                       "without encoding them again, with the music of the whole --from/--to\n"
                       "range; every span must hold exactly its share of the frames",
     [](CaptureOptions& o, const std::string& v, std::string& e) {
         return setPath("--join", v, o.joinPath, e); }},
    {"--seed", "N", "seed of the random generator (default 1)", setSeed},
    {"--pinned-renderer", nullptr, "draw with Mesa's llvmpipe through Mesa's EGL at 256-bit\n"
                                   "vectors, whatever GPU or CPU the machine has, so that every\n"
                                   "machine renders the same pixels; prints what it pins",
     [](CaptureOptions& o, const std::string&, std::string&) { return o.pinnedRenderer = true; }},
    {"--profile", nullptr, "time each scene and compose step with the GL work finished before\n"
                           "and after it, and the CPU kernels on their own (slower)",
     [](CaptureOptions& o, const std::string&, std::string&) { return o.profile = true; }},
    {"--check", nullptr, "render nothing: list every file the demo reads, in load order, with\n"
                         "what became of it; exit status 1 when any is missing or rejected",
     [](CaptureOptions& o, const std::string&, std::string&) { return o.checkOnly = true; }},
    {"--count", nullptr, "render nothing: print how many frames the --from/--to range holds at\n"
                         "--fps, for splitting it into spans",
     [](CaptureOptions& o, const std::string&, std::string&) { return o.countOnly = true; }},
    {"--help", nullptr, "show this text",
     [](CaptureOptions& o, const std::string&, std::string&) { return o.showHelp = true; }},
    {"--version", nullptr, "show the version",
     [](CaptureOptions& o, const std::string&, std::string&) { return o.showVersion = true; }},
};
// clang-format on

bool wasGiven(const std::vector<std::string>& arguments, const char* name) {
    for (const std::string& argument : arguments) {
        if (argument == name) {
            return true;
        }
    }
    return false;
}

// The rules between options; empty when they agree.
std::string conflicts(const CaptureOptions& options, const std::vector<std::string>& given) {
    const bool haveRange = wasGiven(given, "--from") || wasGiven(given, "--to");
    if (options.singleFrame && haveRange) {
        return "--at cannot be combined with --from or --to";
    }
    if (options.from >= static_cast<double>(kDemoEnd)) {
        return "the demo ends at 190 seconds; --at and --from must be earlier";
    }
    if (!options.singleFrame && options.to <= options.from) {
        return "--to must be later than --from";
    }
    if (options.lossless && options.videoPath.empty()) {
        return "--lossless needs --video";
    }
    if (options.framesPerSecond * options.shutter > kMaxFramesPerSecond) {
        return "--fps times --shutter must be at most 10000 frames a second";
    }
    if (!options.joinPath.empty()) {
        if (!options.videoPath.empty() || !options.outputDirectory.empty() ||
            wasGiven(given, "--span") || options.singleFrame || options.checkOnly) {
            return "--join cannot be combined with --video, --out, --span, --at or --check";
        }
        if (options.spanVideos.empty()) {
            return "--join needs the span videos to join, in order, after the options";
        }
    } else if (!options.spanVideos.empty()) {
        return "unexpected argument '" + options.spanVideos.front() + "'";
    }
    return "";
}

}  // namespace

std::optional<CaptureOptions> parseCaptureOptions(const std::vector<std::string>& arguments,
                                                  std::string& error) {
    CaptureOptions options;
    if (!applyOptions<CaptureOptions>(kOptions, arguments, options, options.spanVideos, error)) {
        return std::nullopt;
    }
    error = conflicts(options, arguments);
    if (!error.empty()) {
        return std::nullopt;
    }
    return options;
}

std::string captureUsage() {
    std::string text =
        "usage: zentrox-capture [options]\n"
        "       zentrox-capture --join FILE [--from S] [--to S] [--fps N] [--data DIR] SPAN...\n"
        "Plays the demo's timeline headless at a fixed frame rate. Frame n of a capture from S\n"
        "seconds is the frame at S + n / fps; when S is a whole number of frames from 0, every\n"
        "frame is byte-identical to the same frame of a capture from 0.\n";
    text += describeOptions<CaptureOptions>(kOptions, 16);
    return text;
}
