#pragma once
// Pictures while they are painted: a Raster holds float RGBA with straight (not premultiplied)
// alpha, a Mask one float per pixel (coverage or intensity). Values are display values, nominally
// 0..1; additive light may overshoot and is clipped only when converted to a Pixmap, which
// rounds the same way everywhere. Row 0 is the top row; pixel (x, y) covers [x, x+1) x [y, y+1).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/generator/pixmap.h"

struct Color {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};

Color operator+(Color left, Color right);
Color operator-(Color left, Color right);
Color operator*(Color color, float scale);
// Component by component.
Color operator*(Color left, Color right);
Color mix(Color from, Color to, float t);
// An opaque colour from 0xRRGGBB.
constexpr Color hexColor(uint32_t rgb) {
    return {static_cast<float>((rgb >> 16) & 0xffu) / 255.0f,
            static_cast<float>((rgb >> 8) & 0xffu) / 255.0f,
            static_cast<float>(rgb & 0xffu) / 255.0f, 1.0f};
}
// The same colour with alpha `alpha`.
Color withAlpha(Color color, float alpha);
// Straight-alpha "source over destination".
Color over(Color destination, Color source);

template <typename T>
struct Grid {
    Grid() = default;
    Grid(int32_t width, int32_t height, T fill = T{})
        : width(width), height(height), cells(static_cast<size_t>(width) * height, fill) {}

    T& at(int32_t x, int32_t y) { return cells[static_cast<size_t>(y) * width + x]; }
    const T& at(int32_t x, int32_t y) const { return cells[static_cast<size_t>(y) * width + x]; }
    // The cell at (x, y) taken modulo the size, for pictures that tile.
    const T& wrapped(int32_t x, int32_t y) const { return at(wrap(x, width), wrap(y, height)); }
    // The nearest cell inside the grid.
    const T& clamped(int32_t x, int32_t y) const { return at(clamp(x, width), clamp(y, height)); }

    static int32_t wrap(int32_t i, int32_t size) { return ((i % size) + size) % size; }
    static int32_t clamp(int32_t i, int32_t size) { return i < 0 ? 0 : (i >= size ? size - 1 : i); }

    int32_t width = 0;   // pixels
    int32_t height = 0;  // pixels
    std::vector<T> cells;
};

using Raster = Grid<Color>;
using Mask = Grid<float>;

// target = color over target, with the colour's alpha scaled by the mask. Same sizes.
void paintOver(Raster& target, const Mask& mask, Color color);
// target.rgb += color.rgb * color.a * mask; alpha unchanged. Same sizes.
void paintAdd(Raster& target, const Mask& mask, Color color);
// target = source over target, pixel by pixel. Same sizes.
void compositeOver(Raster& target, const Raster& source);
// target.rgb += source.rgb * source.a; alpha unchanged. Same sizes.
void compositeAdd(Raster& target, const Raster& source);
// mask = max(mask, other), pixel by pixel, with `other` placed at (x, y) and clipped.
void maxInto(Mask& target, const Mask& other, int32_t x, int32_t y);

// Rounds each channel to 0..255 as floor(clamp01(v) * 255 + 0.5 + d). With dithering, d is a
// fixed hash of the pixel and channel in [-0.5, 0.5), which breaks gradients' banding and
// still leaves 0 and 1 exact; without, d = 0. 1 channel keeps red, 3 drop alpha.
enum class Dither { None, Hashed };
Pixmap toPixmap(const Raster& raster, int32_t channels, Dither dither);
// One channel as above, with d = offset.
uint8_t toByte(float value, float offset);
