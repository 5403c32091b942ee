#include <kiss_fftr.h>

#include <vector>

#include "resources/real_fft.h"

struct RealFft::Plan {
    kiss_fftr_cfg config = nullptr;
    std::vector<kiss_fft_cpx> bins;
};

RealFft::RealFft(int32_t size) : plan(std::make_unique<Plan>()) {
    plan->config = kiss_fftr_alloc(size, 0, nullptr, nullptr);
    plan->bins.resize(static_cast<size_t>(size / 2 + 1));
}

RealFft::~RealFft() {
    kiss_fftr_free(plan->config);
}

void RealFft::transform(const float* samples, std::complex<float>* bins) {
    kiss_fftr(plan->config, samples, plan->bins.data());
    for (size_t i = 0; i < plan->bins.size(); ++i) {
        bins[i] = {plan->bins[i].r, plan->bins[i].i};
    }
}
