#pragma once
// A byte stream that decoders read from. The base stream holds no bytes: every operation fails
// (tell gives -1). Seek origins are the stream's own numbering, not stdio's.

#include <cstdint>

enum SeekOrigin : int32_t {
    kSeekBegin = 0,
    kSeekEnd = 1,
    kSeekCurrent = 2,
};

class Stream {
public:
    virtual ~Stream() = default;

    // True when all `size` bytes were written.
    virtual bool write(const void* buffer, int32_t size);
    // True only when all `size` bytes were read; a short read is a failure.
    virtual bool read(void* buffer, int32_t size);
    // False for an unknown origin, without moving.
    virtual bool seek(int32_t offset, int32_t origin);
    // Bytes from the beginning, or -1.
    virtual int32_t tell();
};
