#pragma once
// The music's spectrum: 512 magnitudes from 0 Hz up to the Nyquist frequency, of a
// Hann-windowed 1024-point FFT of the mono mix. Silence reads 0 and a full-scale sine close to 1
// in its bin.

#include <array>
#include <cstdint>
#include <memory>

struct DecodedTrack;

constexpr int32_t kSpectrumWindow = 1024;  // samples
constexpr int32_t kSpectrumValues = 512;

using SpectrumValues = std::array<float, kSpectrumValues>;

class SpectrumAnalyser {
public:
    SpectrumAnalyser();
    ~SpectrumAnalyser();
    SpectrumAnalyser(const SpectrumAnalyser&) = delete;
    SpectrumAnalyser& operator=(const SpectrumAnalyser&) = delete;

    // The spectrum of kSpectrumWindow mono samples.
    SpectrumValues analyse(const std::array<float, kSpectrumWindow>& mono);
    // The spectrum of the window of the track that ends just before frame `end`; frames
    // before the track's start or after its end count as silence.
    SpectrumValues analyseTrack(const DecodedTrack& track, int64_t end);

private:
    struct Plan;
    std::unique_ptr<Plan> plan;
};
