#include "tools/png/png_encoder.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <fstream>

#include "generator/generator_test_support.h"
#include "tools/generator/noise.h"

namespace {

Pixmap hashedPixmap(int32_t width, int32_t height, int32_t channels) {
    Pixmap pixmap{width, height, channels, {}};
    pixmap.bytes.resize(static_cast<size_t>(width) * height * channels);
    for (size_t i = 0; i < pixmap.bytes.size(); ++i) {
        pixmap.bytes[i] = static_cast<uint8_t>(hashCell(static_cast<int32_t>(i), 0, 3u));
    }
    return pixmap;
}

void writeBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

class PngEncoderTest : public ::testing::TestWithParam<std::tuple<int32_t, PngCompression>> {};

TEST_P(PngEncoderTest, ReadsBackTheSamePixelsTopRowFirst) {
    const auto [channels, compression] = GetParam();
    // Odd sizes catch row-stride mistakes.
    Pixmap pixmap = hashedPixmap(37, 21, channels);
    pixmap.at(0, 0, 0) = 250;  // top-left
    pixmap.at(0, 20, 0) = 5;   // bottom-left
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(encodePng(pngPicture(pixmap), compression, bytes, error)) << error;
    const ScratchFolder folder("zentrox-png");
    const std::filesystem::path file = folder.path / "picture.png";
    writeBytes(file, bytes);
    const Pixmap decoded = readPngFile(file.string(), channels);
    ASSERT_EQ(decoded.width, 37);
    ASSERT_EQ(decoded.height, 21);
    EXPECT_EQ(decoded.at(0, 0, 0), 250);
    EXPECT_EQ(decoded.at(0, 20, 0), 5);
    EXPECT_TRUE(decoded.bytes == pixmap.bytes);
}

INSTANTIATE_TEST_SUITE_P(ChannelsAndCompressions, PngEncoderTest,
                         ::testing::Combine(::testing::Values(1, 3, 4),
                                            ::testing::Values(PngCompression::Small,
                                                              PngCompression::Fast)));

// Small values and flat runs make the Paeth predictor's three distances tie often, where the
// order of its comparisons decides the byte; widths under two pixels leave no pixel to the left.
Pixmap tiedPixmap(int32_t width, int32_t height, int32_t channels) {
    Pixmap pixmap{width, height, channels, {}};
    pixmap.bytes.resize(static_cast<size_t>(width) * height * channels);
    for (size_t i = 0; i < pixmap.bytes.size(); ++i) {
        const uint32_t hash = hashCell(static_cast<int32_t>(i), 1, 5u);
        pixmap.bytes[i] = static_cast<uint8_t>(hash % 7 == 0 ? 255 : hash % 3);
    }
    return pixmap;
}

Pixmap roundTrip(const Pixmap& pixmap, PngCompression compression) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(encodePng(pngPicture(pixmap), compression, bytes, error)) << error;
    const ScratchFolder folder("zentrox-png");
    const std::filesystem::path file = folder.path / "picture.png";
    writeBytes(file, bytes);
    return readPngFile(file.string(), pixmap.channels);
}

TEST(PngEncoder, FastFramesOfEveryShapeReadBackExactly) {
    const std::pair<int32_t, int32_t> sizes[] = {{1, 1}, {1, 6}, {2, 1}, {2, 3}, {5, 4}, {97, 33}};
    for (const int32_t channels : {1, 3, 4}) {
        for (const auto& [width, height] : sizes) {
            for (const Pixmap& pixmap :
                 {tiedPixmap(width, height, channels), hashedPixmap(width, height, channels)}) {
                const Pixmap decoded = roundTrip(pixmap, PngCompression::Fast);
                EXPECT_TRUE(decoded.bytes == pixmap.bytes)
                    << width << "x" << height << " with " << channels << " channels";
            }
        }
    }
}

uint32_t bigEndianAt(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) << 24 | static_cast<uint32_t>(bytes[at + 1]) << 16 |
           static_cast<uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
}

// Decoders differ in which CRCs they check, so every chunk's is checked here.
TEST(PngEncoder, FastFilesAreHeaderDataAndEndWithTheirCrcs) {
    const Pixmap pixmap = hashedPixmap(31, 17, 3);
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(encodePng(pngPicture(pixmap), PngCompression::Fast, bytes, error)) << error;
    const std::vector<uint8_t> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    ASSERT_TRUE(std::equal(signature.begin(), signature.end(), bytes.begin()));
    std::vector<std::string> types;
    std::vector<uint8_t> stream;
    size_t at = signature.size();
    while (at + 12 <= bytes.size()) {
        const uint32_t length = bigEndianAt(bytes, at);
        ASSERT_LE(at + 12 + length, bytes.size());
        const std::string type(bytes.begin() + static_cast<std::ptrdiff_t>(at + 4),
                               bytes.begin() + static_cast<std::ptrdiff_t>(at + 8));
        const uint32_t crc = static_cast<uint32_t>(crc32(0, bytes.data() + at + 4, length + 4));
        EXPECT_EQ(bigEndianAt(bytes, at + 8 + length), crc) << type;
        if (type == "IDAT") {
            stream.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at + 8),
                          bytes.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        }
        types.push_back(type);
        at += 12 + length;
    }
    EXPECT_EQ(at, bytes.size());
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_EQ(bigEndianAt(bytes, 16), 31u);
    EXPECT_EQ(bigEndianAt(bytes, 20), 17u);
    const size_t stride = 31 * 3 + 1;
    std::vector<uint8_t> rows(stride * 17);
    uLongf rowBytes = static_cast<uLongf>(rows.size());
    ASSERT_EQ(uncompress(rows.data(), &rowBytes, stream.data(), static_cast<uLong>(stream.size())),
              Z_OK);
    EXPECT_EQ(rowBytes, rows.size());
}

bool containsChunk(const std::vector<uint8_t>& bytes, const char* name) {
    return std::search(bytes.begin(), bytes.end(), name, name + 4) != bytes.end();
}

TEST(PngEncoder, EqualPixmapsGiveEqualBytesWithoutTimeOrText) {
    const Pixmap pixmap = hashedPixmap(64, 64, 3);
    std::vector<uint8_t> first;
    std::vector<uint8_t> second;
    std::string error;
    ASSERT_TRUE(encodePng(pngPicture(pixmap), PngCompression::Small, first, error));
    ASSERT_TRUE(encodePng(pngPicture(pixmap), PngCompression::Small, second, error));
    EXPECT_EQ(first, second);
    EXPECT_FALSE(containsChunk(first, "tIME"));
    EXPECT_FALSE(containsChunk(first, "tEXt"));
    EXPECT_FALSE(containsChunk(first, "zTXt"));
}

TEST(PngEncoder, RefusesPixmapsItCannotWrite) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(encodePng(pngPicture(Pixmap{}), PngCompression::Small, bytes, error));
    EXPECT_FALSE(error.empty());
    Pixmap twoChannels = hashedPixmap(4, 4, 2);
    EXPECT_FALSE(encodePng(pngPicture(twoChannels), PngCompression::Small, bytes, error));
    Pixmap short_ = hashedPixmap(4, 4, 3);
    short_.bytes.pop_back();
    EXPECT_FALSE(encodePng(pngPicture(short_), PngCompression::Fast, bytes, error));
}

}  // namespace
