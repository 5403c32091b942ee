#pragma once
// A piece of music decoded as it is played: the file's bytes are read into memory when it is
// opened, and each read decodes the next frames from them, so playing never touches the disk
// and only the compressed music is held (a twentieth of the decoded samples). Frames come as
// interleaved stereo 16-bit samples at 44100 Hz, frame 0 being the music's first (gapless
// decoding drops the encoder's padding); other rates and mono are converted by the decoder.
// One thread at a time may use a stream.

#include <cstdint>
#include <memory>

#include "resources/decoded_track.h"
#include "resources/string.h"

struct mpg123_handle_struct;
struct Mp3Source;

// Longer music is cut there: the demo needs a little over three minutes.
constexpr int64_t kMaxTrackSeconds = 600;
// A larger file is read only that far: ten minutes at the highest bit rate take 24 MB.
constexpr int64_t kMaxMp3FileBytes = 64 * 1024 * 1024;

class Mp3Stream {
public:
    Mp3Stream();
    ~Mp3Stream();
    Mp3Stream(const Mp3Stream&) = delete;
    Mp3Stream& operator=(const Mp3Stream&) = delete;

    // Reads the file of the data tree and its first frame. False when the file is missing,
    // is not an MP3 or holds no decodable frame; the stream then reads nothing.
    bool open(const String& name);
    // Decodes up to `frames` frames into `samples` (2 per frame) and returns how many it
    // wrote; fewer at the end of the music, at kMaxTrackSeconds or at damage, then 0.
    int64_t read(int16_t* samples, int64_t frames);
    // Moves to `frame` from the music's start. False when the stream is not open or the
    // decoder cannot get there.
    bool seek(int64_t frame);
    // The length the file's headers announce, in frames; 0 when unknown. Only a hint.
    int64_t expectedFrames() const;

private:
    struct HandleCloser {
        void operator()(mpg123_handle_struct* handle) const;
    };

    // Behind a pointer: the decoder reads through its address.
    std::unique_ptr<Mp3Source> source;
    std::unique_ptr<mpg123_handle_struct, HandleCloser> decoder;
    int64_t position = 0;  // frames read since the start
    bool ended = false;
};
