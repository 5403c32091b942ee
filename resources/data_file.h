#pragma once
// Opening and reading files of the data tree: every loader opens its files here, by the name the
// demo gives them (through dataPath), for reading only. Only regular files are read, directly or
// through symbolic links: a FIFO would block the open forever, and a device or a socket never
// ends. Anything else is treated like a missing file.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/file_handle.h"
#include "resources/string.h"

// The file opened for reading, or null when it cannot be or is not a regular file. Never blocks.
FileHandle openDataFile(const String& name);
// The same for a path as it stands, not through dataPath.
FileHandle openRegularFile(const char* path);

// What a path names, links followed; for telling people why a file is not read.
enum class FileType { Missing, Regular, Folder, Fifo, Socket, Device, Other };
FileType fileTypeOf(const char* path);
// "a folder", "a FIFO", ...; empty for Missing and Regular.
const char* describeFileType(FileType type);

enum class FileRead {
    Whole,       // the whole file is in `bytes`
    TooLarge,    // the file holds more than the limit; its first `limit` bytes are in `bytes`
    Unopenable,  // nothing was read
};

// Reads the file into `bytes`, at most `limit` bytes. Reads in pieces rather than trusting a size
// from the file system: a file may change while it is read.
FileRead readDataFile(const String& name, size_t limit, std::vector<uint8_t>& bytes);
