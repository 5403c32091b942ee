#include "resources/png.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resources/memory_stream.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSuite = fs::path(ZENTROX_TEST_DATA) / "pngsuite";

std::vector<uint8_t> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What a file says of itself, read straight from its chunks without libpng.
struct Chunks {
    uint32_t width = 0;
    uint32_t height = 0;
    int colourType = -1;
    int bitDepth = 0;
    bool hasTransparency = false;
    bool hasGamma = false;
    bool hasSrgb = false;
};

uint32_t bigEndian(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

Chunks readChunks(const std::vector<uint8_t>& file) {
    Chunks chunks;
    size_t at = 8;
    while (at + 8 <= file.size()) {
        const uint32_t length = bigEndian(&file[at]);
        const std::string type(reinterpret_cast<const char*>(&file[at + 4]), 4);
        if (type == "IHDR" && at + 8 + 13 <= file.size()) {
            chunks.width = bigEndian(&file[at + 8]);
            chunks.height = bigEndian(&file[at + 12]);
            chunks.bitDepth = file[at + 16];
            chunks.colourType = file[at + 17];
        }
        chunks.hasTransparency |= type == "tRNS";
        chunks.hasGamma |= type == "gAMA";
        chunks.hasSrgb |= type == "sRGB";
        at += 12 + static_cast<size_t>(length);
    }
    return chunks;
}

int expectedComponents(const Chunks& chunks) {
    switch (chunks.colourType) {
        case 0:
            return chunks.hasTransparency ? 2 : 1;
        case 2:
        case 3:
            return chunks.hasTransparency ? 4 : 3;
        case 6:
            return 4;
        default:
            return 0;
    }
}

bool decode(const std::vector<uint8_t>& file, PNG& image) {
    MemoryStream stream(file.data(), file.size());
    return image.load(stream);
}

// The same file through libpng's simplified reader, bottom row first like our images.
std::vector<uint8_t> referencePixels(const std::vector<uint8_t>& file, int components) {
    png_image reference;
    std::memset(&reference, 0, sizeof reference);
    reference.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&reference, file.data(), file.size()) == 0) {
        return {};
    }
    const png_uint_32 formats[] = {0, PNG_FORMAT_GRAY, PNG_FORMAT_GA, PNG_FORMAT_RGB,
                                   PNG_FORMAT_RGBA};
    reference.format = formats[components];
    const int32_t stride = -static_cast<int32_t>(PNG_IMAGE_ROW_STRIDE(reference));
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(reference));
    if (png_image_finish_read(&reference, nullptr, pixels.data(), stride, nullptr) == 0) {
        return {};
    }
    return pixels;
}

std::vector<fs::path> suiteFiles() {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(kSuite)) {
        if (entry.path().extension() == ".png") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(PngSuite, EveryValidFileLoadsWithItsSizeAndChannels) {
    int checked = 0;
    for (const fs::path& path : suiteFiles()) {
        const std::string name = path.filename().string();
        const std::vector<uint8_t> file = readBytes(path);
        const Chunks chunks = readChunks(file);
        if (name[0] == 'x' || chunks.colourType == 4) {
            continue;
        }
        SCOPED_TRACE(name);
        PNG image;
        ASSERT_TRUE(decode(file, image));
        EXPECT_EQ(image.width, static_cast<int32_t>(chunks.width));
        EXPECT_EQ(image.height, static_cast<int32_t>(chunks.height));
        EXPECT_EQ(image.components, expectedComponents(chunks));
        ASSERT_NE(image.data, nullptr);
        ++checked;
    }
    EXPECT_GT(checked, 140);
}

TEST(PngSuite, EightBitFilesWithoutGammaMatchAnIndependentDecoder) {
    int compared = 0;
    for (const fs::path& path : suiteFiles()) {
        const std::string name = path.filename().string();
        const std::vector<uint8_t> file = readBytes(path);
        const Chunks chunks = readChunks(file);
        if (name[0] == 'x' || chunks.colourType == 4 || chunks.bitDepth != 8 || chunks.hasGamma) {
            continue;
        }
        SCOPED_TRACE(name);
        PNG image;
        ASSERT_TRUE(decode(file, image));
        const std::vector<uint8_t> expected = referencePixels(file, image.components);
        ASSERT_EQ(expected.size(), static_cast<size_t>(image.byteCount()));
        EXPECT_EQ(std::memcmp(expected.data(), image.data, expected.size()), 0);
        ++compared;
    }
    EXPECT_GT(compared, 10);
}

TEST(PngSuite, GreyWithAlphaIsRefused) {
    for (const char* name : {"basn4a08.png", "basn4a16.png", "basi4a08.png", "bgai4a16.png"}) {
        SCOPED_TRACE(name);
        PNG image;
        EXPECT_FALSE(decode(readBytes(kSuite / name), image));
        EXPECT_EQ(image.data, nullptr);
        EXPECT_EQ(image.components, 0);
    }
}

TEST(PngSuite, CorruptFilesFailCleanly) {
    int corrupt = 0;
    for (const fs::path& path : suiteFiles()) {
        if (path.filename().string()[0] != 'x') {
            continue;
        }
        SCOPED_TRACE(path.filename().string());
        PNG image;
        EXPECT_FALSE(decode(readBytes(path), image));
        EXPECT_EQ(image.data, nullptr);
        ++corrupt;
    }
    EXPECT_EQ(corrupt, 14);
}

TEST(PngDecoding, TruncatedFilesFailAtEveryLength) {
    const std::vector<uint8_t> file = readBytes(kSuite / "basn2c08.png");
    for (size_t length = 0; length + 12 < file.size(); length += 7) {
        const std::vector<uint8_t> cut(file.begin(), file.begin() + length);
        PNG image;
        EXPECT_FALSE(decode(cut, image)) << length;
        EXPECT_EQ(image.data, nullptr);
    }
}

TEST(PngDecoding, TheTopRowEndsUpLast) {
    // basn0g08 is a grey ramp whose first row starts at 0 and each row brightens.
    const std::vector<uint8_t> file = readBytes(kSuite / "basn0g08.png");
    PNG image;
    ASSERT_TRUE(decode(file, image));
    png_image topDown;
    std::memset(&topDown, 0, sizeof topDown);
    topDown.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_memory(&topDown, file.data(), file.size()), 0);
    topDown.format = PNG_FORMAT_GRAY;
    std::vector<uint8_t> rows(PNG_IMAGE_SIZE(topDown));
    ASSERT_NE(png_image_finish_read(&topDown, nullptr, rows.data(), 0, nullptr), 0);
    const size_t rowBytes = static_cast<size_t>(image.width);
    const size_t lastRow = static_cast<size_t>(image.height - 1) * rowBytes;
    EXPECT_EQ(std::memcmp(image.data + lastRow, rows.data(), rowBytes), 0);
    EXPECT_EQ(std::memcmp(image.data, rows.data() + lastRow, rowBytes), 0);
}

