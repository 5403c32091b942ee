// zentrox-capture: plays the demo's timeline without a window or sound at a fixed frame rate,
// and writes the frames as PNG files, as a video with the music, or both. The start-up and every
// frame run the demo's own code; only the surface (offscreen) and the clock (frame n at
// from + n / fps) differ.

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/demo.h"
#include "app/kernel_profile.h"
#include "app/offscreen_context.h"
#include "app/random.h"
#include "app/soundtrack.h"
#include "app/spectrum.h"
#include "app/timeline.h"
#include "render/gl.h"
#include "resources/mp3_track.h"
#include "resources/texture_table.h"
#include "tools/capture/audio_clip.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/capture_report.h"
#include "tools/capture/music_spectrum.h"
#include "tools/capture/data_tree_check.h"
#include "tools/capture/frame_writer.h"
#include "tools/capture/step_timer.h"
#include "tools/capture/video_writer.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

int failWith(const std::string& message) {
    std::fprintf(stderr, "zentrox-capture: %s\n", message.c_str());
    return 1;
}

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) {
    interrupted = 1;
}

// NOTE: only while a video is written: Ctrl-C must still remove the unfinished video and the
// temporary sound file, which dying on the signal would leave behind.
void catchInterrupts() {
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// Paths are made absolute before the capture enters the data tree, so that relative ones mean
// the caller's folder.
std::unique_ptr<VideoWriter> makeVideoWriter(const CaptureOptions& options) {
    if (options.videoPath.empty()) {
        return nullptr;
    }
    VideoSettings settings;
    settings.path = std::filesystem::absolute(options.videoPath).lexically_normal().string();
    settings.ffmpeg = ffmpegProgram();
    if (settings.ffmpeg.find('/') != std::string::npos) {
        settings.ffmpeg = std::filesystem::absolute(settings.ffmpeg).lexically_normal().string();
    }
    settings.framesPerSecond = options.framesPerSecond;
    settings.width = kScreenWidth;
    settings.height = kScreenHeight;
    return std::make_unique<VideoWriter>(std::move(settings));
}

// One line on stderr when part or all of the video has no music under it.
void warnIfSilent(const DecodedTrack& music, int64_t first, int64_t count) {
    const double musicEnd = static_cast<double>(music.frames()) / kTrackRate;
    if (music.frames() == 0) {
        std::fprintf(stderr,
                     "zentrox-capture: warning: no decodable music at %s; the video is "
                     "silent\n",
                     kMusicFile);
    } else if (first >= music.frames()) {
        std::fprintf(stderr,
                     "zentrox-capture: warning: %s ends at %.3f s, before the capture "
                     "starts; the video is silent\n",
                     kMusicFile, musicEnd);
    } else if (first + count > music.frames()) {
        std::fprintf(stderr,
                     "zentrox-capture: warning: %s ends at %.3f s; the video is silent "
                     "from %.3f s on\n",
                     kMusicFile, musicEnd,
                     static_cast<double>(music.frames() - first) / kTrackRate);
    }
}

// The music under the frames, cut by sample index: the video's time 0 is demo time `from`.
bool startVideo(VideoWriter& video, const DecodedTrack& music, const CaptureOptions& options,
                std::string& error) {
    const int64_t frames = frameCount(options);
    const int64_t first = musicFrameAt(options.from);
    const int64_t count = audioFrameCount(frames, options.framesPerSecond);
    warnIfSilent(music, first, count);
    return video.start(audioRange(music, first, count), frames, error);
}

// Where the frames go: PNG files, a video, both or neither.
struct FrameSinks {
    std::unique_ptr<FrameWriter> pngs;
    std::unique_ptr<VideoWriter> video;

    bool active() const { return pngs || video; }

    bool write(int64_t index, const std::vector<uint8_t>& rgb, std::string& error) const {
        if (pngs && !pngs->write(index, rgb, kScreenWidth, kScreenHeight, error)) {
            return false;
        }
        return !video || video->write(rgb, error);
    }
};

FrameSinks makeSinks(const CaptureOptions& options) {
    FrameSinks sinks;
    if (!options.outputDirectory.empty()) {
        sinks.pngs = std::make_unique<FrameWriter>(
            std::filesystem::absolute(options.outputDirectory).string());
    }
    sinks.video = makeVideoWriter(options);
    return sinks;
}

// The frame's time in each kernel that ran in it.
void addKernelTimes(CaptureReport& report) {
    const std::array<double, kKernelCount> milliseconds = takeKernelMilliseconds();
    for (size_t i = 0; i < kKernelCount; ++i) {
        if (milliseconds[i] > 0.0) {
            report.addKernel(kernelName(static_cast<Kernel>(i)), milliseconds[i]);
        }
    }
}

int64_t peakResidentKilobytes() {
    struct rusage usage = {};
    return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : 0;
}

// The driver that drew the frames, since timings and exact pixels depend on it.
std::string rendererName() {
    const GLubyte* name = glGetString(GL_RENDERER);
    return name != nullptr ? reinterpret_cast<const char*>(name) : "unknown";
}

// The driver, the timing report, then one line per output written.
void printResults(const std::string& renderer, const CaptureReport& report, double wallSeconds,
                  const FrameSinks& sinks, int64_t written, const CaptureOptions& options) {
    std::printf("renderer %s\n", renderer.c_str());
    std::fputs(report.summary(wallSeconds).c_str(), stdout);
    if (sinks.pngs) {
        std::printf("wrote %lld frames to %s\n", static_cast<long long>(written),
                    options.outputDirectory.c_str());
    }
    if (sinks.video) {
        std::printf("wrote video %s (%lld frames, %.3f s)\n", options.videoPath.c_str(),
                    static_cast<long long>(sinks.video->framesWritten()), sinks.video->seconds());
    }
}

int checkTree(const CaptureOptions& options) {
    if (!options.dataDirectory.empty() && chdir(options.dataDirectory.c_str()) != 0) {
        return failWith("cannot enter data directory " + options.dataDirectory + ": " +
                        std::strerror(errno));
    }
    const std::vector<CheckedFile> files = checkDataTree();
    std::fputs(describeCheck(files).c_str(), stdout);
    if (!everyFileLoaded(files)) {
        return failWith("the data tree is incomplete: some files are missing or rejected");
    }
    std::printf("all %zu files loaded\n", files.size());
    return 0;
}

int capture(const CaptureOptions& options) {
    // Made before entering the data tree, so that relative outputs mean the caller's folder.
    const FrameSinks sinks = makeSinks(options);
    if (!options.dataDirectory.empty() && chdir(options.dataDirectory.c_str()) != 0) {
        return failWith("cannot enter data directory " + options.dataDirectory + ": " +
                        std::strerror(errno));
    }
    std::string error;
    if (sinks.pngs && !sinks.pngs->prepare(error)) {
        return failWith(error);
    }
    OffscreenContext context;
    if (!context.create()) {
        return failWith(std::string("no offscreen OpenGL: ") + context.error());
    }
    seedRandom(options.seed);
    CaptureReport report;
    const Clock::time_point loadStart = Clock::now();
    prepareDemo();
    const double loadMilliseconds = secondsSince(loadStart) * 1000.0;
    // The spectrum comes from the music at each frame's own time, so a capture is the same on
    // every run; without the music it reads zeros, as in the silent demo.
    const Clock::time_point musicStart = Clock::now();
    MusicSpectrum spectrum;
    spectrum.open(kMusicFile);
    report.setStartUp(loadMilliseconds, secondsSince(musicStart) * 1000.0);
    if (sinks.video) {
        catchInterrupts();
        // Only a video needs the whole music at once.
        DecodedTrack music;
        decodeMp3(kMusicFile, music);
        if (!startVideo(*sinks.video, music, options, error)) {
            releaseTextureTable();
            return failWith(error);
        }
    }

    const int64_t total = frameCount(options);
    const float dt = static_cast<float>(1.0 / options.framesPerSecond);
    const bool showProgress = isatty(STDERR_FILENO) == 1 && total > 1;
    StepTimer steps(report, options.profile);
    setKernelProfiling(options.profile);
    const Clock::time_point start = Clock::now();
    int64_t written = 0;
    for (int64_t index = 0; index < total; ++index) {
        if (interrupted != 0) {
            releaseTextureTable();
            return failWith("interrupted; the video was not written");
        }
        const float t = frameTime(options, index);
        const Clock::time_point frameStart = Clock::now();
        reduceSpectrum(spectrum.before(musicFrameAt(t)));
        const bool presented = runTimeline(t, dt, &steps);
        context.swap();
        report.addFrame(t, secondsSince(frameStart) * 1000.0);
        if (options.profile) {
            addKernelTimes(report);
        }
        // The demo never shows the frame that ends its timeline; neither does the capture.
        if (!presented) {
            break;
        }
        if (sinks.active()) {
            if (!sinks.write(index, context.readPixels(), error)) {
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
    const std::string renderer = rendererName();
    releaseTextureTable();
    report.setPeakResidentKilobytes(peakResidentKilobytes());
    if (sinks.video && !sinks.video->finish(error)) {
        return failWith(error);
    }
    printResults(renderer, report, secondsSince(start), sinks, written, options);
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
    return options->checkOnly ? checkTree(*options) : capture(*options);
}
