#pragma once
// Sound in memory at the soundtrack's one rate, 44100 samples per second per channel, nominal
// full scale -1..1. A StereoBuffer keeps its two channels apart so voices and effects add into
// them; the encoder takes them interleaved (left, right, left, ...).

#include <cmath>
#include <cstdint>
#include <vector>

constexpr int32_t kAudioRate = 44100;  // samples per second per channel

struct StereoBuffer {
    std::vector<float> left;
    std::vector<float> right;

    StereoBuffer() = default;
    explicit StereoBuffer(int64_t frames)
        : left(static_cast<size_t>(frames)), right(static_cast<size_t>(frames)) {}
    int64_t frames() const { return static_cast<int64_t>(left.size()); }
};

// The nearest whole frame to a time in seconds.
inline int64_t framesOf(double seconds) {
    return std::llround(seconds * kAudioRate);
}

inline std::vector<float> interleave(const StereoBuffer& buffer) {
    std::vector<float> samples(buffer.left.size() * 2);
    for (size_t i = 0; i < buffer.left.size(); ++i) {
        samples[2 * i] = buffer.left[i];
        samples[2 * i + 1] = buffer.right[i];
    }
    return samples;
}
