#pragma once
// A finished 8-bit picture as it goes into a file: width x height pixels of `channels` bytes
// (1 grey, 3 RGB, 4 RGBA with straight alpha), rows tightly packed, top row first.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/png/png_encoder.h"

struct Pixmap {
    int32_t width = 0;     // pixels
    int32_t height = 0;    // pixels
    int32_t channels = 0;  // bytes per pixel
    std::vector<uint8_t> bytes;

    uint8_t& at(int32_t x, int32_t y, int32_t channel) {
        return bytes[(static_cast<size_t>(y) * width + x) * channels + channel];
    }
    uint8_t at(int32_t x, int32_t y, int32_t channel) const {
        return bytes[(static_cast<size_t>(y) * width + x) * channels + channel];
    }
};

// The pixmap as the PNG encoder reads it, borrowed.
inline PngPicture pngPicture(const Pixmap& pixmap) {
    return {pixmap.bytes.data(), pixmap.bytes.size(), pixmap.width, pixmap.height, pixmap.channels};
}
