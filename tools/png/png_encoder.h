#pragma once
// PNG encoding into memory, the one PNG writer of the tools: 8 bits per channel, grey, RGB or
// RGBA by the channel count, non-interlaced, no time or text chunks. Every setting that shapes
// the bytes is fixed per compression, so equal pictures give equal files.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A picture to encode, borrowed: rows tightly packed, top row first.
struct PngPicture {
    const uint8_t* pixels;
    size_t size;       // bytes at pixels
    int32_t width;     // pixels
    int32_t height;    // pixels
    int32_t channels;  // 1 grey, 3 RGB, 4 RGBA
};

enum class PngCompression {
    // zlib level 6 and libpng's adaptive filter choice: the smallest files, for what is kept
    // (the data tree).
    Small,
    // The Paeth filter on every row and libdeflate at level 1: about 8 % larger files than
    // Small at a tenth of the time, for frames written as fast as they render.
    Fast,
};

// False, with the reason in `error`, for a picture without pixels, with a channel count other
// than 1, 3 or 4, whose size does not match, or when the compressor fails.
bool encodePng(const PngPicture& picture, PngCompression compression, std::vector<uint8_t>& bytes,
               std::string& error);
