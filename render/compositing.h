#pragma once
// Screen-space drawing of whole textures over the current viewport. Every routine sets its own
// orthographic box (origin top-left, y down) and leaves the projection set to it; all other GL
// state it changes is saved and restored with glPushAttrib(GL_ALL_ATTRIB_BITS).

#include <cstdint>

class Texture;

// The texture over the whole viewport; blending and colour are the caller's. The texture's
// top row (t = 1) lands at the top, as a frame copied from the framebuffer is stored.
void drawFullScreenQuad(const Texture& texture);

// from at opacity 1 - x, then to at opacity x (alpha blended); x is not clamped.
void crossFade(float x, const Texture& from, const Texture& to);

// to underneath; from on top in a 16 x 12 grid of tiles that vanish one by one in a random
// order fixed at the first call: count = (int)(x * 191 + 0.5) tiles gone, the next one at
// half opacity, the rest opaque.
void tileDissolve(float x, const Texture& from, const Texture& to);

// Random permutation in place: count swaps of two randomly drawn indices.
void shuffleIndices(int32_t* values, int32_t count);

// A random index in 0..count-1 drawn as r / 32767 scaled, with r never 0.
int32_t randomIndex(int32_t count);
