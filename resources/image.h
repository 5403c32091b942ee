#pragma once
// An in-memory picture: width x height pixels of `components` bytes each (1 luminance,
// 3 RGB, 4 RGBA), rows tightly packed, row 0 the bottom row so the buffer goes to OpenGL as
// it stands. The buffer is owned (malloc/free); an empty image has no buffer and zero sizes.

#include <cstdint>

class Stream;

// NOTE: the most pixels a decoder accepts in one picture: 16 Mi, a 4096 x 4096 picture, 64 MiB
// as RGBA. The data tree's largest is 2048 x 1536 (3 Mi); its 4K sharpness needs no more than
// a 3840 x 2160 (8 Mi). A header claiming more is refused before anything is allocated, so a
// small file that inflates to gigabytes costs nothing.
constexpr int64_t kMaxImagePixels = int64_t{4096} * 4096;

// Whether a picture of these sides is one the decoders accept: both positive, within budget.
bool imageWithinBudget(int64_t width, int64_t height);

class Image {
public:
    Image() = default;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    // NOTE: virtual, so that a decoder deleted through its base is destroyed properly.
    virtual ~Image();

    // Decodes the picture from a stream; the base image decodes nothing.
    virtual bool load(Stream& stream);

    // Frees any buffer, then holds width * height * components bytes of undefined content,
    // followed by one zeroed row that is not part of the picture.
    void allocate(int32_t newWidth, int32_t newHeight, int32_t newComponents);
    void release();
    // Frees the pixel buffer but keeps the size and component count: for a picture that
    // lives on in the GL alone.
    void releasePixels();
    // Exchanges bytes 0 and 2 of every pixel: BGR(A) becomes RGB(A).
    void swapRedBlue();

    // Bytes of pixel data: width * height * components, 0 when empty.
    int64_t byteCount() const;

    uint8_t* data = nullptr;
    int32_t width = 0;       // pixels
    int32_t height = 0;      // pixels
    int32_t components = 0;  // bytes per pixel
};
