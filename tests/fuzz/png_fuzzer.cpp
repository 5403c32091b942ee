// Any bytes at all through PNG::load (libpng's decoder unless the build chose stb_image's) and
// through stb_image's decoder: each must fail or succeed without reading or writing outside its
// buffers, and a success must hold a consistent picture. Each input goes in once as it is and
// once with its chunks' CRCs mended, so that mutations reach the rows instead of stopping at the
// first CRC check.

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "resources/memory_stream.h"
#include "resources/png.h"
#include "resources/png_stb.h"

namespace {

void checkDecoded(bool decoded, const Image& image) {
    if (!decoded) {
        if (image.data != nullptr) {
            std::abort();
        }
        return;
    }
    if (image.data == nullptr || image.components < 1 || image.components > 4) {
        std::abort();
    }
    // Touch every byte so the sanitizer sees the whole buffer.
    volatile uint8_t sum = 0;
    for (int64_t i = 0; i < image.byteCount(); ++i) {
        sum = sum + image.data[i];
    }
}

void decodeBoth(const uint8_t* data, size_t size) {
    MemoryStream stream(data, size);
    PNG png;
    checkDecoded(png.load(stream), png);
    Image image;
    checkDecoded(decodePngWithStb(data, size, image), image);
}

uint32_t bigEndian(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

std::vector<uint8_t> withCrcsMended(const uint8_t* data, size_t size) {
    std::vector<uint8_t> file(data, data + size);
    for (size_t at = 8; at + 12 <= size;) {
        const size_t length = bigEndian(&file[at]);
        if (length > size - at - 12) {
            break;
        }
        const uLong crc = crc32(0, &file[at + 4], static_cast<uInt>(length + 4));
        for (int i = 0; i < 4; ++i) {
            file[at + 8 + length + static_cast<size_t>(i)] =
                static_cast<uint8_t>(crc >> (24 - 8 * i));
        }
        at += 12 + length;
    }
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    decodeBoth(data, size);
    const std::vector<uint8_t> mended = withCrcsMended(data, size);
    decodeBoth(mended.data(), mended.size());
    return 0;
}
