#include "resources/targa.h"

#include <array>
#include <climits>
#include <cstring>

#include "resources/stream.h"

namespace {

constexpr int32_t kHeaderSize = 18;  // bytes
constexpr uint8_t kTrueColour = 2;
constexpr uint8_t kGrey = 3;
constexpr uint8_t kRunLengthTrueColour = 10;
constexpr int32_t kMaxPacketPixels = 128;

struct Header {
    uint8_t idLength;
    uint8_t imageType;
    int32_t width;   // pixels
    int32_t height;  // pixels
    int32_t components;
};

Header parseHeader(const std::array<uint8_t, kHeaderSize>& bytes) {
    return {bytes[0], bytes[2], bytes[12] | (bytes[13] << 8), bytes[14] | (bytes[15] << 8),
            bytes[16] / 8};
}

// Bytes from the current position to the end, or -1.
int64_t bytesLeft(Stream& stream) {
    const int32_t here = stream.tell();
    if (here < 0 || !stream.seek(0, kSeekEnd)) {
        return -1;
    }
    const int32_t end = stream.tell();
    if (end < here || !stream.seek(here, kSeekBegin)) {
        return -1;
    }
    return end - here;
}

bool typeAccepts(const Header& header) {
    switch (header.imageType) {
        case kTrueColour:
        case kRunLengthTrueColour:
            return header.components == 3 || header.components == 4;
        case kGrey:
            return header.components >= 1;
        default:
            return false;
    }
}

// The fewest file bytes that can describe the picture: a lying header is refused before
// anything is allocated for it.
int64_t smallestPayload(const Header& header) {
    const int64_t pixels = int64_t{header.width} * header.height;
    if (header.imageType == kRunLengthTrueColour) {
        const int64_t packets = (pixels + kMaxPacketPixels - 1) / kMaxPacketPixels;
        return packets * (1 + header.components);
    }
    return pixels * header.components;
}

bool readRunLength(Stream& stream, Image& image) {
    const int32_t components = image.components;
    const int64_t pixels = int64_t{image.width} * image.height;
    uint8_t* out = image.data;
    int64_t filled = 0;
    while (filled < pixels) {
        uint8_t packet = 0;
        if (!stream.read(&packet, 1)) {
            return false;
        }
        const bool run = packet >= 128;
        const int64_t count = run ? packet - 127 : packet + 1;
        if (count > pixels - filled) {
            return false;  // a packet past the picture's end
        }
        if (run) {
            uint8_t value[4] = {};
            if (!stream.read(value, components)) {
                return false;
            }
            for (int64_t i = 0; i < count; ++i) {
                std::memcpy(out + (filled + i) * components, value, components);
            }
        } else if (!stream.read(out + filled * components,
                                static_cast<int32_t>(count * components))) {
            return false;
        }
        filled += count;
    }
    return true;
}

bool readPixels(Stream& stream, const Header& header, Image& image) {
    image.allocate(header.width, header.height, header.components);
    if (image.data == nullptr) {
        return false;
    }
    if (header.imageType == kRunLengthTrueColour) {
        if (!readRunLength(stream, image)) {
            return false;
        }
    } else if (!stream.read(image.data, static_cast<int32_t>(image.byteCount()))) {
        return false;
    }
    if (header.imageType != kGrey) {
        image.swapRedBlue();
    }
    return true;
}

}  // namespace

bool TARGA::load(Stream& stream) {
    release();
    std::array<uint8_t, kHeaderSize> bytes = {};
    if (!stream.read(bytes.data(), kHeaderSize)) {
        return false;
    }
    const Header header = parseHeader(bytes);
    if (!typeAccepts(header) || !imageWithinBudget(header.width, header.height) ||
        !stream.seek(header.idLength, kSeekCurrent)) {
        return false;
    }
    const int64_t left = bytesLeft(stream);
    if (left < 0 || left < smallestPayload(header) || smallestPayload(header) > INT32_MAX) {
        return false;
    }
    if (!readPixels(stream, header, *this)) {
        release();
        return false;
    }
    return true;
}
