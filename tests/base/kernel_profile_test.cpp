#include "base/kernel_profile.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

void spinFor(std::chrono::microseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
    }
}

TEST(KernelProfile, CountsOnlyWhileSwitchedOnAndResetsWhenTaken) {
    setKernelProfiling(false);
    {
        const KernelScope scope(Kernel::Metaballs);
        spinFor(std::chrono::microseconds(200));
    }
    EXPECT_EQ(takeKernelMilliseconds()[static_cast<size_t>(Kernel::Metaballs)], 0.0);

    setKernelProfiling(true);
    {
        const KernelScope scope(Kernel::Metaballs);
        spinFor(std::chrono::microseconds(200));
    }
    const std::array<double, kKernelCount> first = takeKernelMilliseconds();
    EXPECT_GE(first[static_cast<size_t>(Kernel::Metaballs)], 0.2);
    EXPECT_EQ(first[static_cast<size_t>(Kernel::Deformers)], 0.0);
    EXPECT_EQ(takeKernelMilliseconds()[static_cast<size_t>(Kernel::Metaballs)], 0.0);
    setKernelProfiling(false);
}

TEST(KernelProfile, NamesEveryKernel) {
    EXPECT_STREQ(kernelName(Kernel::Deformers), "deformers");
    EXPECT_STREQ(kernelName(Kernel::Sampling), "sampling");
    EXPECT_STREQ(kernelName(Kernel::Metaballs), "metaballs");
    EXPECT_STREQ(kernelName(Kernel::Morph), "morph");
}

}  // namespace
