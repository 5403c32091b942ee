#include <kissfft/kissfft.hh>

#include "resources/real_fft.h"

struct RealFft::Plan {
    explicit Plan(int32_t size) : half(static_cast<size_t>(size / 2)), fft(half, false) {}

    size_t half;
    kissfft<float> fft;  // a complex transform of half the length, as the real one is made
};

RealFft::RealFft(int32_t size) : plan(std::make_unique<Plan>(size)) {}

RealFft::~RealFft() = default;

void RealFft::transform(const float* samples, std::complex<float>* bins) {
    plan->fft.transform_real(samples, bins);
    // NOTE: the template packs the real Nyquist bin into bin 0's imaginary part and leaves bin
    // size / 2 alone; the library, and the spectrum, keep each bin in its own place.
    const float nyquist = bins[0].imag();
    bins[0] = {bins[0].real(), 0.0f};
    bins[plan->half] = {nyquist, 0.0f};
}
