#pragma once
// Encodes captured frames into an MP4 file (H.264 yuv420p, AAC) through an ffmpeg child process,
// started without a shell: frames go to its standard input as raw RGB, the sound comes from a
// temporary WAV file holding exactly the frames' duration. The video is encoded under a hidden
// temporary name beside the output and renamed over it only when ffmpeg succeeded, so the
// output path never holds a half-written file. Every failure says which file and why, and the
// destructor stops ffmpeg and removes whatever the writer made.
// Every video of the same settings is encoded alike and starts on a key frame, so the videos of
// the spans of a capture join by stream copy; a span's video has no sound.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/capture/child_process.h"

// Names the ffmpeg program to run instead of the one found on PATH.
inline constexpr const char* kFfmpegVariable = "ZENTROX_FFMPEG";
// The MP4 metadata key that names the renderer which drew a video's frames: spans drawn by
// different renderers differ in their pixels, so the join refuses to put them together.
inline constexpr const char* kRendererTag = "zentrox_renderer";

struct VideoSettings {
    std::string path;    // the MP4 file; replaced when it exists
    std::string ffmpeg;  // the program: a path, or a name looked up on PATH
    double framesPerSecond = 60.0;
    int32_t width = 800;    // pixels
    int32_t height = 600;   // pixels
    bool sound = true;      // false: video only
    bool lossless = false;  // RGB H.264 at QP 0: decoded frames equal the rendered pixels
    std::string renderer;   // recorded under kRendererTag; empty: nothing recorded
};

// $ZENTROX_FFMPEG when set and not empty, else "ffmpeg".
std::string ffmpegProgram();

// The ffmpeg arguments (without the program) that encode raw RGB frames from standard input,
// with the WAV file's sound when the settings want sound, into `output`.
std::vector<std::string> ffmpegArguments(const VideoSettings& settings, const std::string& wavPath,
                                         const std::string& output);

class VideoWriter {
public:
    explicit VideoWriter(VideoSettings settings) : settings(std::move(settings)) {}
    VideoWriter(const VideoWriter&) = delete;
    VideoWriter& operator=(const VideoWriter&) = delete;
    ~VideoWriter();

    // The renderer to record in the video; before start(), since ffmpeg writes it.
    void recordRenderer(std::string name) { settings.renderer = std::move(name); }

    // Checks that the output can be written, writes the sound (interleaved stereo at 44100 Hz,
    // as long as `frames` frames; ignored without sound) and starts ffmpeg. False, with the
    // reason in `error`.
    bool start(const std::vector<float>& audio, int64_t frames, std::string& error);
    // One frame: RGB, top row first, width x height. False when the frame has another size, or
    // when ffmpeg is gone or refuses it; the video is then abandoned and cleaned up at once.
    bool write(const std::vector<uint8_t>& rgb, std::string& error);
    // Ends the input, waits for ffmpeg and moves the video into place. False, leaving no
    // output, when ffmpeg failed or fewer frames came than start() announced.
    bool finish(std::string& error);

    int64_t framesWritten() const { return written; }
    double seconds() const { return static_cast<double>(written) / settings.framesPerSecond; }

private:
    bool prepareOutput(std::string& error);
    // Waits for ffmpeg; false, with what happened in `error`, unless it exited with status 0.
    bool reap(std::string& error);
    // Renames the finished video over the output once it is whole.
    bool moveIntoPlace(std::string& error);
    void abandon();

    VideoSettings settings;
    std::string partialPath;  // the video while ffmpeg writes it
    std::string wavPath;
    ChildProcess encoder;
    int64_t expected = 0;
    int64_t written = 0;
};
