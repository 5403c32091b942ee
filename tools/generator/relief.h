#pragma once
// Small helpers the laboratory's painters share to model surfaces in relief: pixel centres,
// distances to a repeating grid, and the shadowing of low ground by higher ground around it.

#include <cstdint>

#include "tools/generator/blur.h"
#include "tools/generator/raster.h"

// The centre of pixel i, in pixels.
float centre(int32_t i);

// Distance in pixels from `p` to the nearest whole multiple of `period`.
float gridDistance(float p, float period);

// 1 on open surface, less where the neighbourhood (a blur of `sigma` pixels, wrapping across,
// with `edgeY` up and down) stands higher.
Mask occlusion(const Mask& height, float sigma, float gain, Edge edgeY);
