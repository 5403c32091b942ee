#pragma once
// What the two PNG decoders share, so that they refuse and correct alike: the largest side and
// the deflate bound that keep a lying header from claiming memory, and the gammas pictures are
// corrected with. decodePng is the decoder this build's PNG::load calls: libpng's or
// stb_image's, as CMake's ZENTROX_PNG chooses (resources/png_decoder_<choice>.cpp).

#include <cstddef>
#include <cstdint>

class Image;

// NOTE: far above any picture of the data tree; a header claiming more is not believed, so a
// lying file cannot make us allocate gigabytes.
constexpr uint32_t kMaxPngSide = 16384;  // pixels

// Deflate's best ratio: a stored byte never stands for more than this many output bytes.
constexpr size_t kMaxDeflateRatio = 1032;

// A header whose raw rows (rowBytes each, as stored, before any expansion) could not be
// compressed into the whole file is lying; refusing it before the pixel buffer is allocated
// keeps a tiny file from claiming a gigabyte.
inline bool pngFileCanHold(size_t fileSize, size_t rowBytes, uint32_t height) {
    const size_t rawBytes = (rowBytes + 1) * height;  // each row starts with its filter byte
    return rawBytes / kMaxDeflateRatio <= fileSize;
}

// The display gamma the pictures were made for, a single-precision constant, and the file
// gamma assumed for a file with neither sRGB nor a usable gAMA chunk.
constexpr float kDisplayGamma = 2.2f;
constexpr double kDefaultFileGamma = 0.45455;

// The build's decoder: false for a refused or corrupt file, which leaves the image empty.
bool decodePng(const uint8_t* file, size_t size, Image& image);
