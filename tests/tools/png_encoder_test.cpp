#include "tools/png/png_encoder.h"

#include <gtest/gtest.h>

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
