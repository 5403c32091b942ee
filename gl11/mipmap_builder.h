#pragma once
// The mipmap chain gluBuild2DMipmaps gives an 8-bit RGB or RGBA texture, built on the CPU for the
// layer that gives OpenGL 1.1 on OpenGL ES 3.0, where there is no GLU: the same level sizes and
// the same bytes in each, GLU's filters and rounding included, so that a texture samples as it
// does on the desktop. Pixels are read and written as GL unpacks them with an alignment of 1:
// rows bottom-up as given, tightly packed.

#include <cstdint>
#include <vector>

struct MipLevel {
    int32_t width;
    int32_t height;
    std::vector<uint8_t> pixels;  // width * height texels, rows bottom-up, tightly packed
};

// Level 0 is the image rescaled to the nearest power of two on each side (the larger where a
// side lies exactly between two: 3 -> 4, 5 -> 4, 6 -> 8), both sides halved further while either
// is longer than largestSide (the GL's largest texture), and each level after it halves the one
// before down to 1x1. Empty for components other than 3 or 4, a size or largestSide below 1, or
// no pixels; `pixels` holds width * height * components bytes.
std::vector<MipLevel> buildMipmaps(int32_t components, int32_t width, int32_t height,
                                   const uint8_t* pixels, int32_t largestSide);
