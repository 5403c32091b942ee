#pragma once
// Painting primitives over Rasters and Masks: colour ramps along linear and radial gradients,
// and antialiased shapes drawn as coverage (1 inside, 0 outside, a one-pixel ramp on the
// edge). Coordinates are in pixels with (0, 0) the top-left corner of the top-left pixel, so
// pixel (x, y) is sampled at its centre (x + 0.5, y + 0.5).

#include <cstdint>
#include <span>

#include "tools/generator/raster.h"

struct GradientStop {
    float at;  // position along the ramp, 0..1, stops in increasing order
    Color color;
};

// The colour at `t` between the surrounding stops; the end colours hold beyond the ends.
Color sampleGradient(std::span<const GradientStop> stops, float t);

// t = 0 at (x0, y0) rising to 1 at (x1, y1), measured along the line between them.
Mask linearRamp(int32_t width, int32_t height, float x0, float y0, float x1, float y1);
// t = 0 at (cx, cy) rising to 1 on the ellipse of radii (rx, ry) and beyond.
Mask radialRamp(int32_t width, int32_t height, float cx, float cy, float rx, float ry);
// Every pixel set to the gradient's colour at the ramp's value there, opaque or not as the stops.
void fillGradient(Raster& target, const Mask& ramp, std::span<const GradientStop> stops);

// Coverage of a disc, kept as the max with what the mask holds.
void drawDisc(Mask& mask, float cx, float cy, float radius);
// Coverage of the box [x0, x1] x [y0, y1] with corners rounded by `cornerRadius`.
void drawRoundedBox(Mask& mask, float x0, float y0, float x1, float y1, float cornerRadius);
// Signed distance from (px, py) to that rounded box: negative inside, in pixels.
float roundedBoxDistance(float px, float py, float x0, float y0, float x1, float y1,
                         float cornerRadius);

// Coverage scaled by `gain` then clipped to 0..1: a soft mask made hard, a faint one brighter.
void scaleMask(Mask& mask, float gain);
