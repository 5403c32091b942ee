#include "resources/png_stb.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "resources/image.h"
#include "resources/png_chunks.h"
#include "resources/png_decoding.h"

namespace {

// NOTE: stb_image inflates a file's whole compressed stream into one buffer that grows as
// needed, where libpng inflates only the rows the header promises and passes over the rest. A
// small file can hold a stream that inflates a thousandfold, so every buffer stb_image asks for
// is held to what the picture being decoded can need. Each decode sets the limit for itself, on
// its own thread.
thread_local size_t stbBufferLimit = 0;

void* stbAllocate(size_t size) {
    return size <= stbBufferLimit ? std::malloc(size) : nullptr;
}

void* stbReallocate(void* block, size_t size) {
    return size <= stbBufferLimit ? std::realloc(block, size) : nullptr;
}

}  // namespace

// PNG alone, from memory, with no error strings (the demo says nothing about bad data, and the
// strings are shared state), every function static to this file.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#define STBI_MALLOC(size) stbAllocate(size)
#define STBI_REALLOC(block, size) stbReallocate(block, size)
#define STBI_FREE(block) std::free(block)
// Static as they are, the entry points this file does not call would warn as unused.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace {

constexpr uint8_t kGrey = 0;
constexpr uint8_t kRgb = 2;
constexpr uint8_t kGreyAlpha = 4;

// Samples per pixel as stored in the file.
uint32_t storedSamples(uint8_t colourType) {
    switch (colourType) {
        case kRgb:
            return 3;
        case kGreyAlpha:
            return 2;
        case 6:
            return 4;
        default:
            return 1;
    }
}

// Bytes per pixel once libpng has expanded the file.
int32_t decodedComponents(const PngChunks& chunks) {
    const int32_t colour = chunks.colourType == kGrey ? 1 : 3;
    const bool alpha = chunks.colourType == 6 || chunks.transparency != nullptr;
    return colour + (alpha ? 1 : 0);
}

size_t storedRowBytes(const PngChunks& chunks) {
    const uint64_t bits =
        uint64_t{chunks.width} * storedSamples(chunks.colourType) * chunks.bitDepth;
    return static_cast<size_t>((bits + 7) / 8);
}

// The bytes handed to stb_image, in one malloc'd block like the file itself, so that a file too
// big to copy just fails to load.
struct StbStream {
    explicit StbStream(size_t capacity)
        : bytes(static_cast<uint8_t*>(std::malloc(capacity))), capacity(capacity) {}
    StbStream(const StbStream&) = delete;
    StbStream& operator=(const StbStream&) = delete;
    ~StbStream() { std::free(bytes); }

    void append(const uint8_t* data, size_t count) {
        if (count > 0 && count <= capacity - size) {
            std::memcpy(bytes + size, data, count);
            size += count;
        }
    }
    void appendBigEndian(uint32_t value) {
        const uint8_t big[4] = {static_cast<uint8_t>(value >> 24),
                                static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
                                static_cast<uint8_t>(value)};
        append(big, 4);
    }
    void appendChunk(const char* type, const uint8_t* data, size_t count) {
        const auto* typeBytes = reinterpret_cast<const uint8_t*>(type);
        appendBigEndian(static_cast<uint32_t>(count));
        append(typeBytes, 4);
        append(data, count);
        appendBigEndian(pngChunkCrc(typeBytes, data, count));
    }

    uint8_t* bytes;
    size_t capacity;
    size_t size = 0;
};

constexpr size_t kChunkFraming = 12;  // length, type and CRC
constexpr size_t kPaletteBytes = 3 * 256;

// The file as stb_image should see it: only the chunks libpng uses, in the order stb_image
// wants, the palette padded to 256 black entries (libpng shows an index past the palette as
// black; stb_image would read its own uninitialised memory) and a low-bit grey tRNS reduced to
// the bits libpng compares (stb_image scales the whole value first).
void writeStreamForStb(const uint8_t* file, const PngChunks& chunks, StbStream& out) {
    out.append(kPngSignature, 8);
    uint8_t header[13] = {};
    for (int i = 0; i < 4; ++i) {
        header[i] = static_cast<uint8_t>(chunks.width >> (24 - 8 * i));
        header[4 + i] = static_cast<uint8_t>(chunks.height >> (24 - 8 * i));
    }
    header[8] = chunks.bitDepth;
    header[9] = chunks.colourType;
    header[12] = chunks.interlaced ? 1 : 0;
    out.appendChunk("IHDR", header, sizeof header);
    if (chunks.palette != nullptr) {
        uint8_t palette[kPaletteBytes] = {};
        std::memcpy(palette, chunks.palette, 3 * size_t{chunks.paletteEntries});
        out.appendChunk("PLTE", palette, sizeof palette);
    }
    if (chunks.transparency != nullptr) {
        uint8_t transparency[256];
        std::memcpy(transparency, chunks.transparency, chunks.transparencyBytes);
        if (chunks.colourType == kGrey && chunks.bitDepth < 8) {
            transparency[0] = 0;
            transparency[1] &= static_cast<uint8_t>((1u << chunks.bitDepth) - 1);
        }
        out.appendChunk("tRNS", transparency, chunks.transparencyBytes);
    }
    out.append(file + chunks.rowChunksBegin, chunks.rowChunksEnd - chunks.rowChunksBegin);
    out.appendChunk("IEND", nullptr, 0);
}

