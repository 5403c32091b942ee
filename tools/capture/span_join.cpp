#include "tools/capture/span_join.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "tools/capture/audio_clip.h"
#include "tools/capture/child_process.h"
#include "tools/capture/temporary_file.h"
#include "tools/capture/video_writer.h"

namespace {

const std::vector<std::string> kQuiet = {"-hide_banner", "-nostdin", "-nostats", "-loglevel",
                                         "error"};

// The ffmpeg arguments with the quiet ones first.
std::vector<std::string> ffmpegCommand(const std::string& ffmpeg,
                                       std::initializer_list<std::string> arguments) {
    std::vector<std::string> command = {ffmpeg};
    command.insert(command.end(), kQuiet.begin(), kQuiet.end());
    command.insert(command.end(), arguments);
    return command;
}

// A line of ffmpeg's concat list naming the file; quotes in the name are escaped as it expects.
std::string concatLine(const std::string& path) {
    std::string quoted;
    for (const char c : std::filesystem::absolute(path).string()) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return "file '" + quoted + "'\n";
}

// "span 2 of 4 (name)", as the messages name a span.
std::string spanName(const JoinSettings& settings, size_t index) {
    return "span " + std::to_string(index + 1) + " of " + std::to_string(settings.spans.size()) +
           " (" + settings.spans[index] + ")";
}

// An unrecorded renderer is shown as such; a recorded one in quotes.
std::string describeRenderer(const std::string& renderer) {
    return renderer.empty() ? "an unrecorded renderer" : "'" + renderer + "'";
}

// The spans' renderers, in order, after their frames were counted; false, naming the span,
// when one cannot be read, or naming every span drawn by another renderer than the others.
bool checkRenderers(const JoinSettings& settings, std::vector<std::string>& renderers,
                    std::string& error) {
    std::vector<std::string> names;
    for (size_t i = 0; i < settings.spans.size(); ++i) {
        std::string why;
        const std::optional<std::string> renderer =
            recordedRenderer(settings.ffmpeg, settings.spans[i], why);
        if (!renderer) {
            error = spanName(settings, i) + " cannot be read: " + why;
            return false;
        }
        names.push_back(spanName(settings, i));
        renderers.push_back(*renderer);
    }
    error = rendererMismatch(names, renderers);
    return error.empty();
}

bool checkSpans(const JoinSettings& settings, std::string& error) {
    if (settings.spans.empty() || settings.spans.size() != settings.expectedFrames.size()) {
        error = "nothing to join";
        return false;
    }
    for (size_t i = 0; i < settings.spans.size(); ++i) {
        std::error_code code;
        if (!std::filesystem::is_regular_file(settings.spans[i], code)) {
            error = spanName(settings, i) + " is missing";
            return false;
        }
        std::string why;
        const int64_t frames = countVideoFrames(settings.ffmpeg, settings.spans[i], why);
        if (frames < 0) {
            error = spanName(settings, i) + " cannot be read to its end: " + why;
            return false;
        }
        if (frames != settings.expectedFrames[i]) {
            error = spanName(settings, i) + " holds " + std::to_string(frames) +
                    " frames where its share is " + std::to_string(settings.expectedFrames[i]);
            return false;
        }
    }
    return true;
}

// The temporary files of one join, removed whatever happens.
struct JoinFiles {
    ~JoinFiles() {
        removeFile(list);
        removeFile(wav);
        removeFile(partial);
    }
    std::string list;
    std::string wav;
    std::string partial;
};

bool writeList(const JoinSettings& settings, const std::string& path, std::string& error) {
    std::ofstream list(path, std::ios::trunc);
    list << "ffconcat version 1.0\n";
    for (const std::string& span : settings.spans) {
        list << concatLine(span);
    }
    list.close();
    if (!list) {
        error = "cannot write the list of spans " + path;
        return false;
    }
    return true;
}

bool muxJoined(const JoinSettings& settings, const JoinFiles& files, const std::string& renderer,
               std::string& error) {
    // NOTE: "file:" keeps ffmpeg from reading a path with a colon as a protocol name.
    std::vector<std::string> command = ffmpegCommand(settings.ffmpeg, {"-y",
                                                                       "-f",
                                                                       "concat",
                                                                       "-safe",
                                                                       "0",
                                                                       "-i",
                                                                       "file:" + files.list,
                                                                       "-f",
                                                                       "wav",
                                                                       "-i",
                                                                       "file:" + files.wav,
                                                                       "-map",
                                                                       "0:v:0",
                                                                       "-map",
                                                                       "1:a:0",
                                                                       "-c:v",
                                                                       "copy",
                                                                       "-c:a",
                                                                       "aac",
                                                                       "-b:a",
                                                                       "192k"});
    if (renderer.empty()) {
        command.insert(command.end(), {"-movflags", "+faststart"});
    } else {
        command.insert(command.end(), {"-metadata", std::string(kRendererTag) + "=" + renderer,
                                       "-movflags", "+faststart+use_metadata_tags"});
    }
    command.insert(command.end(), {"-f", "mp4", "file:" + files.partial});
    std::string output;
    if (!runProgram(command, kFfmpegVariable, output, error)) {
        error += " while joining " + settings.output + " (its messages, if any, are above)";
        return false;
    }
    return true;
}

}  // namespace

