#include "tools/capture/audio_clip.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// Ten frames whose left sample is the frame number in eighths of full scale and right sample
// its negative, so every copied sample tells where it came from.
DecodedTrack numberedTrack() {
    DecodedTrack track;
    for (int16_t frame = 1; frame <= 10; ++frame) {
        track.samples.push_back(static_cast<int16_t>(frame * 4096 / 8));
        track.samples.push_back(static_cast<int16_t>(-frame * 4096 / 8));
    }
    return track;
}

// The samples as the frame numbers they were made from.
std::vector<float> leftChannel(const std::vector<float>& samples) {
    std::vector<float> left;
    for (size_t i = 0; i < samples.size(); i += 2) {
        left.push_back(samples[i] * 64.0f);
    }
    return left;
}

TEST(AudioFrameCount, SpansTheFramesToTheNearestSample) {
    EXPECT_EQ(audioFrameCount(90, 30.0), 132300);
    EXPECT_EQ(audioFrameCount(1, 60.0), 735);
    EXPECT_EQ(audioFrameCount(90, 29.97), 132432);  // 132432.4
    EXPECT_EQ(audioFrameCount(0, 60.0), 0);
}

TEST(AudioRange, CutsBySampleIndexAndPadsOutsideTheTrackWithZeros) {
    const DecodedTrack track = numberedTrack();
    std::vector<float> inside = audioRange(track, 2, 3);
    for (float& sample : inside) {
        sample *= 64.0f;
    }
    EXPECT_EQ(inside, (std::vector<float>{3, -3, 4, -4, 5, -5}));
    EXPECT_EQ(leftChannel(audioRange(track, 0, 10)),
              (std::vector<float>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(leftChannel(audioRange(track, -2, 4)), (std::vector<float>{0, 0, 1, 2}));
    EXPECT_EQ(leftChannel(audioRange(track, 8, 4)), (std::vector<float>{9, 10, 0, 0}));
    EXPECT_EQ(leftChannel(audioRange(track, -1, 12)),
              (std::vector<float>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0}));
    EXPECT_EQ(audioRange(track, 10, 3), std::vector<float>(6, 0.0f));
    EXPECT_EQ(audioRange(track, -5, 2), std::vector<float>(4, 0.0f));
    EXPECT_TRUE(audioRange(track, 4, 0).empty());
    EXPECT_EQ(audioRange(DecodedTrack{}, 0, 3), std::vector<float>(6, 0.0f));
}

class WavFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("zentrox_wav_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::vector<uint8_t> read(const std::filesystem::path& path) const {
        std::ifstream file(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
    }

    std::filesystem::path folder;
};

uint32_t littleEndian(const std::vector<uint8_t>& bytes, size_t at, int32_t size) {
    uint32_t value = 0;
    for (int32_t i = size - 1; i >= 0; --i) {
        value = value << 8 | bytes[at + static_cast<size_t>(i)];
    }
    return value;
}

TEST_F(WavFileTest, WritesStereoSixteenBitPcmAtTheTrackRate) {
    const std::string path = (folder / "clip.wav").string();
    std::string error;
    ASSERT_TRUE(writeWav(path, {0.0f, 1.0f, -1.0f, 0.5f, 2.0f, -2.0f}, error)) << error;
    const std::vector<uint8_t> bytes = read(path);
    ASSERT_EQ(bytes.size(), 44u + 12u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(littleEndian(bytes, 4, 4), 36u + 12u);
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(littleEndian(bytes, 20, 2), 1u);  // PCM
    EXPECT_EQ(littleEndian(bytes, 22, 2), 2u);
    EXPECT_EQ(littleEndian(bytes, 24, 4), 44100u);
    EXPECT_EQ(littleEndian(bytes, 28, 4), 44100u * 4u);
    EXPECT_EQ(littleEndian(bytes, 32, 2), 4u);
    EXPECT_EQ(littleEndian(bytes, 34, 2), 16u);
    EXPECT_EQ(std::string(bytes.begin() + 36, bytes.begin() + 40), "data");
    EXPECT_EQ(littleEndian(bytes, 40, 4), 12u);
    std::vector<int16_t> samples;
    for (size_t at = 44; at < bytes.size(); at += 2) {
        samples.push_back(static_cast<int16_t>(littleEndian(bytes, at, 2)));
    }
    // Out of range samples are clamped rather than wrapped round.
    EXPECT_EQ(samples, (std::vector<int16_t>{0, 32767, -32767, 16384, 32767, -32767}));
}

TEST_F(WavFileTest, RefusesWhatItCannotWriteAndNamesTheFile) {
    std::string error;
    const std::string inMissingFolder = (folder / "missing" / "clip.wav").string();
    EXPECT_FALSE(writeWav(inMissingFolder, {0.0f, 0.0f}, error));
    EXPECT_NE(error.find(inMissingFolder), std::string::npos) << error;
    error.clear();
    const std::string halfFrame = (folder / "odd.wav").string();
    EXPECT_FALSE(writeWav(halfFrame, {0.0f}, error));
    EXPECT_NE(error.find(halfFrame), std::string::npos) << error;
}

}  // namespace
