#include "tools/capture/capture_options.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "app/timeline.h"

const char* const kCaptureUsage =
    "usage: zentrox-capture [options]\n"
    "Plays the demo's timeline headless at a fixed frame rate.\n"
    "  --data DIR   data tree to load (default: the working directory)\n"
    "  --fps N      frames per second of demo time (default 60)\n"
    "  --from S     first frame's demo time in seconds (default 0)\n"
    "  --to S       end of the capture in seconds, exclusive (default 190)\n"
    "  --at T       render the single frame at T seconds\n"
    "  --out DIR    write frames there as frame_000000.png, frame_000001.png, ...\n"
    "  --video FILE encode the frames with the music as an MP4 file (H.264 and AAC) through\n"
    "               ffmpeg, replacing FILE if it exists; may be combined with --out.\n"
    "               ZENTROX_FFMPEG names the ffmpeg to run instead of the one on PATH\n"
    "  --seed N     seed of the random generator (default 1)\n"
    "  --profile    time each scene and compose step with the GL work finished before and\n"
    "               after it, and the CPU kernels on their own (slows the capture down)\n"
    "  --check      render nothing: list every file the demo reads, in load order, with what\n"
    "               became of it; exit status 1 when any is missing or rejected\n"
    "  --help       show this text\n";

namespace {

constexpr double kMaxFramesPerSecond = 10000.0;
constexpr double kMaxSeconds = 100000.0;

bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && end == text.c_str() + text.size() && std::isfinite(value);
}

bool parseSeed(const std::string& text, uint32_t& seed) {
    if (text.empty() || text[0] == '-') {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (errno != 0 || end != text.c_str() + text.size() || value > UINT32_MAX) {
        return false;
    }
    seed = static_cast<uint32_t>(value);
    return true;
}

std::optional<CaptureOptions> failWith(std::string& error, std::string message) {
    error = std::move(message);
    return std::nullopt;
}

}  // namespace

std::optional<CaptureOptions> parseCaptureOptions(const std::vector<std::string>& arguments,
                                                  std::string& error) {
    CaptureOptions options;
    bool haveFrom = false;
    bool haveTo = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--help" || name == "-h") {
            options.showHelp = true;
            continue;
        }
        if (name == "--check") {
            options.checkOnly = true;
            continue;
        }
        if (name == "--profile") {
            options.profile = true;
            continue;
        }
        if (name.rfind("--", 0) != 0) {
            return failWith(error, "unexpected argument '" + name + "'");
        }
        if (i + 1 >= arguments.size()) {
            return failWith(error, "option " + name + " needs a value");
        }
        const std::string& value = arguments[++i];
        double number = 0.0;
        if (name == "--data") {
            options.dataDirectory = value;
        } else if (name == "--out") {
            options.outputDirectory = value;
        } else if (name == "--video") {
            if (value.empty()) {
                return failWith(error, "--video needs a file name");
            }
            options.videoPath = value;
        } else if (name == "--seed") {
            if (!parseSeed(value, options.seed)) {
                return failWith(
                    error, "--seed needs a whole number from 0 to 4294967295, not '" + value + "'");
            }
        } else if (name == "--fps" || name == "--from" || name == "--to" || name == "--at") {
            if (!parseNumber(value, number)) {
                return failWith(error, name + " needs a number, not '" + value + "'");
            }
            if (name == "--fps") {
                if (number <= 0.0 || number > kMaxFramesPerSecond) {
                    return failWith(error, "--fps must be above 0 and at most 10000");
                }
                options.framesPerSecond = number;
            } else if (number < 0.0 || number > kMaxSeconds) {
                return failWith(error, name + " must be a time from 0 to 100000 seconds");
            } else if (name == "--from") {
                options.from = number;
                haveFrom = true;
            } else if (name == "--to") {
                options.to = number;
                haveTo = true;
            } else {
                options.from = number;
                options.singleFrame = true;
            }
        } else {
            return failWith(error, "unknown option " + name);
        }
    }
    if (options.singleFrame && (haveFrom || haveTo)) {
        return failWith(error, "--at cannot be combined with --from or --to");
    }
    if (options.from >= static_cast<double>(kDemoEnd)) {
        return failWith(error, "the demo ends at 190 seconds; --at and --from must be earlier");
    }
    if (!options.singleFrame && options.to <= options.from) {
        return failWith(error, "--to must be later than --from");
    }
    return options;
}

int64_t frameCount(const CaptureOptions& options) {
    if (options.singleFrame) {
        return 1;
    }
    const double end = std::min(options.to, static_cast<double>(kDemoEnd));
    int64_t count =
        static_cast<int64_t>(std::ceil((end - options.from) * options.framesPerSecond - 1e-9));
    // Rounding must never let a frame land at or after the end.
    while (count > 0 && frameTime(options, count - 1) >= static_cast<float>(end)) {
        --count;
    }
    return count;
}

float frameTime(const CaptureOptions& options, int64_t index) {
    return static_cast<float>(options.from + static_cast<double>(index) / options.framesPerSecond);
}
