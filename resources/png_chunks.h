#pragma once
// A PNG file's chunks as libpng reads them: the header, the palette, the first usable tRNS,
// what libpng's png_get_sRGB and png_get_gAMA would report, and where the compressed rows lie.
// Misplaced, duplicated or damaged ancillary chunks are passed over as libpng passes over them;
// a file libpng stops on (bad signature, header or critical chunk, truncation) is refused.

#include <cstddef>
#include <cstdint>

struct PngChunks {
    uint32_t width = 0;   // pixels
    uint32_t height = 0;  // pixels
    uint8_t bitDepth = 0;
    uint8_t colourType = 0;
    bool interlaced = false;
    // The palette as libpng keeps it for a palette file: no more entries than the bit depth can
    // index. Points into the file; null for other colour types.
    const uint8_t* palette = nullptr;
    uint32_t paletteEntries = 0;
    // The tRNS chunk's data when libpng would expand it; null otherwise.
    const uint8_t* transparency = nullptr;
    uint32_t transparencyBytes = 0;
    // What png_get_sRGB says, and the gamma png_get_gAMA gives in units of 1 / 100000 (0 when
    // it gives none).
    bool srgb = false;
    uint32_t gamma = 0;
    // The chunks of the first run of IDAT chunks, whole (headers and CRCs included): the rows.
    size_t rowChunksBegin = 0;  // byte offsets into the file
    size_t rowChunksEnd = 0;
};

// False when libpng would refuse the file for its chunks alone.
bool readPngChunks(const uint8_t* file, size_t size, PngChunks& chunks);

// The CRC a chunk of this type and data carries.
uint32_t pngChunkCrc(const uint8_t type[4], const uint8_t* data, size_t size);

// The file's 8-byte signature.
extern const uint8_t kPngSignature[8];
