#pragma once
// The render state every pass step of a frame starts from: what the demo sets at start-up,
// and OpenGL's initial values for everything else a picture can depend on (enables, current
// colour, normal and texture coordinates, bound texture, blending, depth, fog, light 0,
// material, texture environment and generation, rasterisation, matrices, client arrays).
// Setting it before each step means no picture depends on what an earlier step or frame left
// set. Touches only the state named above; the framebuffer binding, viewport and pixel
// storage are left alone.

// Needs a current context; no attribute or matrix is pushed.
void setBaseRenderState();
