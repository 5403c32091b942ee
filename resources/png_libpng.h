#pragma once
// PNG decoding with libpng, into an Image as resources/png.h describes it: palette, low-bit grey
// and tRNS expanded, 16-bit samples reduced to 8, grey with alpha refused, gamma
// corrected to the display unless the file is sRGB, row 0 the bottom. The file is `size` bytes
// in memory; nothing past them is read and nothing past the pixel buffer written.

#include <cstddef>
#include <cstdint>

class Image;

// False for a refused or corrupt file, which leaves the image empty.
bool decodePngWithLibpng(const uint8_t* file, size_t size, Image& image);
