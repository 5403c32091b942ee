#pragma once
// The finale's metaballs (render/metaballs.h): 24 cells a side spanning the unit cube, surface
// at field 32, four balls of strength 0.5, 0.4, -0.3 and -0.2 wobbling on Lissajous paths
// round one box of strength 1.2 at the cube's centre. Grid units throughout.

#include <cstdint>

#include "render/metaballs.h"

constexpr uint32_t kSoftfaceCellsPerAxis = 24;
constexpr float kSoftfaceCellSize = 0.041666668f;  // 1 / 24
constexpr float kSoftfaceIso = 32.0f;

// Sizes and fills a Metaballs with the finale's grid and sources, the balls at time 0.
void configureSoftfaceMetaballs(Metaballs& metaballs);
// Moves the finale's four balls to where they are at time t, seconds, on their paths about the
// cube's centre.
void placeSoftfaceBalls(Metaballs& metaballs, float t);
