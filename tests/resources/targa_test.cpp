#include "resources/targa.h"

#include <gtest/gtest.h>

#include <vector>

#include "resources/memory_stream.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes header(uint8_t type, uint16_t width, uint16_t height, uint8_t bitsPerPixel,
             uint8_t idLength = 0) {
    Bytes h(18, 0);
    h[0] = idLength;
    h[2] = type;
    h[12] = width & 0xFF;
    h[13] = width >> 8;
    h[14] = height & 0xFF;
    h[15] = height >> 8;
    h[16] = bitsPerPixel;
    return h;
}

Bytes join(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

bool decode(const Bytes& file, TARGA& image) {
    MemoryStream stream(file.data(), file.size());
    return image.load(stream);
}

Bytes pixels(const TARGA& image) {
    return Bytes(image.data, image.data + image.byteCount());
}

TEST(TargaUncompressed, TrueColourBecomesRgbInFileRowOrder) {
    // Two rows of BGR pixels: blue, green on the first; red, white on the second.
    const Bytes file = join(header(2, 2, 2, 24), {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255});
    TARGA image;
    ASSERT_TRUE(decode(file, image));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.components, 3);
    EXPECT_EQ(pixels(image), (Bytes{0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255}));
}

TEST(TargaUncompressed, ThirtyTwoBitsKeepTheirAlpha) {
    const Bytes file = join(header(2, 1, 1, 32), {10, 20, 30, 40});
    TARGA image;
    ASSERT_TRUE(decode(file, image));
    EXPECT_EQ(image.components, 4);
    EXPECT_EQ(pixels(image), (Bytes{30, 20, 10, 40}));
}

TEST(TargaUncompressed, GreyIsNotSwapped) {
    const Bytes file = join(header(3, 3, 1, 8), {1, 2, 3});
    TARGA image;
    ASSERT_TRUE(decode(file, image));
    EXPECT_EQ(image.components, 1);
    EXPECT_EQ(pixels(image), (Bytes{1, 2, 3}));
}

TEST(TargaUncompressed, ImageIdIsSkipped) {
    const Bytes file = join(header(2, 1, 1, 24, 5), {9, 9, 9, 9, 9, 1, 2, 3});
    TARGA image;
    ASSERT_TRUE(decode(file, image));
    EXPECT_EQ(pixels(image), (Bytes{3, 2, 1}));
}

TEST(TargaRunLength, RawAndRunPacketsFillTheImageExactly) {
    // 2x3 pixels: a run of 4 blue, then a raw packet of 2 (green, red).
    const Bytes file = join(header(10, 2, 3, 24), {128 + 3, 255, 0, 0, 1, 0, 255, 0, 0, 0, 255,
                                                   // bytes after the last packet are not pixels
                                                   7, 7, 7, 7});
    TARGA image;
    ASSERT_TRUE(decode(file, image));
    EXPECT_EQ(pixels(image),
              (Bytes{0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 255, 0, 255, 0, 0}));
}

TEST(TargaRunLength, ThirtyTwoBitsEndAsRgba) {
    const Bytes file = join(header(10, 3, 1, 32), {128 + 2, 1, 2, 3, 4});
    TARGA image;
    ASSERT_TRUE(decode(file, image));
    EXPECT_EQ(image.components, 4);
    EXPECT_EQ(pixels(image), (Bytes{3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1, 4}));
}

TEST(TargaRunLength, PacketsPastTheEndFail) {
    TARGA run;
    EXPECT_FALSE(decode(join(header(10, 2, 1, 24), {128 + 2, 1, 2, 3}), run));
    EXPECT_EQ(run.data, nullptr);
    TARGA raw;
    EXPECT_FALSE(decode(join(header(10, 2, 1, 24), {2, 1, 2, 3, 4, 5, 6, 7, 8, 9}), raw));
    EXPECT_EQ(raw.data, nullptr);
}

TEST(TargaFailures, TruncatedAndLyingFilesFailCleanly) {
    const Bytes whole = join(header(2, 2, 2, 24), Bytes(12, 50));
    for (size_t length = 0; length < whole.size(); ++length) {
        TARGA image;
        EXPECT_FALSE(decode(Bytes(whole.begin(), whole.begin() + length), image)) << length;
        EXPECT_EQ(image.data, nullptr);
        EXPECT_EQ(image.components, 0);
    }
    // 65535 x 65535 claimed by a file of a few bytes: refused before allocating gigabytes.
    for (const uint8_t type : {2, 3, 10}) {
        TARGA image;
        EXPECT_FALSE(decode(join(header(type, 65535, 65535, 32), {128 + 127, 1, 2, 3, 4}), image));
    }
    // An image ID longer than the file.
    TARGA id;
    EXPECT_FALSE(decode(join(header(2, 1, 1, 24, 200), {1, 2, 3}), id));
}

TEST(TargaFailures, PicturesOverThePixelBudgetAreRefusedEvenWhenTheFileHoldsThem) {
    // Run-length packets of 128 black pixels: five bytes describe 384 bytes of picture.
    const auto blackRuns = [](uint16_t width, uint16_t height) {
        Bytes file = header(10, width, height, 32);
        const int64_t packets = (int64_t{width} * height + 127) / 128;
        for (int64_t i = 0; i < packets; ++i) {
            file.insert(file.end(), {128 + 127, 0, 0, 0, 255});
        }
        return file;
    };
    TARGA over;
    EXPECT_FALSE(decode(blackRuns(4097, 4096), over));
    EXPECT_EQ(over.data, nullptr);
    TARGA within;
    ASSERT_TRUE(decode(blackRuns(4096, 4096), within));
    EXPECT_EQ(within.byteCount(), kMaxImagePixels * 4);
}

TEST(TargaFailures, UnsupportedTypesAndDepthsAreRefused) {
    const std::vector<Bytes> files = {
        join(header(1, 1, 1, 8), {0}),            // colour-mapped
        join(header(11, 1, 1, 8), {0, 0}),        // run-length grey
        join(header(2, 2, 1, 16), {0, 0, 0, 0}),  // 16-bit true colour
        join(header(2, 1, 1, 0), {}),             // no bits per pixel
        join(header(10, 1, 1, 8), {0, 0}),        // run-length with one byte per pixel
    };
    for (const Bytes& file : files) {
        TARGA image;
        EXPECT_FALSE(decode(file, image));
        EXPECT_EQ(image.data, nullptr);
    }
}

}  // namespace
