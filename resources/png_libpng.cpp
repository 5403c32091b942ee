#include "resources/png_libpng.h"

#include <png.h>

#include <csetjmp>
#include <cstdlib>

#include "resources/image.h"
#include "resources/png_decoding.h"

namespace {

// The ancillary chunks that change the decoded pixels; libpng skips every other one unread.
// NOTE: skipping matters for safety too: libpng reads some ancillary chunks into memory whole,
// and a suggested-palette chunk claiming 1.5 GB got a buffer of that size before its data
// turned out to be missing.
constexpr png_byte kPixelChunks[] = "tRNS\0gAMA\0sRGB";
constexpr int kPixelChunkCount = 3;

void skipOtherAncillaryChunks(png_structp png) {
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_AS_DEFAULT, kPixelChunks, kPixelChunkCount);
}

// Everything the decode owns, outside the function that calls setjmp, so that a libpng error
// jumping back finds every resource where cleanup expects it.
struct Decode {
    png_structp png = nullptr;
    png_infop info = nullptr;
    const png_byte* file = nullptr;  // borrowed
    png_size_t fileSize = 0;
    png_size_t cursor = 0;
    png_bytepp rows = nullptr;
};

void cleanUp(Decode& decode) {
    if (decode.png != nullptr) {
        png_destroy_read_struct(&decode.png, decode.info != nullptr ? &decode.info : nullptr,
                                nullptr);
    }
    std::free(decode.rows);
    decode = Decode{};
}

void readFromBuffer(png_structp png, png_bytep out, png_size_t size) {
    Decode& decode = *static_cast<Decode*>(png_get_io_ptr(png));
    if (size > decode.fileSize - decode.cursor) {
        png_error(png, "file ends early");
    }
    for (png_size_t i = 0; i < size; ++i) {
        out[i] = decode.file[decode.cursor + i];
    }
    decode.cursor += size;
}

// The demo says nothing about bad data: errors only jump back, warnings are dropped.
void quietError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void quietWarning(png_structp, png_const_charp) {}

void requestTransformations(png_structp png, png_infop info, int colourType, int bitDepth) {
    png_set_packing(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_expand(png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) {
        png_set_expand(png);
    }
    if (png_get_valid(png, info, PNG_INFO_tRNS) != 0) {
        png_set_expand(png);
    }
    png_set_strip_16(png);
    // Interlaced files are read whole, passes combined.
    png_set_interlace_handling(png);
    int intent = 0;
    if (png_get_sRGB(png, info, &intent) == 0) {
        double fileGamma = kDefaultFileGamma;
        if (png_get_gAMA(png, info, &fileGamma) == 0) {
            fileGamma = kDefaultFileGamma;
        }
        png_set_gamma(png, static_cast<double>(kDisplayGamma), fileGamma);
    }
}

// Runs with the setjmp return established by the caller; any libpng error jumps out of here.
bool decodeInto(Decode& decode, Image& image) {
    png_set_read_fn(decode.png, &decode, readFromBuffer);
    png_set_user_limits(decode.png, kMaxPngSide, kMaxPngSide);
    skipOtherAncillaryChunks(decode.png);
    png_read_info(decode.png, decode.info);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colourType = 0;
    png_get_IHDR(decode.png, decode.info, &width, &height, &bitDepth, &colourType, nullptr, nullptr,
                 nullptr);
    if (colourType == PNG_COLOR_TYPE_GRAY_ALPHA || !imageWithinBudget(width, height) ||
        !pngFileCanHold(decode.fileSize, png_get_rowbytes(decode.png, decode.info), height)) {
        return false;
    }
    requestTransformations(decode.png, decode.info, colourType, bitDepth);
    png_read_update_info(decode.png, decode.info);
    const int32_t channels = png_get_channels(decode.png, decode.info);
    const png_size_t rowBytes = png_get_rowbytes(decode.png, decode.info);
    if (rowBytes != static_cast<png_size_t>(width) * static_cast<png_size_t>(channels)) {
        return false;  // not one byte per sample after all; never overrun the buffer
    }
    image.allocate(static_cast<int32_t>(width), static_cast<int32_t>(height), channels);
    decode.rows = static_cast<png_bytepp>(std::malloc(sizeof(png_bytep) * height));
    if (image.data == nullptr || decode.rows == nullptr) {
        return false;
    }
    for (png_uint_32 i = 0; i < height; ++i) {
        decode.rows[i] = image.data + static_cast<size_t>(height - 1 - i) * rowBytes;
    }
    png_read_image(decode.png, decode.rows);
    png_read_end(decode.png, nullptr);
    return true;
}

bool decodeGuarded(Decode& state, Image& image) {
    if (setjmp(png_jmpbuf(state.png)) != 0) {
        return false;
    }
    return decodeInto(state, image);
}

}  // namespace

bool decodePngWithLibpng(const uint8_t* file, size_t size, Image& image) {
    image.release();
    Decode state;
    state.file = file;
    state.fileSize = size;
    state.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, quietWarning);
    if (state.png == nullptr) {
        return false;
    }
    state.info = png_create_info_struct(state.png);
    const bool decoded = state.info != nullptr && size > 0 && decodeGuarded(state, image);
    cleanUp(state);
    if (!decoded) {
        image.release();
    }
    return decoded;
}
