#include "tools/capture/video_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "tools/capture/audio_clip.h"
#include "tools/capture/temporary_file.h"

namespace {

// Shortest decimal text that reads back as exactly `value`: ffmpeg turns "29.97" into the
// rational 2997/100, where printf digits would hand it 29.969999999999999.
std::string exactDecimal(double value) {
    char text[32];
    const std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

bool writeAll(int descriptor, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t count = ::write(descriptor, data, size);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += count;
        size -= static_cast<size_t>(count);
    }
    return true;
}

}  // namespace

std::string ffmpegProgram() {
    const char* program = std::getenv(kFfmpegVariable);
    return program != nullptr && program[0] != '\0' ? program : "ffmpeg";
}

std::vector<std::string> ffmpegArguments(const VideoSettings& settings, const std::string& wavPath,
                                         const std::string& output) {
    const std::string size = std::to_string(settings.width) + "x" + std::to_string(settings.height);
    // The frames, exactly as the capture rendered them.
    std::vector<std::string> arguments = {"-hide_banner", "-nostdin",
                                          "-nostats",     "-loglevel",
                                          "error",        "-y",
                                          "-f",           "rawvideo",
                                          "-pix_fmt",     "rgb24",
                                          "-s",           size,
                                          "-framerate",   exactDecimal(settings.framesPerSecond),
                                          "-i",           "pipe:0"};
    const auto add = [&arguments](std::initializer_list<std::string> more) {
        arguments.insert(arguments.end(), more);
    };
    // NOTE: "file:" keeps ffmpeg from reading a path with a colon as a protocol name.
    if (settings.sound) {
        // The sound, already cut to the frames' duration: nothing trims either stream.
        add({"-f", "wav", "-i", "file:" + wavPath, "-map", "0:v:0", "-map", "1:a:0"});
    } else {
        add({"-map", "0:v:0"});
    }
    // NOTE: the presets were chosen by measurement on 800x600 frames of the demo. Lossless,
    // ultrafast costs a quarter of veryfast's CPU for a file 17 % larger. Lossy, superfast at
    // CRF 18 costs 40 % of faster's CPU and comes closer to the rendered pixels (PSNR 45.1 dB
    // against 44.9 dB) for a file 29 % larger.
    if (settings.lossless) {
        // The RGB pixels themselves, without the loss of a YUV conversion.
        add({"-c:v", "libx264rgb", "-pix_fmt", "rgb24", "-preset", "ultrafast", "-qp", "0"});
    } else {
        // BT.709 conversion, tagged, so players need not guess the matrix.
        add({"-vf", "scale=out_color_matrix=bt709:out_range=tv", "-colorspace", "bt709",
             "-color_primaries", "bt709", "-color_trc", "bt709", "-color_range", "tv", "-c:v",
             "libx264", "-pix_fmt", "yuv420p", "-preset", "superfast", "-crf", "18"});
    }
    if (settings.sound) {
        add({"-c:a", "aac", "-b:a", "192k"});
    }
    if (settings.renderer.empty()) {
        add({"-movflags", "+faststart"});
    } else {
        // A key of its own: MP4's standard tags are meant for people and players.
        add({"-metadata", std::string(kRendererTag) + "=" + settings.renderer, "-movflags",
             "+faststart+use_metadata_tags"});
    }
    add({"-f", "mp4", "file:" + output});
    return arguments;
}

VideoWriter::~VideoWriter() {
    abandon();
}

bool VideoWriter::start(const std::vector<float>& audio, int64_t frames, std::string& error) {
    expected = frames;
    written = 0;
    if (!prepareOutput(error)) {
        return false;
    }
    if (settings.sound) {
        const std::string folder = temporaryFolder();
        wavPath = makeTemporaryFile(folder, "zentrox-capture-", ".wav", error);
        if (wavPath.empty()) {
            error = "cannot make a temporary sound file in " + folder + ": " + error;
            abandon();
            return false;
        }
        if (!writeWav(wavPath, audio, error)) {
            abandon();
            return false;
        }
    }
    std::vector<std::string> arguments = ffmpegArguments(settings, wavPath, partialPath);
    arguments.insert(arguments.begin(), settings.ffmpeg);
    if (!encoder.start(arguments, true, false, kFfmpegVariable, error)) {
        abandon();
        return false;
    }
    return true;
}

bool VideoWriter::prepareOutput(std::string& error) {
    partialPath = makePartialBeside(settings.path, error);
    return !partialPath.empty();
}

bool VideoWriter::write(const std::vector<uint8_t>& rgb, std::string& error) {
    if (encoder.input() < 0) {
        error = "cannot write " + settings.path + ": the encoder is not running";
        return false;
    }
    if (rgb.size() != static_cast<size_t>(settings.width) * settings.height * 3) {
        error = "cannot write " + settings.path + ": a frame is not " +
                std::to_string(settings.width) + "x" + std::to_string(settings.height);
        return false;
    }
    if (!writeAll(encoder.input(), rgb.data(), rgb.size())) {
        const int code = errno;
        encoder.closeInput();
        // A pipe ffmpeg closed: its exit status says more than the write error.
        if (code != EPIPE || reap(error)) {
            error = settings.ffmpeg + " stopped reading the frames of " + settings.path + ": " +
                    std::strerror(code);
        }
        abandon();
        return false;
    }
    ++written;
    return true;
}

bool VideoWriter::reap(std::string& error) {
    std::string what;
    if (encoder.wait(what)) {
        return true;
    }
    error = settings.ffmpeg + " " + what + " while encoding " + settings.path +
            " (its messages, if any, are above)";
    return false;
}

bool VideoWriter::finish(std::string& error) {
    if (encoder.input() < 0) {
        error = "cannot write " + settings.path + ": the encoder is not running";
        abandon();
        return false;
    }
    encoder.closeInput();
    if (!reap(error) || !moveIntoPlace(error)) {
        abandon();
        return false;
    }
    removeFile(wavPath);
    return true;
}

bool VideoWriter::moveIntoPlace(std::string& error) {
    if (written != expected) {
        error = "cannot write " + settings.path + ": it got " + std::to_string(written) + " of " +
                std::to_string(expected) + " frames, so its sound would not match";
        return false;
    }
    std::error_code code;
    if (std::filesystem::file_size(partialPath, code) == 0 || code) {
        error = "cannot write " + settings.path + ": " + settings.ffmpeg +
                " exited without writing the video";
        return false;
    }
    if (std::rename(partialPath.c_str(), settings.path.c_str()) != 0) {
        error = "cannot write " + settings.path + ": " + std::strerror(errno);
        return false;
    }
    partialPath.clear();
    return true;
}

void VideoWriter::abandon() {
    encoder.kill();
    removeFile(partialPath);
    removeFile(wavPath);
}
