#pragma once
// PNG decoding with stb_image, for platforms without libpng (the web): the same Image as
// decodePngWithLibpng, byte for byte, wherever libpng accepts the file. stb_image knows neither
// gamma nor libpng's way with misplaced or damaged chunks, so the file's chunks are read first
// (resources/png_chunks.h) and stb_image is handed only what libpng would use.

#include <cstddef>
#include <cstdint>

class Image;

// False for a refused, corrupt or unreadable file, which leaves the image empty.
bool decodePngWithStb(const uint8_t* file, size_t size, Image& image);
