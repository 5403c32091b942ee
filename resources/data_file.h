#pragma once
// Opening and reading files of the data tree: every loader opens its files here, by the name the
// demo gives them (through dataPath), for reading only.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/file_handle.h"
#include "resources/string.h"

// The file opened for reading, or null when it cannot be.
FileHandle openDataFile(const String& name);

enum class FileRead {
    Whole,       // the whole file is in `bytes`
    TooLarge,    // the file holds more than the limit; its first `limit` bytes are in `bytes`
    Unopenable,  // nothing was read
};

// Reads the file into `bytes`, at most `limit` bytes. Reads in pieces rather than trusting a size
// from the file system: a folder opens but reads nothing, and a file may change while it is read.
FileRead readDataFile(const String& name, size_t limit, std::vector<uint8_t>& bytes);
