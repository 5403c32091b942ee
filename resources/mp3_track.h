#pragma once
// A piece of music decoded whole into memory: interleaved stereo 16-bit samples at 44100 Hz,
// sample 0 being the music's first sample (gapless decoding drops the encoder's padding).
// Immutable once decoded, so any thread may read it.
// NOTE: 16-bit, as a sound card plays it: the demo's three minutes take 33 MB instead of the
// 67 MB of floats, and the difference lies below the last bit of what the device receives.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "resources/mp3_stream.h"
#include "resources/string.h"

constexpr float kSampleScale = 1.0f / 32768.0f;  // from a 16-bit sample to -1..1

struct DecodedTrack {
    std::vector<int16_t> samples;  // left, right, left, right ...

    int64_t frames() const { return static_cast<int64_t>(samples.size()) / kTrackChannels; }
    // Sample `index` of the interleaved samples as -1..1; it must exist.
    float sample(size_t index) const { return static_cast<float>(samples[index]) * kSampleScale; }
    // The mono mix of frame `index`; 0 outside the track.
    float mono(int64_t index) const;
};

// Decodes a whole MP3 file of the data tree through an Mp3Stream. False, with an empty track,
// when the file is missing or undecodable.
bool decodeMp3(const String& name, DecodedTrack& track);
