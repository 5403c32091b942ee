#pragma once
// The music as the output device takes it: decoded from memory a device buffer at a time,
// silence after its end, with the mono mix of the frames handed over most recently kept for the
// spectrum. Nothing here allocates after open(), so fill() may run on an audio thread; the
// caller serialises every call (the sound layer holds its device lock).

#include <array>
#include <cstdint>
#include <vector>

#include "resources/spectrum_analyser.h"
#include "resources/mp3_stream.h"
#include "resources/string.h"

class MusicFeed {
public:
    // Reads the file for a device whose buffers hold `bufferFrames` frames. False when the
    // file holds no playable music or the buffer length is not positive.
    bool open(const String& name, int32_t bufferFrames);
    // Decodes the next `frames` frames into `out` as interleaved stereo floats in -1..1.
    void fill(float* out, int64_t frames);
    // Moves to `frame` from the music's start and forgets what was heard. False when the
    // decoder cannot get there; the feed then plays silence.
    bool seek(int64_t frame);
    // The kSpectrumWindow mono frames that end where the last buffer handed over begins: that
    // buffer is still being played, what precedes it has been heard. Silence before the start.
    std::array<float, kSpectrumWindow> heardWindow() const;
    // Frames handed over since the start of the music (or since the frame of the last seek).
    int64_t cursor() const { return handedOver; }

private:
    size_t heardSlot(int64_t frame) const;

    Mp3Stream music;
    int32_t bufferFrames = 0;
    std::vector<int16_t> block;  // the decoded frames of one buffer
    // The mono mix of the last heard.size() frames handed over, frame f at f % size.
    std::vector<float> heard;
    int64_t handedOver = 0;
};
