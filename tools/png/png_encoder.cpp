#include "tools/png/png_encoder.h"

#include <libdeflate.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>

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

void setSmallCompression(png_structp png) {
    png_set_compression_level(png, 6);
    png_set_compression_mem_level(png, 8);
    png_set_compression_strategy(png, Z_DEFAULT_STRATEGY);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
}

// Runs libpng over the rows; false with output.message set on failure.
bool writeRowsWithLibpng(png_structp png, png_infop info, const PngPicture& picture,
                         Output& output) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_write_fn(png, &output, appendBytes, flushNothing);
    setSmallCompression(png);
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

// The fast path is written here rather than through libpng: libpng's zlib at level 1 costs
// about twice libdeflate's time at level 1 for files of nearly the same size, and a frame
// written as fast as it renders pays that on every frame.

constexpr std::array<uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr uint8_t kPaethFilter = 4;
// A chunk's length is a 31-bit number.
constexpr size_t kLargestChunk = 0x7fffffff;

void appendBigEndian(std::vector<uint8_t>& bytes, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.push_back(static_cast<uint8_t>(value >> shift));
    }
}

// A chunk is its length, its type, its data and a CRC of type and data: beginChunk writes the
// first two with the length left open, endChunk fills the length in and appends the CRC.
size_t beginChunk(std::vector<uint8_t>& bytes, const char (&type)[5]) {
    const size_t start = bytes.size();
    appendBigEndian(bytes, 0);
    bytes.insert(bytes.end(), type, type + 4);
    return start;
}

void endChunk(std::vector<uint8_t>& bytes, size_t start) {
    const size_t typeAt = start + 4;
    const uint32_t length = static_cast<uint32_t>(bytes.size() - typeAt - 4);
    for (size_t i = 0; i < 4; ++i) {
        bytes[start + i] = static_cast<uint8_t>(length >> (24 - 8 * i));
    }
    appendBigEndian(bytes, libdeflate_crc32(0, bytes.data() + typeAt, bytes.size() - typeAt));
}

void appendHeader(std::vector<uint8_t>& bytes, const PngPicture& picture) {
    const size_t start = beginChunk(bytes, "IHDR");
    appendBigEndian(bytes, static_cast<uint32_t>(picture.width));
    appendBigEndian(bytes, static_cast<uint32_t>(picture.height));
    const uint8_t depth = 8;
    const uint8_t compressionMethod = 0;
    const uint8_t filterMethod = 0;
    const uint8_t interlace = 0;
    bytes.insert(bytes.end(), {depth, static_cast<uint8_t>(colorType(picture.channels)),
                               compressionMethod, filterMethod, interlace});
    endChunk(bytes, start);
}

uint8_t paethPredictor(int32_t left, int32_t up, int32_t upLeft) {
    const int32_t towardsLeft = std::abs(up - upLeft);
    const int32_t towardsUp = std::abs(left - upLeft);
    const int32_t towardsUpLeft = std::abs(left + up - 2 * upLeft);
    if (towardsLeft <= towardsUp && towardsLeft <= towardsUpLeft) {
        return static_cast<uint8_t>(left);
    }
    return static_cast<uint8_t>(towardsUp <= towardsUpLeft ? up : upLeft);
}

// One row with the Paeth filter; the first row has no row above, which the filter reads as
// zeros. Written without a carried dependency so that the compiler vectorises it.
void filterRow(const uint8_t* row, const uint8_t* above, size_t stride, size_t pixelBytes,
               uint8_t* out) {
    out[0] = kPaethFilter;
    ++out;
    if (above == nullptr) {
        std::copy(row, row + pixelBytes, out);
        for (size_t x = pixelBytes; x < stride; ++x) {
            out[x] = static_cast<uint8_t>(row[x] - row[x - pixelBytes]);
        }
        return;
    }
    for (size_t x = 0; x < pixelBytes; ++x) {
        out[x] = static_cast<uint8_t>(row[x] - above[x]);
    }
    for (size_t x = pixelBytes; x < stride; ++x) {
        out[x] = static_cast<uint8_t>(
            row[x] - paethPredictor(row[x - pixelBytes], above[x], above[x - pixelBytes]));
    }
}

// Every row with its filter byte in front, into `filtered`.
void filterRows(const PngPicture& picture, std::vector<uint8_t>& filtered) {
    const size_t pixelBytes = static_cast<size_t>(picture.channels);
    const size_t stride = static_cast<size_t>(picture.width) * pixelBytes;
    filtered.resize((stride + 1) * static_cast<size_t>(picture.height));
    for (size_t y = 0; y < static_cast<size_t>(picture.height); ++y) {
        const uint8_t* row = picture.pixels + stride * y;
        filterRow(row, y == 0 ? nullptr : row - stride, stride, pixelBytes,
                  filtered.data() + (stride + 1) * y);
    }
}

struct CompressorFree {
    void operator()(libdeflate_compressor* compressor) const {
        libdeflate_free_compressor(compressor);
    }
};

bool writeFast(const PngPicture& picture, std::vector<uint8_t>& bytes, std::string& error) {
    // NOTE: each thread keeps its compressor and its filtered rows from frame to frame; fresh
    // ones cost a fifth of the frame's time in allocation and page faults.
    thread_local const std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
        libdeflate_alloc_compressor(1));
    thread_local std::vector<uint8_t> filtered;
    if (!compressor) {
        error = "libdeflate could not start";
        return false;
    }
    filterRows(picture, filtered);
    bytes.assign(kSignature.begin(), kSignature.end());
    appendHeader(bytes, picture);
    const size_t data = beginChunk(bytes, "IDAT");
    const size_t streamAt = bytes.size();
    const size_t bound = libdeflate_zlib_compress_bound(compressor.get(), filtered.size());
    bytes.resize(streamAt + bound);
    const size_t compressed = libdeflate_zlib_compress(
        compressor.get(), filtered.data(), filtered.size(), bytes.data() + streamAt, bound);
    if (compressed == 0 || compressed > kLargestChunk) {
        error = "libdeflate could not compress the picture";
        return false;
    }
    bytes.resize(streamAt + compressed);
    endChunk(bytes, data);
    endChunk(bytes, beginChunk(bytes, "IEND"));
    return true;
}

bool writeSmall(const PngPicture& picture, std::vector<uint8_t>& bytes, std::string& error) {
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
    const bool written = writeRowsWithLibpng(png, info, picture, output);
    png_destroy_write_struct(&png, &info);
    if (!written) {
        error = std::string("libpng failed: ") + output.message;
    }
    return written;
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
    switch (compression) {
        case PngCompression::Small:
            return writeSmall(picture, bytes, error);
        case PngCompression::Fast:
            return writeFast(picture, bytes, error);
    }
    return false;
}
