#include "base/kernel_profile.h"

#include <chrono>

namespace {

bool profiling = false;
std::array<int64_t, kKernelCount> totals = {};  // nanoseconds

int64_t nowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

const char* kernelName(Kernel kernel) {
    switch (kernel) {
        case Kernel::Deformers:
            return "deformers";
        case Kernel::Sampling:
            return "sampling";
        case Kernel::Metaballs:
            return "metaballs";
        case Kernel::Morph:
            return "morph";
    }
    return "?";
}

void setKernelProfiling(bool on) {
    profiling = on;
    totals = {};
}

std::array<double, kKernelCount> takeKernelMilliseconds() {
    std::array<double, kKernelCount> milliseconds = {};
    for (size_t i = 0; i < kKernelCount; ++i) {
        milliseconds[i] = static_cast<double>(totals[i]) / 1.0e6;
    }
    totals = {};
    return milliseconds;
}

KernelScope::KernelScope(Kernel kernel)
    : kernel(kernel), startNanoseconds(profiling ? nowNanoseconds() : -1) {}

KernelScope::~KernelScope() {
    if (startNanoseconds >= 0) {
        totals[static_cast<size_t>(kernel)] += nowNanoseconds() - startNanoseconds;
    }
}
