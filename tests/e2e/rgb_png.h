#pragma once
// Reading a PNG file whole as 8-bit RGB, top row first, for the small tools the end-to-end
// scripts run on captured frames (libpng's simplified API converts any PNG to RGB).

#include <png.h>

#include <cstdint>
#include <cstring>
#include <vector>

// False when the file cannot be read as a PNG picture.
inline bool readRgbPng(const char* path, std::vector<uint8_t>& rgb, int32_t& width,
                       int32_t& height) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path) == 0) {
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    rgb.resize(PNG_IMAGE_SIZE(image));
    width = static_cast<int32_t>(image.width);
    height = static_cast<int32_t>(image.height);
    return png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
}
