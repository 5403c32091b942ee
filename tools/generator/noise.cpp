#include "tools/generator/noise.h"

#include <cmath>

namespace {

uint32_t mix32(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

int32_t wrapLattice(int64_t i, int32_t period) {
    if (period <= 0) {
        return static_cast<int32_t>(i);
    }
    return static_cast<int32_t>(((i % period) + period) % period);
}

double quintic(double t) {
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

}  // namespace

uint32_t hashCell(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = mix32(seed ^ 0x9e3779b9u);
    h = mix32(h ^ static_cast<uint32_t>(x));
    h = mix32(h ^ static_cast<uint32_t>(y) * 0x85ebca6bu);
    return h;
}

float hashUnit(int32_t x, int32_t y, uint32_t seed) {
    // 24 bits fit a float's mantissa exactly.
    return static_cast<float>(hashCell(x, y, seed) >> 8) * (1.0f / 16777216.0f);
}

float valueNoise(double x, double y, int32_t periodX, int32_t periodY, uint32_t seed) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int64_t ix = static_cast<int64_t>(fx);
    const int64_t iy = static_cast<int64_t>(fy);
    const int32_t x0 = wrapLattice(ix, periodX);
    const int32_t x1 = wrapLattice(ix + 1, periodX);
    const int32_t y0 = wrapLattice(iy, periodY);
    const int32_t y1 = wrapLattice(iy + 1, periodY);
    const double tx = quintic(x - fx);
    const double ty = quintic(y - fy);
    const double top =
        hashUnit(x0, y0, seed) + (hashUnit(x1, y0, seed) - hashUnit(x0, y0, seed)) * tx;
    const double bottom =
        hashUnit(x0, y1, seed) + (hashUnit(x1, y1, seed) - hashUnit(x0, y1, seed)) * tx;
    return static_cast<float>(top + (bottom - top) * ty);
}

float fractalNoise(double x, double y, int32_t periodX, int32_t periodY, int32_t octaves,
                   uint32_t seed) {
    double sum = 0.0;
    double weight = 0.0;
    double amplitude = 1.0;
    double scale = 1.0;
    for (int32_t octave = 0; octave < octaves; ++octave) {
        const int32_t px = periodX > 0 ? periodX << octave : 0;
        const int32_t py = periodY > 0 ? periodY << octave : 0;
        sum += amplitude * valueNoise(x * scale, y * scale, px, py,
                                      seed + static_cast<uint32_t>(octave) * 0x632be5abu);
        weight += amplitude;
        amplitude *= 0.5;
        scale *= 2.0;
    }
    return weight > 0.0 ? static_cast<float>(sum / weight) : 0.0f;
}
