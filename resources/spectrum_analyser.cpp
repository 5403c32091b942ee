#include "resources/spectrum_analyser.h"

#include <cmath>
#include <vector>

#include "resources/decoded_track.h"
#include "resources/real_fft.h"

struct SpectrumAnalyser::Plan {
    RealFft fft{kSpectrumWindow};
    std::array<float, kSpectrumWindow> window = {};
    std::array<float, kSpectrumWindow> input = {};
    std::vector<std::complex<float>> output =
        std::vector<std::complex<float>>(kSpectrumWindow / 2 + 1);
};

SpectrumAnalyser::SpectrumAnalyser() : plan(std::make_unique<Plan>()) {
    for (int32_t i = 0; i < kSpectrumWindow; ++i) {
        const double phase = 2.0 * M_PI * i / kSpectrumWindow;
        plan->window[i] = static_cast<float>(0.5 - 0.5 * std::cos(phase));
    }
}

SpectrumAnalyser::~SpectrumAnalyser() = default;

SpectrumValues SpectrumAnalyser::analyse(const std::array<float, kSpectrumWindow>& mono) {
    SpectrumValues values = {};
    for (int32_t i = 0; i < kSpectrumWindow; ++i) {
        plan->input[i] = mono[i] * plan->window[i];
    }
    plan->fft.transform(plan->input.data(), plan->output.data());
    // A sine of amplitude 1 centred on a bin gives |X| = N / 4 under the Hann window.
    const float scale = 4.0f / kSpectrumWindow;
    for (int32_t i = 0; i < kSpectrumValues; ++i) {
        const std::complex<float> bin = plan->output[static_cast<size_t>(i)];
        values[i] = std::sqrt(bin.real() * bin.real() + bin.imag() * bin.imag()) * scale;
    }
    return values;
}

SpectrumValues SpectrumAnalyser::analyseTrack(const DecodedTrack& track, int64_t end) {
    std::array<float, kSpectrumWindow> mono = {};
    const int64_t first = end - kSpectrumWindow;
    for (int32_t i = 0; i < kSpectrumWindow; ++i) {
        mono[i] = track.mono(first + i);
    }
    return analyse(mono);
}
