#pragma once
// The music's spectrum as the demo reads it each frame: the 512 values of the spectrum
// (resources/spectrum_analyser.h) are halved into spectrumBands, and the mean of bands 96..159
// (about 8 to 14 kHz) is the mid level the tunnel shows (scenes/status.h).

#include <array>
#include <cstdint>

#include "resources/spectrum_analyser.h"

constexpr int32_t kSpectrumBandCount = 256;

extern std::array<float, kSpectrumBandCount> spectrumBands;

// band i = (value 2i + value 2i+1) / 2; midLevel = mean of bands 96..159.
void reduceSpectrum(const SpectrumValues& values);
