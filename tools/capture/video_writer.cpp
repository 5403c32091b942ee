#include "tools/capture/video_writer.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "tools/capture/audio_clip.h"

extern char** environ;

namespace {

// Shortest decimal text that reads back as exactly `value`: ffmpeg turns "29.97" into the
// rational 2997/100, where printf digits would hand it 29.969999999999999.
std::string exactDecimal(double value) {
    char text[32];
    const std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

// A new empty file from a mkstemps template; its path, or empty with the reason in `error`.
std::string makeTemporaryFile(const std::filesystem::path& folder, const std::string& prefix,
                              const std::string& suffix, std::string& error) {
    std::string path = (folder / (prefix + "XXXXXX" + suffix)).string();
    const int descriptor = mkostemps(path.data(), static_cast<int>(suffix.size()), O_CLOEXEC);
    if (descriptor < 0) {
        error = std::strerror(errno);
        return "";
    }
    // NOTE: mkstemps makes the file private (0600); the video is renamed into place, so it
    // gets the mode any new file of the user's would get.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);
    close(descriptor);
    return path;
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

void removeFile(std::string& path) {
    if (!path.empty()) {
        unlink(path.c_str());
        path.clear();
    }
}

std::string spawnFailure(const std::string& program, int code) {
    if (code == ENOENT && program.find('/') == std::string::npos) {
        return "cannot run " + program + ": not found on PATH; install ffmpeg or set " +
               kFfmpegVariable + " to its path";
    }
    return "cannot run " + program + ": " + std::strerror(code);
}

}  // namespace

std::string ffmpegProgram() {
    const char* program = std::getenv(kFfmpegVariable);
    return program != nullptr && program[0] != '\0' ? program : "ffmpeg";
}

std::vector<std::string> ffmpegArguments(const VideoSettings& settings, const std::string& wavPath,
                                         const std::string& output) {
    const std::string size = std::to_string(settings.width) + "x" + std::to_string(settings.height);
    // NOTE: "file:" keeps ffmpeg from reading a path with a colon as a protocol name.
    return {"-hide_banner", "-nostdin", "-nostats", "-loglevel", "error", "-y",
            // The frames, exactly as the capture rendered them.
            "-f", "rawvideo", "-pix_fmt", "rgb24", "-s", size, "-framerate",
            exactDecimal(settings.framesPerSecond), "-i", "pipe:0",
            // The sound, already cut to the frames' duration: nothing trims either stream.
            "-f", "wav", "-i", "file:" + wavPath, "-map", "0:v:0", "-map", "1:a:0",
            // BT.709 conversion, tagged, so players need not guess the matrix.
            "-vf", "scale=out_color_matrix=bt709:out_range=tv", "-colorspace", "bt709",
            "-color_primaries", "bt709", "-color_trc", "bt709", "-color_range", "tv", "-c:v",
            "libx264", "-pix_fmt", "yuv420p", "-preset", "medium", "-crf", "18", "-c:a", "aac",
            "-b:a", "192k", "-movflags", "+faststart", "-f", "mp4", "file:" + output};
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
    const char* temporary = std::getenv("TMPDIR");
    const std::string folder = temporary != nullptr && temporary[0] != '\0' ? temporary : "/tmp";
    wavPath = makeTemporaryFile(folder, "zentrox-capture-", ".wav", error);
    if (wavPath.empty()) {
        error = "cannot make a temporary sound file in " + folder + ": " + error;
        abandon();
        return false;
    }
    if (!writeWav(wavPath, audio, error) || !spawn(error)) {
        abandon();
        return false;
    }
    return true;
}

bool VideoWriter::prepareOutput(std::string& error) {
    const std::filesystem::path output(settings.path);
    std::error_code code;
    if (std::filesystem::is_directory(output, code)) {
        error = "cannot write " + settings.path + ": it is a directory";
        return false;
    }
    // Hidden, beside the output: the rename into place cannot cross file systems.
    std::string prefix = ".";
    prefix += output.filename().string();
    prefix += '.';
    partialPath = makeTemporaryFile(output.parent_path(), prefix, "", error);
    if (partialPath.empty()) {
        error = "cannot write " + settings.path + ": " + error;
        return false;
    }
    return true;
}

bool VideoWriter::spawn(std::string& error) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        error = std::string("cannot make a pipe to ffmpeg: ") + std::strerror(errno);
        return false;
    }
    // NOTE: process-wide; the capture has no other pipe or socket whose SIGPIPE would matter,
    // and a write error names the failing ffmpeg where the signal would kill us without a word.
    signal(SIGPIPE, SIG_IGN);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[0], STDIN_FILENO);
    // ffmpeg's messages belong on stderr; our stdout carries only the capture's summary.
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    std::vector<std::string> arguments = ffmpegArguments(settings, wavPath, partialPath);
    arguments.insert(arguments.begin(), settings.ffmpeg);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const int result =
        posix_spawnp(&child, settings.ffmpeg.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[0]);
    if (result != 0) {
        child = -1;
        close(ends[1]);
        error = spawnFailure(settings.ffmpeg, result);
        return false;
    }
    frameInput = ends[1];
    return true;
}

bool VideoWriter::write(const std::vector<uint8_t>& rgb, std::string& error) {
    if (frameInput < 0) {
        error = "cannot write " + settings.path + ": the encoder is not running";
        return false;
    }
    if (rgb.size() != static_cast<size_t>(settings.width) * settings.height * 3) {
        error = "cannot write " + settings.path + ": a frame is not " +
                std::to_string(settings.width) + "x" + std::to_string(settings.height);
        return false;
    }
    if (!writeAll(frameInput, rgb.data(), rgb.size())) {
        const int code = errno;
        close(frameInput);
        frameInput = -1;
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
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    child = -1;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return true;
    }
    const std::string what = WIFSIGNALED(status)
                                 ? "was killed by signal " + std::to_string(WTERMSIG(status))
                                 : "failed with exit code " + std::to_string(WEXITSTATUS(status));
    error = settings.ffmpeg + " " + what + " while encoding " + settings.path +
            " (its messages, if any, are above)";
    return false;
}

bool VideoWriter::finish(std::string& error) {
    if (frameInput < 0) {
        error = "cannot write " + settings.path + ": the encoder is not running";
        abandon();
        return false;
    }
    close(frameInput);
    frameInput = -1;
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
    if (frameInput >= 0) {
        close(frameInput);
        frameInput = -1;
    }
    if (child > 0) {
        kill(child, SIGKILL);
        while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
        child = -1;
    }
    removeFile(partialPath);
    removeFile(wavPath);
}
