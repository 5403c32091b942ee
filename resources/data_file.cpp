#include "resources/data_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "resources/data_path.h"

FileHandle openDataFile(const String& name) {
    return openRegularFile(dataPath(name).c_str());
}

FileHandle openRegularFile(const char* path) {
    // NOTE: read-only, since the program never writes its data and the tree may be installed
    // read-only; non-blocking, so that a FIFO opens at once and can be refused below.
    const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return nullptr;
    }
    struct stat status = {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(descriptor);
        return nullptr;
    }
    // Back to blocking reads: a regular file's reads never wait on a writer.
    const int flags = fcntl(descriptor, F_GETFL);
    if (flags < 0 || fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        close(descriptor);
        return nullptr;
    }
    std::FILE* file = fdopen(descriptor, "rb");
    if (file == nullptr) {
        close(descriptor);
    }
    return FileHandle(file);
}

FileType fileTypeOf(const char* path) {
    struct stat status = {};
    if (stat(path, &status) != 0) {
        return FileType::Missing;
    }
    if (S_ISREG(status.st_mode)) {
        return FileType::Regular;
    }
    if (S_ISDIR(status.st_mode)) {
        return FileType::Folder;
    }
    if (S_ISFIFO(status.st_mode)) {
        return FileType::Fifo;
    }
    if (S_ISSOCK(status.st_mode)) {
        return FileType::Socket;
    }
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) {
        return FileType::Device;
    }
    return FileType::Other;
}

const char* describeFileType(FileType type) {
    switch (type) {
        case FileType::Missing:
        case FileType::Regular:
            return "";
        case FileType::Folder:
            return "a folder";
        case FileType::Fifo:
            return "a FIFO";
        case FileType::Socket:
            return "a socket";
        case FileType::Device:
            return "a device";
        case FileType::Other:
            return "not a regular file";
    }
    return "";
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
