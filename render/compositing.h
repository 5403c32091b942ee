#pragma once
// Screen-space drawing of whole textures over the current viewport. Every routine sets its own
// orthographic box (origin top-left, y down) and leaves the projection set to it; all other GL
// state it changes is saved and restored with glPushAttrib(GL_ALL_ATTRIB_BITS), so the caller's
// blending, depth test, colour and texture binding survive. The texture environment is left at
// GL_MODULATE: the current colour scales the texture, and its alpha scales the texture's alpha.
// Below, dst is the framebuffer colour, tex the texture's.

#include <array>
#include <cstdint>

class Texture;

// The dissolve's grid of tiles over the screen.
constexpr int32_t kDissolveColumns = 16;
constexpr int32_t kDissolveRows = 12;
constexpr int32_t kDissolveTiles = kDissolveColumns * kDissolveRows;

// The texture over the whole viewport; blending and colour are the caller's. The texture's
// top row (t = 1) lands at the top, as a frame copied from the framebuffer is stored.
void drawFullScreenQuad(const Texture& texture);

// As drawFullScreenQuad, showing only the central 1/zoom of the texture in each direction,
// enlarged about its centre: zoom 1 is the plain quad, 2 the central half. zoom must be > 0.
void drawZoomedQuad(float zoom, const Texture& texture);

// The texture plainly (caller's blending and colour), then `layers` copies zoomed by
// 1 + i * amount / layers, i = 0..layers-1, added: dst += tex_zoomed / layers for each.
// With amount 0 the picture doubles in brightness.
void radialBlur(float amount, int32_t layers, const Texture& texture);

// A white flash over the viewport, durations in seconds: dst += peak * sin(pi * elapsed /
// duration), brightest at half the duration. Keeps the matrix of the stack that is current
// at the call (the model-view one, by convention).
void flash(float duration, float elapsed, float peak);

// The texture by its own alpha, whatever the current colour: dst = a * tex + (1 - a) * dst.
void drawOverlay(const Texture& texture);

// The texture scaled by intensity i. Mode 0: dst = i^2 * tex + (1 - i) * dst (the colour
// scales both the texture and its alpha); mode 1: dst += i * tex; any other mode uses the
// caller's blend function. Leaves the texture's wrap set to GL_REPEAT.
void blendOverlay(int32_t mode, float intensity, const Texture& texture);

// The texture over the left half of the viewport only, dst += intensity * tex, read from
// t = scroll at the bottom to scroll + 1 at the top (in texture heights): the picture moves
// down as scroll grows, 0.5 swaps its halves. Leaves the projection at a box 2 wide and 1
// high, and the texture's wrap set to GL_REPEAT.
void scrollOverlayLeft(float scroll, float intensity, const Texture& texture);

// from at opacity 1 - x, then to at opacity x, each alpha blended over what is there:
// dst = x * to + (1 - x) * ((1 - x) * from + x * dst), so x = 0.5 gives 1/4 from, 1/2 to and
// 1/4 of the old picture. x is not clamped.
void crossFade(float x, const Texture& from, const Texture& to);

// The dissolve's vanishing order: tile indices, row by row from the top-left.
using DissolveOrder = std::array<int32_t, kDissolveTiles>;

// Every tile in its place: 0, 1, 2, ...
DissolveOrder identityDissolveOrder();
// A vanishing order from the random generator: the identity shuffled.
DissolveOrder drawDissolveOrder();

// to underneath; from on top in a 16 x 12 grid of tiles that vanish one by one in `order`:
// count = (int)(x * 191 + 0.5) tiles gone, the next one at half opacity, the rest opaque.
// Leaves the projection at a box of 16 x 12 tiles.
void tileDissolve(float x, const Texture& from, const Texture& to, const DissolveOrder& order);

// Random permutation in place: count swaps of two randomly drawn indices.
void shuffleIndices(int32_t* values, int32_t count);

// A random index in 0..count-1 drawn as r / 32767 scaled, with r never 0.
int32_t randomIndex(int32_t count);
