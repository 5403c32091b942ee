#include "tools/generator/data_tree.h"

#include "resources/data_path.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

std::string systemReason() {
    return std::strerror(errno);
}

// Writes all of `bytes` to a new file at `path`; false with errno describing the failure.
bool writeWhole(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written) {
        errno = writeErrno;
    }
    return written && closed;
}

}  // namespace

bool DataTree::prepare(std::string& error) const {
    std::error_code code;
    std::filesystem::create_directories(root, code);
    if (code) {
        error = "cannot create output folder " + root.string() + ": " + code.message();
        return false;
    }
    if (!std::filesystem::is_directory(root, code)) {
        error = "output folder " + root.string() + " is not a folder";
        return false;
    }
    if (access(root.c_str(), W_OK) != 0) {
        error = "cannot write to output folder " + root.string() + ": " + systemReason();
        return false;
    }
    return true;
}

std::filesystem::path DataTree::pathOf(std::string_view relativePath) const {
    const String name(std::string(relativePath).c_str());
    return root / std::filesystem::path(dataPath(name).c_str()).relative_path();
}

bool DataTree::write(std::string_view relativePath, std::span<const uint8_t> bytes,
                     std::string& error) const {
    const std::filesystem::path path = pathOf(relativePath);
    std::error_code code;
    std::filesystem::create_directories(path.parent_path(), code);
    if (code) {
        error = "cannot create folder " + path.parent_path().string() + ": " + code.message();
        return false;
    }
    std::filesystem::path temporary = path;
    temporary += ".partial";
    if (!writeWhole(temporary, bytes)) {
        error = "cannot write " + path.string() + ": " + systemReason();
        std::filesystem::remove(temporary, code);
        return false;
    }
    std::filesystem::rename(temporary, path, code);
    if (code) {
        error = "cannot write " + path.string() + ": " + code.message();
        std::filesystem::remove(temporary, code);
        return false;
    }
    return true;
}

bool DataTree::writeText(std::string_view relativePath, std::string_view text,
                         std::string& error) const {
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(text.data()),
                                         text.size());
    return write(relativePath, bytes, error);
}
