#pragma once
// A read-only Stream over bytes held in memory (borrowed, not copied): decoders can be fed
// without a file, by the tests and the fuzzers. Reads never go past the last byte.

#include <cstddef>
#include <cstdint>

#include "resources/stream.h"

class MemoryStream : public Stream {
public:
    MemoryStream(const uint8_t* bytes, size_t size);

    bool read(void* buffer, int32_t size) override;
    // A position outside 0..size fails without moving.
    bool seek(int32_t offset, int32_t origin) override;
    int32_t tell() override;

private:
    const uint8_t* bytes;
    int64_t size;
    int64_t position = 0;
};
