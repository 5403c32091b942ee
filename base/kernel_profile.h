#pragma once
// Optional timing of the CPU kernels inside a frame, for the capture tool's profile mode. Off
// unless switched on; while off, a probe costs one test of a flag and reads no clock.

#include <array>
#include <cstddef>
#include <cstdint>

enum class Kernel : uint8_t { Deformers, Sampling, Metaballs, Morph };
constexpr size_t kKernelCount = 4;

// "deformers", "sampling", "metaballs", "morph".
const char* kernelName(Kernel kernel);

void setKernelProfiling(bool on);

// Milliseconds spent in each kernel since the last call, indexed by Kernel; resets them.
std::array<double, kKernelCount> takeKernelMilliseconds();

// Adds the time from its construction to its destruction to its kernel, when profiling.
// NOTE: scopes of one kernel must not nest, or their time counts twice.
class KernelScope {
public:
    explicit KernelScope(Kernel kernel);
    KernelScope(const KernelScope&) = delete;
    KernelScope& operator=(const KernelScope&) = delete;
    ~KernelScope();

private:
    Kernel kernel;
    int64_t startNanoseconds;  // -1 when not profiling
};
