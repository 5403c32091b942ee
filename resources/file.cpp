#include "resources/file.h"

#include <climits>

#include "resources/data_file.h"

File::~File() {
    close();
}

bool File::open(const String& name) {
    handle = openDataFile(name);
    return handle != nullptr;
}

void File::close() {
    handle.reset();
}

bool File::write(const void* buffer, int32_t size) {
    if (handle == nullptr || size < 0) {
        return false;
    }
    return size == 0 || std::fwrite(buffer, static_cast<size_t>(size), 1, handle.get()) == 1;
}

bool File::read(void* buffer, int32_t size) {
    if (handle == nullptr || size < 0) {
        return false;
    }
    return size == 0 || std::fread(buffer, static_cast<size_t>(size), 1, handle.get()) == 1;
}

bool File::seek(int32_t offset, int32_t origin) {
    if (handle == nullptr) {
        return false;
    }
    int whence = 0;
    switch (origin) {
        case kSeekBegin:
            whence = SEEK_SET;
            break;
        case kSeekEnd:
            whence = SEEK_END;
            break;
        case kSeekCurrent:
            whence = SEEK_CUR;
            break;
        default:
            return false;
    }
    return std::fseek(handle.get(), offset, whence) == 0;
}

int32_t File::tell() {
    if (handle == nullptr) {
        return -1;
    }
    const long position = std::ftell(handle.get());
    // Data files are far below 2 GiB; a larger one is not a file this program reads.
    return position < 0 || position > INT32_MAX ? -1 : static_cast<int32_t>(position);
}
