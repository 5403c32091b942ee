#include "resources/image.h"

#include <cstdlib>
#include <cstring>
#include <utility>

bool imageWithinBudget(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxImagePixels && height <= kMaxImagePixels &&
           width * height <= kMaxImagePixels;
}

Image::~Image() {
    release();
}

bool Image::load(Stream&) {
    return false;
}

void Image::allocate(int32_t newWidth, int32_t newHeight, int32_t newComponents) {
    release();
    if (newWidth <= 0 || newHeight <= 0 || newComponents <= 0) {
        return;
    }
    const int64_t bytes = int64_t{newWidth} * newHeight * newComponents;
    // NOTE: GLU's image scaler, used when mipmapping a picture whose sides are not powers of
    // two, reads a pixel past the last one; a zeroed row of slack keeps that read inside the
    // block.
    const int64_t slack = int64_t{newWidth} * newComponents;
    data = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(bytes + slack)));
    if (data) {
        std::memset(data + bytes, 0, static_cast<size_t>(slack));
        width = newWidth;
        height = newHeight;
        components = newComponents;
    }
}

void Image::release() {
    std::free(data);
    data = nullptr;
    width = 0;
    height = 0;
    components = 0;
}

void Image::swapRedBlue() {
    if (!data || components < 3) {
        return;
    }
    const int64_t bytes = byteCount();
    for (int64_t i = 0; i + 2 < bytes; i += components) {
        std::swap(data[i], data[i + 2]);
    }
}

void Image::releasePixels() {
    std::free(data);
    data = nullptr;
}

int64_t Image::byteCount() const {
    return data ? int64_t{width} * height * components : 0;
}
