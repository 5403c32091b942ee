#pragma once
// Joining the videos of a capture's spans into one MP4 file: the spans' H.264 streams are
// copied in order without being encoded again, and the music of the whole range is muxed once,
// cut by sample index so that its first sample is the music heard at the first frame. Every
// span is checked first and a bad one is named: missing, unreadable or cut short, holding
// another number of frames than its share, or drawn by another renderer than the others (its
// pixels would not match theirs; each video records its renderer). The joined file is checked
// again, so a video with a frame missing is never left under the output's name; it appears
// there only when whole, and records the spans' renderer.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct JoinSettings {
    std::string output;
    std::string ffmpeg;                   // the program: a path, or a name looked up on PATH
    std::vector<std::string> spans;       // the span videos, in order
    std::vector<int64_t> expectedFrames;  // frames each span must hold
};

// The number of video frames in the file, read without decoding, or -1 with the reason in
// `error` when ffmpeg cannot read the file to its end.
int64_t countVideoFrames(const std::string& ffmpeg, const std::string& path, std::string& error);

// The renderer the video records under kRendererTag, empty when it records none, or nullopt
// with the reason in `error` when ffmpeg cannot read the file.
std::optional<std::string> recordedRenderer(const std::string& ffmpeg, const std::string& path,
                                            std::string& error);

// The value of `key` in the text of ffmpeg's metadata format (";FFMETADATA1", then key=value
// lines with '=', ';', '#', '\\' and line breaks escaped by a backslash), or empty.
std::string metadataValue(const std::string& text, const std::string& key);

// What is wrong when the spans, named in `names`, were drawn by `renderers` (empty: none
// recorded): every span whose renderer is not the one most spans share (on a tie, the first
// span's) is named with its renderer. Empty when all agree.
std::string rendererMismatch(const std::vector<std::string>& names,
                             const std::vector<std::string>& renderers);

// Checks the spans and joins them with `audio` (interleaved stereo at 44100 Hz, as long as the
// spans together) into settings.output. False, with the reason in `error`, leaving no output.
bool joinSpans(const JoinSettings& settings, const std::vector<float>& audio, std::string& error);
