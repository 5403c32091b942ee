#include "tools/png/png_encoder.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdio>

namespace {

// NOTE: the write callback, error handler and setjmp frame below hold only trivially
// destructible state, because libpng reports errors by longjmp.
struct Output {
    std::vector<uint8_t>* bytes;
    char message[256];
};

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    Output* output = static_cast<Output*>(png_get_io_ptr(png));
    output->bytes->insert(output->bytes->end(), data, data + length);
}

void flushNothing(png_structp) {}

void reportError(png_structp png, png_const_charp message) {
    Output* output = static_cast<Output*>(png_get_error_ptr(png));
    std::snprintf(output->message, sizeof output->message, "%s", message);
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

int colorType(int32_t channels) {
    switch (channels) {
        case 1:
            return PNG_COLOR_TYPE_GRAY;
        case 3:
            return PNG_COLOR_TYPE_RGB;
        case 4:
            return PNG_COLOR_TYPE_RGBA;
        default:
            return -1;
    }
}

void setCompression(png_structp png, PngCompression compression) {
    switch (compression) {
        case PngCompression::Small:
            png_set_compression_level(png, 6);
            png_set_compression_mem_level(png, 8);
            png_set_compression_strategy(png, Z_DEFAULT_STRATEGY);
            png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
            break;
        case PngCompression::Fast:
            png_set_compression_level(png, 1);
            png_set_compression_strategy(png, Z_RLE);
            png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_PAETH);
            break;
    }
}

// Runs libpng over the rows; false with output.message set on failure.
bool writeRows(png_structp png, png_infop info, const PngPicture& picture,
               PngCompression compression, Output& output) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_write_fn(png, &output, appendBytes, flushNothing);
    setCompression(png, compression);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
                 static_cast<png_uint_32>(picture.height), 8, colorType(picture.channels),
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t stride = static_cast<size_t>(picture.width) * picture.channels;
    for (int32_t y = 0; y < picture.height; ++y) {
        png_write_row(png, picture.pixels + stride * static_cast<size_t>(y));
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

bool encodePng(const PngPicture& picture, PngCompression compression, std::vector<uint8_t>& bytes,
               std::string& error) {
    const size_t expected =
        static_cast<size_t>(picture.width) * picture.height * static_cast<size_t>(picture.channels);
    if (picture.pixels == nullptr || picture.width <= 0 || picture.height <= 0 ||
        colorType(picture.channels) < 0 || picture.size != expected) {
        error = "the picture has no pixels or an unsupported channel count";
        return false;
    }
    bytes.clear();
    Output output{&bytes, {}};
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &output, reportError, ignoreWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        error = "libpng could not start";
        return false;
    }
    const bool written = writeRows(png, info, picture, compression, output);
    png_destroy_write_struct(&png, &info);
    if (!written) {
        error = std::string("libpng failed: ") + output.message;
    }
    return written;
}
