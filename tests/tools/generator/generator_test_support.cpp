#include "generator_test_support.h"

#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>

Pixmap readPngFile(const std::string& path, int32_t channels) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return {};
    }
    image.format =
        channels == 1 ? PNG_FORMAT_GRAY : (channels == 3 ? PNG_FORMAT_RGB : PNG_FORMAT_RGBA);
    Pixmap pixmap{static_cast<int32_t>(image.width), static_cast<int32_t>(image.height), channels,
                  std::vector<uint8_t>(PNG_IMAGE_SIZE(image))};
    if (png_image_finish_read(&image, nullptr, pixmap.bytes.data(), 0, nullptr) == 0) {
        return {};
    }
    return pixmap;
}

std::vector<uint8_t> readFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
