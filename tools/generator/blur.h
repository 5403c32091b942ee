#pragma once
// Separable blurs of Masks and Rasters (all four channels alike). Each axis says what lies past
// the picture's border: Wrap repeats the picture (tiling textures stay seamless and keep their
// total brightness exactly), Clamp repeats the border pixel, Zero is empty. Radii and sigmas are
// in pixels. Results depend only on the inputs: fixed summation order, no threads.

#include <cstdint>

#include "tools/generator/raster.h"

enum class Edge { Wrap, Clamp, Zero };

// Mean over a (2 * radius + 1)-pixel square.
Mask boxBlur(const Mask& mask, int32_t radius, Edge edgeX, Edge edgeY);
Raster boxBlur(const Raster& raster, int32_t radius, Edge edgeX, Edge edgeY);

// Gaussian of standard deviation `sigma`, kernel cut at 3 sigma and normalised to sum 1.
Mask gaussianBlur(const Mask& mask, float sigma, Edge edgeX, Edge edgeY);
Raster gaussianBlur(const Raster& raster, float sigma, Edge edgeX, Edge edgeY);

// Glow: target.rgb += color.rgb * color.a * gaussianBlur(shape).
void addGlow(Raster& target, const Mask& shape, Color color, float sigma, Edge edgeX, Edge edgeY);
