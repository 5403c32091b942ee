#include "resources/png.h"

#include <cstdlib>

#include "resources/png_decoding.h"
#include "resources/stream.h"

namespace {

// The whole stream in one malloc'd block, as both decoders read from memory.
struct FileBytes {
    FileBytes() = default;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    ~FileBytes() { std::free(bytes); }

    uint8_t* bytes = nullptr;
    size_t size = 0;
};

bool readWholeStream(Stream& stream, FileBytes& file) {
    if (!stream.seek(0, kSeekEnd)) {
        return false;
    }
    const int32_t size = stream.tell();
    if (size <= 0 || !stream.seek(0, kSeekBegin)) {
        return false;
    }
    file.bytes = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(size)));
    file.size = static_cast<size_t>(size);
    return file.bytes != nullptr && stream.read(file.bytes, size);
}

}  // namespace

bool PNG::load(Stream& stream) {
    release();
    FileBytes file;
    const bool decoded = readWholeStream(stream, file) && decodePng(file.bytes, file.size, *this);
    if (!decoded) {
        release();
    }
    return decoded;
}