size_t streamSizeForStb(const PngChunks& chunks) {
    return 8 + (kChunkFraming + 13) + (kChunkFraming + kPaletteBytes) +
           (kChunkFraming + chunks.transparencyBytes) +
           (chunks.rowChunksEnd - chunks.rowChunksBegin) + kChunkFraming;
}

// The most any one of stb_image's buffers may take for this picture: what a well-made file
// needs (the compressed stream gathered, grown by doubling; the inflated rows, grown by
// doubling from a guess that leaves out interlacing's extra filter bytes; the pixels, up to
// 16-bit RGBA), and never less than a full-budget grey picture, so that a stream with some
// surplus after its rows still decodes as libpng decodes it.
size_t bufferLimit(const PngChunks& chunks, size_t streamSize) {
    const size_t rawBytes = (storedRowBytes(chunks) + 1) * chunks.height;
    const size_t pixels = size_t{chunks.width} * chunks.height;
    const size_t allowance = static_cast<size_t>(kMaxImagePixels);
    return std::max({2 * streamSize, 4 * rawBytes, 8 * pixels, allowance});
}

// libpng's gamma arithmetic (png.c, pngrtran.c), fixed point in units of 1 / 100000 with its
// rounding at each step, so that the tables come out as libpng's: png_set_gamma(2.2, file).
constexpr double kFixedOne = 100000;
constexpr int64_t kThreshold = 5000;     // libpng's PNG_GAMMA_THRESHOLD_FIXED
constexpr int32_t kSixteenBitShift = 5;  // libpng keeps 11 bits of a sample it reduces to 8

double roundHalfUp(double value) {
    return std::floor(value + 0.5);
}

// png_set_gamma's reading of a double: under 128 a gamma, scaled; from 128 on already scaled.
double fixedGamma(double gamma) {
    if (gamma > 0 && gamma < 128) {
        gamma *= kFixedOne;
    }
    return roundHalfUp(gamma);
}

bool significant(double fixed) {
    return fixed < kFixedOne - kThreshold || fixed > kFixedOne + kThreshold;
}

struct GammaTables {
    bool correct = false;
    uint8_t eightBit[256];
    uint8_t sixteenBit[1 << (16 - kSixteenBitShift)];  // by a sample's top 11 bits
};

// png_build_8bit_table: exponent 1 / (file * screen).
void buildEightBitTable(double file, double screen, uint8_t* table) {
    const double exponent = roundHalfUp(1E15 / file / screen);
    for (int i = 0; i < 256; ++i) {
        table[i] = static_cast<uint8_t>(i);
        if (significant(exponent) && i > 0 && i < 255) {
            table[i] =
                static_cast<uint8_t>(std::floor(255 * std::pow(i / 255., exponent * .00001) + .5));
        }
    }
}

// png_gamma_16bit_correct.
uint32_t correctSixteenBit(uint32_t value, double exponent) {
    if (value == 0 || value >= 65535) {
        return value;
    }
    return static_cast<uint32_t>(
        std::floor(65535 * std::pow(static_cast<int32_t>(value) / 65535., exponent * .00001) + .5));
}

// png_build_16to8_table: each 8-bit output filled up to the input that lies halfway to the
// next, found by running the correction backwards (exponent file * screen).
void buildSixteenBitTable(double file, double screen, uint8_t* table) {
    const double exponent = roundHalfUp(file * 1E-5 * screen);
    constexpr uint32_t kEntries = 1u << (16 - kSixteenBitShift);
    constexpr uint32_t kMax = kEntries - 1;
    uint32_t last = 0;
    for (uint32_t i = 0; i < 255; ++i) {
        uint32_t bound = correctSixteenBit(i * 257 + 128, exponent);
        bound = (bound * kMax + 32768) / 65535 + 1;
        while (last < bound && last < kEntries) {
            table[last++] = static_cast<uint8_t>(i);
        }
    }
    while (last < kEntries) {
        table[last++] = 255;
    }
}

