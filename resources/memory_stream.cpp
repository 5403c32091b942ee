#include "resources/memory_stream.h"

#include <climits>
#include <cstring>

MemoryStream::MemoryStream(const uint8_t* bytes, size_t size)
    : bytes(bytes), size(size > INT32_MAX ? INT32_MAX : static_cast<int64_t>(size)) {}

bool MemoryStream::read(void* buffer, int32_t count) {
    if (count < 0 || count > size - position) {
        return false;
    }
    if (count > 0) {
        std::memcpy(buffer, bytes + position, static_cast<size_t>(count));
    }
    position += count;
    return true;
}

bool MemoryStream::seek(int32_t offset, int32_t origin) {
    int64_t base = 0;
    switch (origin) {
        case kSeekBegin:
            base = 0;
            break;
        case kSeekEnd:
            base = size;
            break;
        case kSeekCurrent:
            base = position;
            break;
        default:
            return false;
    }
    const int64_t target = base + offset;
    if (target < 0 || target > size) {
        return false;
    }
    position = target;
    return true;
}

int32_t MemoryStream::tell() {
    return static_cast<int32_t>(position);
}
