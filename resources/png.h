#pragma once
// PNG decoding into an Image. Palette, low-bit grey and transparency chunks are expanded and
// 16-bit samples reduced to 8, so components is what the file really holds after expansion:
// 1 (grey), 2 (grey + tRNS alpha), 3 (RGB) or 4 (RGBA). Grey-with-alpha files are refused.
// Gamma is corrected to a 2.2 display unless the file is sRGB. Row 0 is the picture's bottom.
// libpng or stb_image decodes, as the build chose (resources/png_decoding.h): the same pictures.

#include "resources/image.h"

class PNG : public Image {
public:
    // False for a refused or corrupt file, which leaves the image empty. Never reads past the
    // stream's bytes nor writes past the pixel buffer.
    bool load(Stream& stream) override;
};
