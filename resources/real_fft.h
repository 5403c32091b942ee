#pragma once
// The forward FFT of real samples that the spectrum takes: kiss_fft's real transform, from its
// C library where the platform has one, or from its header-only C++ template where none is
// built (a browser's). The two agree to within a few units in the last place.

#include <complex>
#include <cstdint>
#include <memory>

class RealFft {
public:
    explicit RealFft(int32_t size);  // an even number of samples
    ~RealFft();
    RealFft(const RealFft&) = delete;
    RealFft& operator=(const RealFft&) = delete;

    // `size` samples in, size / 2 + 1 bins out, unscaled.
    void transform(const float* samples, std::complex<float>* bins);

private:
    struct Plan;
    std::unique_ptr<Plan> plan;
};
