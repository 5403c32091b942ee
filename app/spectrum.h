#pragma once
// The music's spectrum as the demo reads it: 512 magnitudes from 0 Hz up to the Nyquist
// frequency, of a Hann-windowed 1024-point FFT of the mono mix. Silence reads 0 and a
// full-scale sine close to 1 in its bin. Each frame the 512 values are halved into
// spectrumBands, and the mean of bands 96..159 (about 8 to 14 kHz) is midLevel.

#include <array>
#include <cstdint>
#include <memory>

struct DecodedTrack;

constexpr int32_t kSpectrumWindow = 1024;  // samples
constexpr int32_t kSpectrumValues = 512;
constexpr int32_t kSpectrumBandCount = 256;

using SpectrumValues = std::array<float, kSpectrumValues>;

extern std::array<float, kSpectrumBandCount> spectrumBands;
extern float midLevel;

// band i = (value 2i + value 2i+1) / 2; midLevel = mean of bands 96..159.
void reduceSpectrum(const SpectrumValues& values);

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
