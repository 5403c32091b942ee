// This build's PNG::load decodes with stb_image (CMake's ZENTROX_PNG=stb), as the web build
// must: it has no libpng.

#include "resources/png_decoding.h"
#include "resources/png_stb.h"

bool decodePng(const uint8_t* file, size_t size, Image& image) {
    return decodePngWithStb(file, size, image);
}