int64_t countVideoFrames(const std::string& ffmpeg, const std::string& path, std::string& error) {
    std::string lines;
    if (!runProgram(ffmpegCommand(ffmpeg, {"-xerror", "-i", "file:" + path, "-map", "0:v:0", "-c",
                                           "copy", "-f", "framecrc", "-"}),
                    kFfmpegVariable, lines, error)) {
        return -1;
    }
    int64_t frames = 0;
    size_t start = 0;
    while (start < lines.size()) {
        const size_t end = lines.find('\n', start);
        if (lines[start] != '#' && lines[start] != '\n') {
            ++frames;
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return frames;
}

std::optional<std::string> recordedRenderer(const std::string& ffmpeg, const std::string& path,
                                            std::string& error) {
    std::string text;
    if (!runProgram(ffmpegCommand(ffmpeg, {"-i", "file:" + path, "-f", "ffmetadata", "-"}),
                    kFfmpegVariable, text, error)) {
        return std::nullopt;
    }
    return metadataValue(text, kRendererTag);
}

std::string metadataValue(const std::string& text, const std::string& key) {
    const std::string head = key + "=";
    size_t start = 0;
    while (start < text.size()) {
        // One logical line: an escaped line break continues it.
        std::string line;
        size_t at = start;
        for (; at < text.size() && text[at] != '\n'; ++at) {
            if (text[at] == '\\' && at + 1 < text.size()) {
                line += '\\';
                ++at;
            }
            line += text[at];
        }
        start = at + 1;
        if (!line.empty() && line[0] == '[') {
            break;  // the file's own tags come first; then its streams' and chapters'
        }
        // Keys are escaped too, so the raw head can only match a key of the same spelling.
        if (line.compare(0, head.size(), head) != 0) {
            continue;
        }
        std::string value;
        for (size_t i = head.size(); i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) {
                ++i;
            }
            value += line[i];
        }
        return value;
    }
    return "";
}

std::string rendererMismatch(const std::vector<std::string>& names,
                             const std::vector<std::string>& renderers) {
    // The renderer most spans share; the earliest of those tied.
    size_t reference = 0;
    size_t most = 0;
    for (size_t i = 0; i < renderers.size(); ++i) {
        const auto shared =
            static_cast<size_t>(std::count(renderers.begin(), renderers.end(), renderers[i]));
        if (shared > most) {
            most = shared;
            reference = i;
        }
    }
    std::string differing;
    for (size_t i = 0; i < renderers.size() && i < names.size(); ++i) {
        if (renderers[i] != renderers[reference]) {
            differing += (differing.empty() ? "" : ", ") + names[i] + " by " +
                         describeRenderer(renderers[i]);
        }
    }
    if (differing.empty()) {
        return "";
    }
    return "the spans were not all drawn by one renderer, so their pixels would not match: " +
           differing + "; the others by " + describeRenderer(renderers[reference]);
}

bool joinSpans(const JoinSettings& settings, const std::vector<float>& audio, std::string& error) {
    std::vector<std::string> renderers;
    if (!checkSpans(settings, error) || !checkRenderers(settings, renderers, error)) {
        return false;
    }
    JoinFiles files;
    files.partial = makePartialBeside(settings.output, error);
    if (files.partial.empty()) {
        return false;
    }
    files.list = makeTemporaryFile(temporaryFolder(), "zentrox-join-", ".txt", error);
    files.wav = makeTemporaryFile(temporaryFolder(), "zentrox-join-", ".wav", error);
    if (files.list.empty() || files.wav.empty()) {
        error = "cannot make a temporary file in " + temporaryFolder() + ": " + error;
        return false;
    }
    if (!writeList(settings, files.list, error) || !writeWav(files.wav, audio, error) ||
        !muxJoined(settings, files, renderers.front(), error)) {
        return false;
    }
    int64_t expected = 0;
    for (const int64_t frames : settings.expectedFrames) {
        expected += frames;
    }
    std::string why;
    const int64_t joined = countVideoFrames(settings.ffmpeg, files.partial, why);
    if (joined != expected) {
        error =
            "cannot write " + settings.output + ": the joined video holds " +
            (joined < 0 ? "unreadable frames: " + why
                        : std::to_string(joined) + " of " + std::to_string(expected) + " frames");
        return false;
    }
    if (std::rename(files.partial.c_str(), settings.output.c_str()) != 0) {
        error = "cannot write " + settings.output + ": " + std::strerror(errno);
        return false;
    }
    files.partial.clear();
    return true;
}
