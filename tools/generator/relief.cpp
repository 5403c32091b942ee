#include "tools/generator/relief.h"

#include <cmath>

#include "tools/generator/portable_math.h"

float centre(int32_t i) {
    return static_cast<float>(i) + 0.5f;
}

float gridDistance(float p, float period) {
    const float m = p - period * std::floor(p / period);
    return std::fmin(m, period - m);
}

Mask occlusion(const Mask& height, float sigma, float gain, Edge edgeY) {
    const Mask around = gaussianBlur(height, sigma, Edge::Wrap, edgeY);
    Mask open(height.width, height.height);
    for (size_t i = 0; i < open.cells.size(); ++i) {
        open.cells[i] = clamp01(1.0f - gain * std::fmax(0.0f, around.cells[i] - height.cells[i]));
    }
    return open;
}
