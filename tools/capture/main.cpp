// zentrox-capture: plays the demo's timeline without a window or sound at a fixed frame rate,
// and writes the frames as PNG files. The start-up and every frame run the demo's own code;
// only the surface (offscreen) and the clock (frame n at from + n / fps) differ.

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/demo.h"
#include "app/offscreen_context.h"
#include "app/random.h"
#include "app/soundtrack.h"
#include "app/spectrum.h"
#include "app/timeline.h"
#include "resources/mp3_track.h"
#include "resources/texture_table.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/capture_report.h"
#include "tools/capture/frame_writer.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

int failWith(const std::string& message) {
    std::fprintf(stderr, "zentrox-capture: %s\n", message.c_str());
    return 1;
}

int capture(const CaptureOptions& options) {
    const bool writing = !options.outputDirectory.empty();
    // Resolved before entering the data tree, so a relative --out means the caller's folder.
    FrameWriter writer(writing ? std::filesystem::absolute(options.outputDirectory).string() : "");
    if (!options.dataDirectory.empty() && chdir(options.dataDirectory.c_str()) != 0) {
        return failWith("cannot enter data directory " + options.dataDirectory + ": " +
                        std::strerror(errno));
    }
    std::string error;
    if (writing && !writer.prepare(error)) {
        return failWith(error);
    }
    OffscreenContext context;
    if (!context.create()) {
        return failWith(std::string("no offscreen OpenGL: ") + context.error());
    }
    seedRandom(options.seed);
    prepareDemo();
    // The spectrum comes from the decoded music at each frame's own time, so a capture is the
    // same on every run; without the music it reads zeros, as in the silent demo.
    DecodedTrack music;
    decodeMp3(kMusicFile, music);
    SpectrumAnalyser analyser;

    const int64_t total = frameCount(options);
    const float dt = static_cast<float>(1.0 / options.framesPerSecond);
    const bool showProgress = isatty(STDERR_FILENO) == 1 && total > 1;
    CaptureReport report;
    const Clock::time_point start = Clock::now();
    int64_t written = 0;
    for (int64_t index = 0; index < total; ++index) {
        const float t = frameTime(options, index);
        const Clock::time_point frameStart = Clock::now();
        reduceSpectrum(analyser.analyseTrack(music, musicFrameAt(t)));
        const bool presented = runTimeline(t, dt);
        context.swap();
        report.addFrame(t, secondsSince(frameStart) * 1000.0);
        // The demo never shows the frame that ends its timeline; neither does the capture.
        if (!presented) {
            break;
        }
        if (writing) {
            if (!writer.write(index, context.readPixels(), context.surface().width(),
                              context.surface().height(), error)) {
                releaseTextureTable();
                return failWith(error);
            }
            ++written;
        }
        if (showProgress) {
            std::fprintf(stderr, "\r%s",
                         progressLine(index + 1, total, secondsSince(start)).c_str());
        }
    }
    if (showProgress) {
        std::fputc('\n', stderr);
    }
    releaseTextureTable();
    std::fputs(report.summary(secondsSince(start)).c_str(), stdout);
    if (writing) {
        std::printf("wrote %lld frames to %s\n", static_cast<long long>(written),
                    options.outputDirectory.c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string error;
    const std::optional<CaptureOptions> options = parseCaptureOptions(arguments, error);
    if (!options) {
        std::fprintf(stderr, "zentrox-capture: %s\n%s", error.c_str(), kCaptureUsage);
        return 2;
    }
    if (options->showHelp) {
        std::fputs(kCaptureUsage, stdout);
        return 0;
    }
    return capture(*options);
}
