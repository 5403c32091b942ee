#pragma once
// A piece of music decoded whole into memory: interleaved stereo 16-bit samples at 44100 Hz,
// sample 0 being the music's first sample (gapless decoding drops the encoder's padding).
// Immutable once decoded, so any thread may read it. Whichever decoder filled it (the
// program's own, or a browser's), the music reads the same from here on.
// NOTE: 16-bit, as a sound card plays it: the demo's three minutes take 33 MB instead of the
// 67 MB of floats, and the difference lies below the last bit of what the device receives.

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int32_t kTrackRate = 44100;  // samples per second per channel
constexpr int32_t kTrackChannels = 2;
constexpr float kSampleScale = 1.0f / 32768.0f;  // from a 16-bit sample to -1..1

struct DecodedTrack {
    std::vector<int16_t> samples;  // left, right, left, right ...

    int64_t frames() const { return static_cast<int64_t>(samples.size()) / kTrackChannels; }
    // Sample `index` of the interleaved samples as -1..1; it must exist.
    float sample(size_t index) const { return static_cast<float>(samples[index]) * kSampleScale; }
    // The mono mix of frame `index`; 0 outside the track.
    float mono(int64_t index) const;
};
