#include "resources/spectrum_analyser.h"

#include <kiss_fftr.h>

#include <cmath>
#include <vector>

#include "resources/mp3_track.h"

struct SpectrumAnalyser::Plan {
    kiss_fftr_cfg fft = nullptr;
    std::array<float, kSpectrumWindow> window = {};
    std::array<float, kSpectrumWindow> input = {};
    std::vector<kiss_fft_cpx> output = std::vector<kiss_fft_cpx>(kSpectrumWindow / 2 + 1);
};

SpectrumAnalyser::SpectrumAnalyser() : plan(std::make_unique<Plan>()) {
    plan->fft = kiss_fftr_alloc(kSpectrumWindow, 0, nullptr, nullptr);
    for (int32_t i = 0; i < kSpectrumWindow; ++i) {
        const double phase = 2.0 * M_PI * i / kSpectrumWindow;
        plan->window[i] = static_cast<float>(0.5 - 0.5 * std::cos(phase));
    }
}

SpectrumAnalyser::~SpectrumAnalyser() {
    kiss_fftr_free(plan->fft);
}

SpectrumValues SpectrumAnalyser::analyse(const std::array<float, kSpectrumWindow>& mono) {
    SpectrumValues values = {};
    if (plan->fft == nullptr) {
        return values;
    }
    for (int32_t i = 0; i < kSpectrumWindow; ++i) {
        plan->input[i] = mono[i] * plan->window[i];
    }
    kiss_fftr(plan->fft, plan->input.data(), plan->output.data());
    // A sine of amplitude 1 centred on a bin gives |X| = N / 4 under the Hann window.
    const float scale = 4.0f / kSpectrumWindow;
    for (int32_t i = 0; i < kSpectrumValues; ++i) {
        const kiss_fft_cpx bin = plan->output[static_cast<size_t>(i)];
        values[i] = std::sqrt(bin.r * bin.r + bin.i * bin.i) * scale;
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
