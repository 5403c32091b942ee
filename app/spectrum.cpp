#include "app/spectrum.h"

#include "scenes/status.h"

std::array<float, kSpectrumBandCount> spectrumBands = {};

void reduceSpectrum(const SpectrumValues& values) {
    for (int32_t i = 0; i < kSpectrumBandCount; ++i) {
        spectrumBands[i] = (values[2 * i] + values[2 * i + 1]) * 0.5f;
    }
    float sum = 0.0f;
    for (int32_t i = 96; i <= 159; ++i) {
        sum += spectrumBands[i];
    }
    midLevel = sum * 0.015625f;
}
