#include "resources/data_file.h"

#include <algorithm>

#include "resources/data_path.h"

FileHandle openDataFile(const String& name) {
    // NOTE: read-only: the program never writes its data, and the tree may be installed
    // read-only.
    return FileHandle(std::fopen(dataPath(name).c_str(), "rb"));
}

FileRead readDataFile(const String& name, size_t limit, std::vector<uint8_t>& bytes) {
    bytes.clear();
    const FileHandle file = openDataFile(name);
    if (!file) {
        return FileRead::Unopenable;
    }
    constexpr size_t kPiece = 1 << 16;
    while (bytes.size() < limit) {
        const size_t before = bytes.size();
        bytes.resize(std::min(before + kPiece, limit));
        const size_t got = std::fread(bytes.data() + before, 1, bytes.size() - before, file.get());
        bytes.resize(before + got);
        if (got == 0) {
            return FileRead::Whole;
        }
    }
    // At the limit: whole only if nothing follows.
    unsigned char more = 0;
    return std::fread(&more, 1, 1, file.get()) == 0 ? FileRead::Whole : FileRead::TooLarge;
}
