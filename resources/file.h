#pragma once
// A Stream over a stdio file of the data tree, opened for reading in binary mode. The file is
// closed by close() or, at the latest, by the destructor.

#include "base/file_handle.h"
#include "resources/stream.h"
#include "resources/string.h"

class File : public Stream {
public:
    File() = default;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File() override;

    // The name goes through dataPath first. False when the file cannot be opened.
    bool open(const String& name);
    void close();

    bool write(const void* buffer, int32_t size) override;
    bool read(void* buffer, int32_t size) override;
    bool seek(int32_t offset, int32_t origin) override;
    int32_t tell() override;

private:
    FileHandle handle;
};
