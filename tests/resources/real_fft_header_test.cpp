// The FFT a browser build takes (kiss_fft's header-only template) against kiss_fft's C library,
// which every other build takes: the same bins in the same places, to float rounding. Built as
// a program of its own, since both sources define RealFft.
#include <gtest/gtest.h>
#include <kiss_fftr.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

#include "resources/real_fft.h"

namespace {

constexpr int32_t kSize = 1024;

std::vector<std::complex<float>> libraryBins(const std::vector<float>& samples) {
    kiss_fftr_cfg config = kiss_fftr_alloc(kSize, 0, nullptr, nullptr);
    std::vector<kiss_fft_cpx> bins(kSize / 2 + 1);
    kiss_fftr(config, samples.data(), bins.data());
    kiss_fftr_free(config);
    std::vector<std::complex<float>> result;
    for (const kiss_fft_cpx bin : bins) {
        result.emplace_back(bin.r, bin.i);
    }
    return result;
}

std::vector<std::complex<float>> headerBins(const std::vector<float>& samples) {
    RealFft fft(kSize);
    std::vector<std::complex<float>> bins(kSize / 2 + 1);
    fft.transform(samples.data(), bins.data());
    return bins;
}

void expectSameBins(const std::vector<float>& samples) {
    const std::vector<std::complex<float>> expected = libraryBins(samples);
    const std::vector<std::complex<float>> got = headerBins(samples);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(got[i].real(), expected[i].real(), 1e-3f) << "bin " << i;
        EXPECT_NEAR(got[i].imag(), expected[i].imag(), 1e-3f) << "bin " << i;
    }
}

TEST(RealFftHeader, GivesTheLibrarysBinsForNoise) {
    std::mt19937 generator(7);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    for (int trial = 0; trial < 20; ++trial) {
        std::vector<float> samples(kSize);
        for (float& value : samples) {
            value = sample(generator);
        }
        expectSameBins(samples);
    }
}

// The template packs the Nyquist bin into bin 0; the spectrum reads each in its own place.
TEST(RealFftHeader, KeepsTheConstantAndTheNyquistBinsApart) {
    std::vector<float> alternating(kSize);
    for (int32_t i = 0; i < kSize; ++i) {
        alternating[static_cast<size_t>(i)] = 0.25f + (i % 2 == 0 ? 1.0f : -1.0f);
    }
    const std::vector<std::complex<float>> bins = headerBins(alternating);
    EXPECT_NEAR(bins[0].real(), 0.25f * kSize, 1e-2f);
    EXPECT_NEAR(bins[0].imag(), 0.0f, 1e-3f);
    EXPECT_NEAR(bins[kSize / 2].real(), kSize, 1e-2f);
    EXPECT_NEAR(std::abs(bins[1]), 0.0f, 1e-2f);
    expectSameBins(alternating);
}

}  // namespace