void buildGammaTables(const PngChunks& chunks, GammaTables& tables) {
    tables.correct = false;
    if (chunks.srgb) {
        return;
    }
    const double file = fixedGamma(chunks.gamma != 0 ? .00001 * chunks.gamma : kDefaultFileGamma);
    const double screen = fixedGamma(static_cast<double>(kDisplayGamma));
    // png_gamma_threshold: a file made for about this display is left alone.
    if (!significant(roundHalfUp(file * screen / kFixedOne))) {
        return;
    }
    tables.correct = true;
    if (chunks.bitDepth == 16) {
        buildSixteenBitTable(file, screen, tables.sixteenBit);
    } else {
        buildEightBitTable(file, screen, tables.eightBit);
    }
}

// Copies stb_image's top-down pixels into the image bottom-up, gamma-corrected as libpng would:
// colour samples through the table, alpha as it is.
template <typename Sample>
void copyRows(const Sample* pixels, const GammaTables& gamma, Image& image) {
    const int32_t components = image.components;
    const int32_t colourSamples = components >= 3 ? 3 : 1;
    const size_t rowSamples = static_cast<size_t>(image.width) * components;
    for (int32_t y = 0; y < image.height; ++y) {
        const Sample* in = pixels + static_cast<size_t>(image.height - 1 - y) * rowSamples;
        uint8_t* out = image.data + static_cast<size_t>(y) * rowSamples;
        for (size_t i = 0; i < rowSamples; ++i) {
            const uint32_t sample = in[i];
            const bool colour = static_cast<int32_t>(i % components) < colourSamples;
            if constexpr (sizeof(Sample) == 1) {
                out[i] =
                    colour && gamma.correct ? gamma.eightBit[sample] : static_cast<uint8_t>(sample);
            } else {
                out[i] = colour && gamma.correct ? gamma.sixteenBit[sample >> kSixteenBitShift]
                                                 : static_cast<uint8_t>(sample >> 8);
            }
        }
    }
}

bool decodeChecked(const uint8_t* file, size_t size, Image& image) {
    PngChunks chunks;
    if (!readPngChunks(file, size, chunks) || chunks.colourType == kGreyAlpha ||
        chunks.width > kMaxPngSide || chunks.height > kMaxPngSide ||
        !imageWithinBudget(chunks.width, chunks.height) ||
        !pngFileCanHold(size, storedRowBytes(chunks), chunks.height)) {
        return false;
    }
    StbStream stream(streamSizeForStb(chunks));
    if (stream.bytes == nullptr || stream.capacity > INT_MAX) {
        return false;
    }
    writeStreamForStb(file, chunks, stream);
    const int streamSize = static_cast<int>(stream.size);
    const bool sixteenBit = chunks.bitDepth == 16;
    int width = 0;
    int height = 0;
    int components = 0;
    stbBufferLimit = bufferLimit(chunks, stream.size);
    void* pixels = sixteenBit ? static_cast<void*>(stbi_load_16_from_memory(
                                    stream.bytes, streamSize, &width, &height, &components, 0))
                              : static_cast<void*>(stbi_load_from_memory(
                                    stream.bytes, streamSize, &width, &height, &components, 0));
    stbBufferLimit = 0;
    if (pixels == nullptr) {
        return false;
    }
    const int32_t expected = decodedComponents(chunks);
    bool decoded = false;
    if (static_cast<uint32_t>(width) == chunks.width &&
        static_cast<uint32_t>(height) == chunks.height && components == expected) {
        image.allocate(width, height, components);
        if (image.data != nullptr) {
            GammaTables gamma;
            buildGammaTables(chunks, gamma);
            if (sixteenBit) {
                copyRows(static_cast<const uint16_t*>(pixels), gamma, image);
            } else {
                copyRows(static_cast<const uint8_t*>(pixels), gamma, image);
            }
            decoded = true;
        }
    }
    stbi_image_free(pixels);
    return decoded;
}

}  // namespace

bool decodePngWithStb(const uint8_t* file, size_t size, Image& image) {
    image.release();
    const bool decoded = decodeChecked(file, size, image);
    if (!decoded) {
        image.release();
    }
    return decoded;
}
