// This build's PNG::load decodes with libpng (CMake's ZENTROX_PNG=libpng).

#include "resources/png_decoding.h"
#include "resources/png_libpng.h"

bool decodePng(const uint8_t* file, size_t size, Image& image) {
    return decodePngWithLibpng(file, size, image);
}
