// zentrox-capture: plays the demo's timeline without a window or sound at a fixed frame rate,
// and writes the frames as PNG files, as a video with the music, or both. The start-up and every
// frame run the demo's own code; only the surface (offscreen) and the clock (frame n at
// from + n / fps) differ. A capture is a short pipeline: parse, open, seek, render, finish.
// With --join it instead joins the videos of a capture's spans.

#include <malloc.h>
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
#include <thread>
#include <vector>

#include "app/demo.h"
#include "base/kernel_profile.h"
#include "app/sys/offscreen_context.h"
#include "base/random.h"
#include "resources/soundtrack.h"
#include "app/spectrum.h"
#include "app/timeline.h"
#include "base/picture.h"
#include "base/version.h"
#include "base/gl.h"
#include "resources/mp3_track.h"
#include "resources/texture_table.h"
#include "tools/capture/audio_clip.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/capture_report.h"
#include "tools/capture/data_tree_check.h"
#include "tools/capture/frame_average.h"
#include "tools/capture/frame_plan.h"
#include "tools/capture/frame_writer.h"
#include "tools/capture/music_spectrum.h"
#include "tools/capture/pinned_renderer.h"
#include "tools/capture/span_join.h"
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

// NOTE: Ctrl-C, a kill or a closed terminal must still remove the unfinished video and the
// temporary sound file, and let the queued frames finish, which dying on the signal would not.
void catchInterrupts() {
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

std::string absolutePath(const std::string& path) {
    return std::filesystem::absolute(path).lexically_normal().string();
}

std::string ffmpegPath() {
    std::string program = ffmpegProgram();
    return program.find('/') != std::string::npos ? absolutePath(program) : program;
}

// The data tree to read: --data's, else the working directory's, else, where the working
// directory holds no tree, the installed one.
std::string dataTreeFor(const CaptureOptions& options) {
    if (!options.dataDirectory.empty()) {
        return options.dataDirectory;
    }
    if (!holdsDataTree(".") && holdsDataTree(ZENTROX_INSTALLED_DATA)) {
        std::printf("data tree %s\n", ZENTROX_INSTALLED_DATA);
        return ZENTROX_INSTALLED_DATA;
    }
    return "";
}

bool enterDataTree(const CaptureOptions& options, std::string& error) {
    const std::string tree = dataTreeFor(options);
    if (!tree.empty() && chdir(tree.c_str()) != 0) {
        error = "cannot enter data directory " + tree + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

// One line on stderr when part or all of a video has no music under it.
void warnIfSilent(const DecodedTrack& music, int64_t first, int64_t count) {
    const double musicEnd = static_cast<double>(music.frames()) / kTrackRate;
    if (music.frames() == 0) {
        std::fprintf(stderr,
                     "zentrox-capture: warning: no decodable music at %s; the video is "
                     "silent\n",
                     kMusic.name);
    } else if (first >= music.frames()) {
        std::fprintf(stderr,
                     "zentrox-capture: warning: %s ends at %.3f s, before the capture "
                     "starts; the video is silent\n",
                     kMusic.name, musicEnd);
    } else if (first + count > music.frames()) {
        std::fprintf(stderr,
                     "zentrox-capture: warning: %s ends at %.3f s; the video is silent "
                     "from %.3f s on\n",
                     kMusic.name, musicEnd,
                     static_cast<double>(music.frames() - first) / kTrackRate);
    }
}

// The music under `frames` frames from demo time `from`, cut by sample index.
std::vector<float> musicUnder(double from, int64_t frames, double framesPerSecond) {
    DecodedTrack music;
    decodeMp3(kMusic.name, music);
    const int64_t first = musicFrameAt(from);
    const int64_t count = audioFrameCount(frames, framesPerSecond);
    warnIfSilent(music, first, count);
    return audioRange(music, first, count);
}

// Where the frames go: PNG files, a video, both or neither.
struct FrameSinks {
    std::unique_ptr<FrameWriter> pngs;
    std::unique_ptr<VideoWriter> video;
    int32_t width = kPictureWidth;  // pixels of every frame
    int32_t height = kPictureHeight;

    bool active() const { return pngs || video; }

    bool write(int64_t index, std::vector<uint8_t> rgb, std::string& error) const {
        if (video && !video->write(rgb, error)) {
            return false;
        }
        return !pngs || pngs->write(index, std::move(rgb), width, height, error);
    }
};

// Paths are made absolute before the capture enters the data tree, so that relative ones mean
// the caller's folder. A span's video is video only: the join adds the music once.
FrameSinks makeSinks(const CaptureOptions& options) {
    FrameSinks sinks;
    sinks.width = options.width;
    sinks.height = options.height;
    if (!options.outputDirectory.empty()) {
        const int32_t workers =
            static_cast<int32_t>(std::clamp<unsigned>(std::thread::hardware_concurrency(), 1, 8));
        sinks.pngs = std::make_unique<FrameWriter>(absolutePath(options.outputDirectory), workers);
    }
    if (!options.videoPath.empty()) {
        VideoSettings settings;
        settings.path = absolutePath(options.videoPath);
        settings.ffmpeg = ffmpegPath();
        settings.framesPerSecond = options.framesPerSecond;
        settings.width = options.width;
        settings.height = options.height;
        settings.sound = options.spanCount == 1;
        settings.lossless = options.lossless;
        sinks.video = std::make_unique<VideoWriter>(std::move(settings));
    }
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

int checkTree(const CaptureOptions& options) {
    std::string error;
    if (!enterDataTree(options, error)) {
        return failWith(error);
    }
    const std::vector<CheckedFile> files = checkDataTree();
    std::fputs(describeCheck(files).c_str(), stdout);
    if (!everyFileLoaded(files)) {
        return failWith("the data tree is incomplete: some files are missing or rejected");
    }
    std::printf("all %zu files loaded\n", files.size());
    return 0;
}

int joinCapture(const CaptureOptions& options) {
    std::string error;
    CaptureOptions whole = options;
    whole.spanIndex = 1;
    whole.spanCount = 1;
    const std::optional<FramePlan> plan = planFrames(whole, error);
    if (!plan) {
        return failWith(error);
    }
    JoinSettings settings;
    settings.output = absolutePath(options.joinPath);
    settings.ffmpeg = ffmpegPath();
    const int64_t spans = static_cast<int64_t>(options.spanVideos.size());
    for (int64_t k = 1; k <= spans; ++k) {
        settings.spans.push_back(absolutePath(options.spanVideos[static_cast<size_t>(k - 1)]));
        settings.expectedFrames.push_back(spanBounds(plan->rangeFrames, k, spans).count);
    }
    if (!enterDataTree(options, error)) {
        return failWith(error);
    }
    catchInterrupts();
    const std::vector<float> audio =
        musicUnder(options.from, plan->rangeFrames, options.framesPerSecond);
    if (!joinSpans(settings, audio, error)) {
        return failWith(error);
    }
    if (interrupted != 0) {
        std::remove(settings.output.c_str());
        return failWith("interrupted; the video was not written");
    }
    std::printf("joined %lld spans into %s (%lld frames, %.3f s)\n", static_cast<long long>(spans),
                options.joinPath.c_str(), static_cast<long long>(plan->rangeFrames),
                static_cast<double>(plan->rangeFrames) / options.framesPerSecond);
    return 0;
}

// The running capture: what opening made, and what rendering adds to.
struct Capture {
    explicit Capture(const FramePlan& plan, const CaptureOptions& options)
        : plan(plan), average(static_cast<size_t>(options.width) * options.height * 3) {}

    FramePlan plan;
    FrameAverage average;  // the sub-frames of one frame, with a shutter
    FrameSinks sinks;
    OffscreenContext context;
    MusicSpectrum spectrum;
    CaptureReport report;
    int64_t written = 0;
};

// The video's sound file and its encoder, when there is a video.
// NOTE: before the textures load: the decoded music is freed once the sound file is written,
// and holding it while the driver builds the mipmaps would add it to the capture's peak memory.
bool startVideo(const CaptureOptions& options, Capture& capture, std::string& error) {
    if (!capture.sinks.video) {
        return true;
    }
    const FramePlan& plan = capture.plan;
    std::vector<float> audio;
    if (options.spanCount == 1) {
        audio = musicUnder(options.from, plan.count, plan.framesPerSecond);
    }
    capture.sinks.video->recordRenderer(rendererName());
    return capture.sinks.video->start(audio, plan.count, error);
}

// NOTE: glibc keeps the pages of a freed block below its mmap threshold, and raises that
// threshold, and the free space it keeps at the heap's top, as larger blocks are freed. Once the
// decoded music is freed, that would leave the pictures' pages in the picture decoder's own
// heap, where nothing reuses them. So while loading, every block of 4 MiB or more is mapped and
// unmapped whole; after it, blocks up to 32 MiB (a 4K frame) come from the heap again, so that
// a frame's buffers reuse the pages of the frame before, and more than 16 MiB free at the
// heap's top goes back to the system.
constexpr int kLoadingMmapThreshold = 4 << 20;
constexpr int kRenderingMmapThreshold = 32 << 20;
constexpr int kRenderingTrimThreshold = 16 << 20;

// The surface, the video's encoder, the demo's start-up and the music's spectrum.
bool openCapture(const CaptureOptions& options, Capture& capture, std::string& error) {
    if (!enterDataTree(options, error)) {
        return false;
    }
    if (capture.sinks.pngs && !capture.sinks.pngs->prepare(error)) {
        return false;
    }
    if (!capture.context.create(options.width, options.height)) {
        error = std::string("no offscreen OpenGL: ") + capture.context.error();
        return false;
    }
    // From here on an interrupt must still remove the video's temporary files.
    catchInterrupts();
    mallopt(M_MMAP_THRESHOLD, kLoadingMmapThreshold);
    if (!startVideo(options, capture, error)) {
        return false;
    }
    setPictureLayout(layoutFor(options.width, options.height));
    const Clock::time_point loadStart = Clock::now();
    startDemo(demoTimeline(), options.seed);
    const double loadMilliseconds = secondsSince(loadStart) * 1000.0;
    // The spectrum comes from the music at each frame's own time, so a capture is the same on
    // every run; without the music it reads zeros, as in the silent demo.
    const Clock::time_point musicStart = Clock::now();
    capture.spectrum.open(kMusic.name);
    capture.report.setStartUp(loadMilliseconds, secondsSince(musicStart) * 1000.0);
    mallopt(M_MMAP_THRESHOLD, kRenderingMmapThreshold);
    mallopt(M_TRIM_THRESHOLD, kRenderingTrimThreshold);
    return true;
}

// Plays every frame before the first without drawing it, so the first shows what it shows in a
// run from 0.
void seekCapture(Capture& capture) {
    const Clock::time_point start = Clock::now();
    const std::vector<float> times = timesBefore(capture.plan);
    seekTimeline(demoTimeline(), times, frameDuration(capture.plan),
                 frameTime(capture.plan, capture.plan.first));
    capture.report.setSeek(secondsSince(start) * 1000.0, static_cast<int64_t>(times.size()));
}

// Renders one frame's sub-frames; the frame's pixels, averaged over them when there are
// several, or nothing when no output wants them.
std::vector<uint8_t> renderFrame(Capture& capture, int64_t index, StepTimer& steps) {
    const FramePlan& plan = capture.plan;
    const float dt = frameDuration(plan);
    std::vector<uint8_t> pixels;
    for (int32_t sub = 0; sub < plan.shutter; ++sub) {
        const float t = subFrameTime(plan, index, sub);
        playDemoFrame(demoTimeline(), t, dt, capture.spectrum.before(musicFrameAt(t)), &steps);
        capture.context.swap();
        if (!capture.sinks.active()) {
            continue;
        }
        const Clock::time_point readStart = Clock::now();
        pixels = capture.context.readPixels();
        capture.report.addOutput("read back", secondsSince(readStart) * 1000.0);
        if (plan.shutter > 1) {
            capture.average.add(pixels);
        }
    }
    return plan.shutter > 1 && capture.sinks.active() ? capture.average.take() : pixels;
}

bool renderFrames(const CaptureOptions& options, Capture& capture, std::string& error) {
    const FramePlan& plan = capture.plan;
    const bool showProgress = isatty(STDERR_FILENO) == 1 && plan.count > 1;
    StepTimer steps(demoTimeline(), capture.report, options.profile);
    setKernelProfiling(options.profile);
    const Clock::time_point start = Clock::now();
    for (int64_t index = plan.first; index < plan.first + plan.count; ++index) {
        if (interrupted != 0) {
            error = capture.sinks.video
                        ? "interrupted; the video was not written"
                        : "interrupted after " + std::to_string(capture.written) + " frames";
            return false;
        }
        const Clock::time_point frameStart = Clock::now();
        std::vector<uint8_t> pixels = renderFrame(capture, index, steps);
        capture.report.addFrame(frameTime(plan, index), secondsSince(frameStart) * 1000.0);
        if (options.profile) {
            addKernelTimes(capture.report);
        }
        if (capture.sinks.active()) {
            const Clock::time_point handStart = Clock::now();
            if (!capture.sinks.write(index, std::move(pixels), error)) {
                return false;
            }
            capture.report.addOutput("hand to outputs", secondsSince(handStart) * 1000.0);
            ++capture.written;
        }
        if (showProgress) {
            std::fprintf(
                stderr, "\r%s",
                progressLine(index - plan.first + 1, plan.count, secondsSince(start)).c_str());
        }
    }
    if (showProgress) {
        std::fputc('\n', stderr);
    }
    return true;
}

// Waits for the outputs, then prints the driver, the timing report and one line per output.
bool finishCapture(const CaptureOptions& options, Capture& capture, double wallSeconds,
                   std::string& error) {
    if (capture.sinks.pngs && !capture.sinks.pngs->finish(error)) {
        return false;
    }
    if (capture.sinks.video && !capture.sinks.video->finish(error)) {
        return false;
    }
    capture.report.setPeakResidentKilobytes(peakResidentKilobytes());
    std::fputs(capture.report.summary(wallSeconds).c_str(), stdout);
    if (capture.sinks.pngs) {
        std::printf("wrote %lld frames to %s\n", static_cast<long long>(capture.written),
                    options.outputDirectory.c_str());
    }
    if (capture.sinks.video) {
        std::printf("wrote video %s (%lld frames, %.3f s)\n", options.videoPath.c_str(),
                    static_cast<long long>(capture.sinks.video->framesWritten()),
                    capture.sinks.video->seconds());
    }
    return true;
}

// Prints the frames of the whole --from/--to range, for schedulers that split it into spans.
int countFrames(CaptureOptions options) {
    options.spanIndex = 1;
    options.spanCount = 1;
    std::string error;
    const std::optional<FramePlan> plan = planFrames(options, error);
    if (!plan) {
        return failWith(error);
    }
    std::printf("%lld\n", static_cast<long long>(plan->rangeFrames));
    return 0;
}

int capture(const CaptureOptions& options) {
    std::string error;
    const std::optional<FramePlan> plan = planFrames(options, error);
    if (!plan) {
        return failWith(error);
    }
    // Before EGL starts, which reads the settings once.
    if (options.pinnedRenderer && !pinRenderer(error)) {
        return failWith(error);
    }
    Capture capture(*plan, options);
    capture.sinks = makeSinks(options);
    if (!openCapture(options, capture, error)) {
        stopDemo(demoTimeline());
        return failWith(error);
    }
    if (options.pinnedRenderer) {
        std::fputs(describePinnedRenderer().c_str(), stdout);
    }
    std::printf("renderer %s\n", rendererName().c_str());
    if (capture.sinks.pngs && !capture.sinks.pngs->recordRenderer(rendererName(), error)) {
        stopDemo(demoTimeline());
        return failWith(error);
    }
    const Clock::time_point start = Clock::now();
    seekCapture(capture);
    const bool rendered = renderFrames(options, capture, error);
    stopDemo(demoTimeline());
    if (!rendered || !finishCapture(options, capture, secondsSince(start), error)) {
        return failWith(error);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string error;
    const std::optional<CaptureOptions> options = parseCaptureOptions(arguments, error);
    if (!options) {
        std::fprintf(stderr, "zentrox-capture: %s\n%s", error.c_str(), captureUsage().c_str());
        return 2;
    }
    if (options->showHelp || options->showVersion) {
        std::fputs(
            options->showHelp ? captureUsage().c_str() : versionLine("zentrox-capture").c_str(),
            stdout);
        return 0;
    }
    if (options->checkOnly) {
        return checkTree(*options);
    }
    if (options->countOnly) {
        return countFrames(*options);
    }
    return options->joinPath.empty() ? capture(*options) : joinCapture(*options);
}
