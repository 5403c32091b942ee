#include "tools/generator/raster.h"

#include <cmath>

#include "tools/generator/noise.h"
#include "tools/generator/portable_math.h"

Color operator+(Color left, Color right) {
    return {left.r + right.r, left.g + right.g, left.b + right.b, left.a + right.a};
}

Color operator-(Color left, Color right) {
    return {left.r - right.r, left.g - right.g, left.b - right.b, left.a - right.a};
}

Color operator*(Color color, float scale) {
    return {color.r * scale, color.g * scale, color.b * scale, color.a * scale};
}

Color operator*(Color left, Color right) {
    return {left.r * right.r, left.g * right.g, left.b * right.b, left.a * right.a};
}

Color mix(Color from, Color to, float t) {
    return from + (to - from) * t;
}

Color withAlpha(Color color, float alpha) {
    color.a = alpha;
    return color;
}

Color over(Color destination, Color source) {
    const float sa = clamp01(source.a);
    const float da = clamp01(destination.a);
    const float outA = sa + da * (1.0f - sa);
    if (outA <= 0.0f) {
        // Fully transparent: keep the source colour so filtering does not pull in black.
        return withAlpha(source, 0.0f);
    }
    const float keep = da * (1.0f - sa);
    return {(source.r * sa + destination.r * keep) / outA,
            (source.g * sa + destination.g * keep) / outA,
            (source.b * sa + destination.b * keep) / outA, outA};
}

void paintOver(Raster& target, const Mask& mask, Color color) {
    for (size_t i = 0; i < target.cells.size(); ++i) {
        const float alpha = color.a * mask.cells[i];
        if (alpha > 0.0f) {
            target.cells[i] = over(target.cells[i], withAlpha(color, alpha));
        }
    }
}

void paintAdd(Raster& target, const Mask& mask, Color color) {
    const Color light = withAlpha(color * color.a, 0.0f);
    for (size_t i = 0; i < target.cells.size(); ++i) {
        target.cells[i] = target.cells[i] + light * mask.cells[i];
    }
}

void compositeOver(Raster& target, const Raster& source) {
    for (size_t i = 0; i < target.cells.size(); ++i) {
        target.cells[i] = over(target.cells[i], source.cells[i]);
    }
}

void compositeAdd(Raster& target, const Raster& source) {
    for (size_t i = 0; i < target.cells.size(); ++i) {
        const Color& s = source.cells[i];
        target.cells[i] = target.cells[i] + Color{s.r * s.a, s.g * s.a, s.b * s.a, 0.0f};
    }
}

void maxInto(Mask& target, const Mask& other, int32_t x, int32_t y) {
    for (int32_t row = 0; row < other.height; ++row) {
        const int32_t ty = y + row;
        if (ty < 0 || ty >= target.height) {
            continue;
        }
        for (int32_t column = 0; column < other.width; ++column) {
            const int32_t tx = x + column;
            if (tx >= 0 && tx < target.width) {
                float& cell = target.at(tx, ty);
                cell = std::fmax(cell, other.at(column, row));
            }
        }
    }
}

uint8_t toByte(float value, float offset) {
    const float scaled = clamp01(value) * 255.0f + 0.5f + offset;
    if (!(scaled > 0.0f)) {
        return 0;
    }
    return scaled >= 255.0f ? 255 : static_cast<uint8_t>(scaled);
}

Pixmap toPixmap(const Raster& raster, int32_t channels, Dither dither) {
    Pixmap pixmap{raster.width, raster.height, channels, {}};
    pixmap.bytes.resize(static_cast<size_t>(raster.width) * raster.height * channels);
    for (int32_t y = 0; y < raster.height; ++y) {
        for (int32_t x = 0; x < raster.width; ++x) {
            const Color& c = raster.at(x, y);
            const float values[4] = {c.r, c.g, c.b, c.a};
            for (int32_t channel = 0; channel < channels; ++channel) {
                const float offset =
                    dither == Dither::Hashed
                        ? hashUnit(x, y, 0x5eedu + static_cast<uint32_t>(channel)) - 0.5f
                        : 0.0f;
                pixmap.at(x, y, channel) = toByte(values[channel], offset);
            }
        }
    }
    return pixmap;
}
