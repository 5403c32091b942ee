#pragma once
// Small arithmetic the demo shares between its layers.

#include <bit>
#include <cstdint>

// 1 / sqrt(s) by the bit-pattern estimate 0x5F3759DF and one Newton step; relative error below
// 0.2 % for positive normal s.
inline float fastInverseSquareRoot(float s) {
    const int32_t n = std::bit_cast<int32_t>(s);
    float y = std::bit_cast<float>(0x5F3759DF - (n >> 1));
    y = y * (1.5f - 0.5f * s * y * y);
    return y;
}
