#include "resources/image_loader.h"

#include <array>
#include <cstring>

#include "resources/file.h"
#include "resources/png.h"
#include "resources/targa.h"

String imageExtension(const String& name) {
    const char* text = name.c_str();
    int32_t dot = name.size() - 1;
    while (dot > 0 && text[dot] != '.') {
        --dot;
    }
    if (dot <= 0) {
        return name.size() > 0 ? String(text + 1) : String();
    }
    return String(text + dot + 1);
}

std::unique_ptr<Image> loadImage(const String& name) {
    File file;
    if (!file.open(name)) {
        return nullptr;
    }
    const String extension = imageExtension(name);
    std::unique_ptr<Image> image;
    if (extension == "png") {
        image = std::make_unique<PNG>();
    } else if (extension == "tga") {
        image = std::make_unique<TARGA>();
    } else {
        return nullptr;
    }
    // A picture that failed to decode is still handed back, empty, as the texture expects.
    image->load(file);
    return image;
}

namespace {

uint32_t bigEndian32(const uint8_t* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           bytes[3];
}

}  // namespace

bool readDeclaredSize(const String& name, int64_t& width, int64_t& height) {
    // A PNG's signature and its first chunk, IHDR, then the sides; a TGA's 18-byte header.
    constexpr uint8_t kPngStart[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    constexpr int32_t kPngHeaderBytes = 24;
    constexpr int32_t kTargaHeaderBytes = 18;
    std::array<uint8_t, kPngHeaderBytes> bytes = {};
    File file;
    if (!file.open(name)) {
        return false;
    }
    const String extension = imageExtension(name);
    if (extension == "png") {
        if (!file.read(bytes.data(), kPngHeaderBytes) ||
            std::memcmp(bytes.data(), kPngStart, sizeof kPngStart) != 0 ||
            std::memcmp(bytes.data() + 12, "IHDR", 4) != 0) {
            return false;
        }
        width = bigEndian32(bytes.data() + 16);
        height = bigEndian32(bytes.data() + 20);
        return true;
    }
    if (extension == "tga" && file.read(bytes.data(), kTargaHeaderBytes)) {
        width = bytes[12] | (bytes[13] << 8);
        height = bytes[14] | (bytes[15] << 8);
        return true;
    }
    return false;
}
