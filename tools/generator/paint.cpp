#include "tools/generator/paint.h"

#include <algorithm>
#include <cmath>

#include "tools/generator/portable_math.h"

Color sampleGradient(std::span<const GradientStop> stops, float t) {
    if (stops.empty()) {
        return {};
    }
    if (t <= stops.front().at) {
        return stops.front().color;
    }
    for (size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].at) {
            const GradientStop& from = stops[i - 1];
            const float span = stops[i].at - from.at;
            return span > 0.0f ? mix(from.color, stops[i].color, (t - from.at) / span)
                               : stops[i].color;
        }
    }
    return stops.back().color;
}

Mask linearRamp(int32_t width, int32_t height, float x0, float y0, float x1, float y1) {
    Mask ramp(width, height);
    const float dx = x1 - x0;
    const float dy = y1 - y0;
    const float lengthSquared = dx * dx + dy * dy;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const float along =
                (static_cast<float>(x) + 0.5f - x0) * dx + (static_cast<float>(y) + 0.5f - y0) * dy;
            ramp.at(x, y) = lengthSquared > 0.0f ? clamp01(along / lengthSquared) : 0.0f;
        }
    }
    return ramp;
}

Mask radialRamp(int32_t width, int32_t height, float cx, float cy, float rx, float ry) {
    Mask ramp(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const float u = (static_cast<float>(x) + 0.5f - cx) / rx;
            const float v = (static_cast<float>(y) + 0.5f - cy) / ry;
            ramp.at(x, y) = clamp01(std::sqrt(u * u + v * v));
        }
    }
    return ramp;
}

void fillGradient(Raster& target, const Mask& ramp, std::span<const GradientStop> stops) {
    for (size_t i = 0; i < target.cells.size(); ++i) {
        target.cells[i] = sampleGradient(stops, ramp.cells[i]);
    }
}

void drawDisc(Mask& mask, float cx, float cy, float radius) {
    drawRoundedBox(mask, cx - radius, cy - radius, cx + radius, cy + radius, radius);
}

float roundedBoxDistance(float px, float py, float x0, float y0, float x1, float y1,
                         float cornerRadius) {
    const float halfWidth = 0.5f * (x1 - x0) - cornerRadius;
    const float halfHeight = 0.5f * (y1 - y0) - cornerRadius;
    const float qx = std::fabs(px - 0.5f * (x0 + x1)) - halfWidth;
    const float qy = std::fabs(py - 0.5f * (y0 + y1)) - halfHeight;
    const float outsideX = std::fmax(qx, 0.0f);
    const float outsideY = std::fmax(qy, 0.0f);
    const float outside = std::sqrt(outsideX * outsideX + outsideY * outsideY);
    return outside + std::fmin(std::fmax(qx, qy), 0.0f) - cornerRadius;
}

void drawRoundedBox(Mask& mask, float x0, float y0, float x1, float y1, float cornerRadius) {
    const int32_t left = std::max(0, static_cast<int32_t>(std::floor(x0)) - 1);
    const int32_t top = std::max(0, static_cast<int32_t>(std::floor(y0)) - 1);
    const int32_t right = std::min(mask.width - 1, static_cast<int32_t>(std::ceil(x1)) + 1);
    const int32_t bottom = std::min(mask.height - 1, static_cast<int32_t>(std::ceil(y1)) + 1);
    for (int32_t y = top; y <= bottom; ++y) {
        for (int32_t x = left; x <= right; ++x) {
            const float distance =
                roundedBoxDistance(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f, x0,
                                   y0, x1, y1, cornerRadius);
            float& cell = mask.at(x, y);
            cell = std::fmax(cell, clamp01(0.5f - distance));
        }
    }
}

void scaleMask(Mask& mask, float gain) {
    for (float& cell : mask.cells) {
        cell = clamp01(cell * gain);
    }
}