TEST(PngDecoding, PaletteWithTransparencyGainsAlpha) {
    PNG image;
    ASSERT_TRUE(decode(readBytes(kSuite / "tbbn3p08.png"), image));
    EXPECT_EQ(image.components, 4);
    bool anyTransparent = false;
    bool anyOpaque = false;
    for (int64_t i = 3; i < image.byteCount(); i += 4) {
        anyTransparent |= image.data[i] == 0;
        anyOpaque |= image.data[i] == 255;
    }
    EXPECT_TRUE(anyTransparent);
    EXPECT_TRUE(anyOpaque);

    PNG opaque;
    ASSERT_TRUE(decode(readBytes(kSuite / "basn3p08.png"), opaque));
    EXPECT_EQ(opaque.components, 3);
}

TEST(PngDecoding, LowBitGreyIsScaledToFullBytes) {
    PNG image;
    ASSERT_TRUE(decode(readBytes(kSuite / "f99n0g04.png"), image));  // no gamma chunk
    EXPECT_EQ(image.components, 1);
    uint8_t brightest = 0;
    for (int64_t i = 0; i < image.byteCount(); ++i) {
        brightest = std::max(brightest, image.data[i]);
    }
    EXPECT_EQ(brightest, 255);
}

// A 2x1 RGB file with pixel values v, written with the given colour-space chunk.
enum class Space { None, Srgb, Gamma045, Gamma100 };

void setSpace(png_structp png, png_infop info, Space space) {
    if (space == Space::Srgb) {
        png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
    } else if (space == Space::Gamma045) {
        png_set_gAMA(png, info, 0.45455);
    } else if (space == Space::Gamma100) {
        png_set_gAMA(png, info, 1.0);
    }
}

// A file of `height` copies of one row, written by libpng.
std::vector<uint8_t> encodeRows(uint32_t width, uint32_t height, int bitDepth, int colourType,
                                const std::vector<uint8_t>& row, Space space) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t size) {
            auto* bytes = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
            bytes->insert(bytes->end(), data, data + size);
        },
        nullptr);
    png_set_user_limits(png, 0x7fffffff, 0x7fffffff);
    png_set_IHDR(png, info, width, height, bitDepth, colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    setSpace(png, info, space);
    png_write_info(png, info);
    for (uint32_t y = 0; y < height; ++y) {
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<uint8_t> encodeGrey(uint8_t value, Space space) {
    return encodeRows(2, 1, 8, PNG_COLOR_TYPE_RGB, std::vector<uint8_t>(6, value), space);
}

TEST(PngDecoding, GammaIsCorrectedOnlyForFilesThatNeedIt) {
    for (const Space space : {Space::None, Space::Srgb, Space::Gamma045}) {
        PNG image;
        ASSERT_TRUE(decode(encodeGrey(128, space), image));
        EXPECT_EQ(image.data[0], 128) << static_cast<int>(space);
    }
    // A linear file shown on a 2.2 display brightens: 255 * (128 / 255)^(1 / 2.2) = 186.
    PNG linear;
    ASSERT_TRUE(decode(encodeGrey(128, Space::Gamma100), linear));
    EXPECT_NEAR(linear.data[0], 186, 1);
}

// A valid black picture of one-bit grey pixels: a few kilobytes that decode to a byte a pixel.
std::vector<uint8_t> encodeBlackBits(uint32_t width, uint32_t height) {
    return encodeRows(width, height, 1, PNG_COLOR_TYPE_GRAY,
                      std::vector<uint8_t>((width + 7) / 8, 0), Space::None);
}

TEST(PngDecoding, PicturesOverThePixelBudgetAreRefusedBeforeDecoding) {
    // 16384 x 16384: 34 KB of file, a quarter of a gigabyte of pixels.
    const std::vector<uint8_t> bomb = encodeBlackBits(16384, 16384);
    ASSERT_LT(bomb.size(), 64u * 1024);
    PNG refused;
    EXPECT_FALSE(decode(bomb, refused));
    EXPECT_EQ(refused.data, nullptr);
    EXPECT_EQ(refused.width, 0);
    // One row more than the budget allows is refused; the budget itself decodes.
    PNG over;
    EXPECT_FALSE(decode(encodeBlackBits(4096, 4097), over));
    PNG within;
    ASSERT_TRUE(decode(encodeBlackBits(8192, 2048), within));
    EXPECT_EQ(within.byteCount(), kMaxImagePixels);
}

}  // namespace
