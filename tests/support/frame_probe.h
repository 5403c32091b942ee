#pragma once
// Reading whole 800x600 demo frames in tests: mean colours of small areas, and how far apart two
// colours are.

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "render/framebuffer.h"

using Frame = std::vector<uint8_t>;  // 800x600 RGB, top row first
using Colour = std::array<double, 3>;

// Mean colour of the square of side 2 radius + 1 around (x, y), y from the top.
inline Colour areaMean(const Frame& frame, int32_t x, int32_t y, int32_t radius) {
    Colour sum = {};
    int32_t count = 0;
    for (int32_t row = y - radius; row <= y + radius; ++row) {
        for (int32_t column = x - radius; column <= x + radius; ++column) {
            const size_t at = (static_cast<size_t>(row) * kPictureWidth + column) * 3;
            for (size_t c = 0; c < 3; ++c) {
                sum[c] += frame[at + c];
            }
            ++count;
        }
    }
    for (double& value : sum) {
        value /= count;
    }
    return sum;
}

// Sum of the channels' absolute differences.
inline double distance(const Colour& a, const Colour& b) {
    return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
}
