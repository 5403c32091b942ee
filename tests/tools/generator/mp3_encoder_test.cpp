#include "tools/generator/mp3_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "generator_test_support.h"
#include "resources/mp3_track.h"
#include "tools/generator/stereo_buffer.h"

namespace {

// Encodes, writes and decodes through the demo's own gapless decoder.
DecodedTrack roundTrip(const std::vector<float>& interleaved) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(encodeMp3(interleaved, bytes, error)) << error;
    const ScratchFolder folder("zentrox-mp3");
    const std::filesystem::path file = folder.path / "track.mp3";
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    DecodedTrack track;
    EXPECT_TRUE(decodeMp3(String(file.c_str()), track));
    return track;
}

int64_t loudestFrame(const DecodedTrack& track) {
    int64_t loudest = 0;
    for (int64_t i = 1; i < track.frames(); ++i) {
        if (std::fabs(track.mono(i)) > std::fabs(track.mono(loudest))) {
            loudest = i;
        }
    }
    return loudest;
}

TEST(Mp3Encoder, AClickDecodesWithinAMillisecondOfWhereItWasPlaced) {
    constexpr int64_t kClickFrame = 56789;
    std::vector<float> samples(static_cast<size_t>(framesOf(3.0)) * 2, 0.0f);
    // A three-sample burst, short enough to stay a click and long enough to survive the
    // encoder's low-pass.
    for (int64_t i = kClickFrame - 1; i <= kClickFrame + 1; ++i) {
        const float level = i == kClickFrame ? 0.8f : 0.4f;
        samples[static_cast<size_t>(2 * i)] = level;
        samples[static_cast<size_t>(2 * i + 1)] = level;
    }
    const DecodedTrack track = roundTrip(samples);
    // Gapless decoding gives back exactly the frames encoded, no delay or padding.
    EXPECT_EQ(track.frames(), framesOf(3.0));
    EXPECT_NEAR(static_cast<double>(loudestFrame(track)), static_cast<double>(kClickFrame), 44.0);
}

TEST(Mp3Encoder, KeepsATonesLevelAndChannels) {
    const DecodedTrack track = roundTrip(interleave(sineTone(1000.0, 0.5, 1.0, true, false)));
    std::vector<float> left;
    std::vector<float> right;
    for (int64_t i = 0; i < track.frames(); ++i) {
        left.push_back(track.sample(static_cast<size_t>(2 * i)));
        right.push_back(track.sample(static_cast<size_t>(2 * i + 1)));
    }
    EXPECT_NEAR(toneAmplitude(left, 1000.0), 0.5, 0.02);
    EXPECT_LT(toneAmplitude(right, 1000.0), 0.005);
}

bool contains(const std::vector<uint8_t>& bytes, std::string_view text, size_t first, size_t last) {
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(first);
    const auto end = bytes.begin() + static_cast<std::ptrdiff_t>(std::min(last, bytes.size()));
    return std::search(begin, end, text.begin(), text.end()) != end;
}

TEST(Mp3Encoder, EqualSamplesGiveEqualBytesWithAnInfoTagAndNoId3) {
    const std::vector<float> samples = interleave(sineTone(440.0, 0.3, 2.0, true, true));
    std::vector<uint8_t> first;
    std::vector<uint8_t> second;
    std::string error;
    ASSERT_TRUE(encodeMp3(samples, first, error)) << error;
    ASSERT_TRUE(encodeMp3(samples, second, error)) << error;
    EXPECT_EQ(first, second);
    // The first frame (626 bytes at 192 kbit/s) is the tag: an MPEG-1 layer III sync word,
    // then "Info" (constant rate) and LAME's delay and padding block.
    ASSERT_GT(first.size(), 1000u);
    EXPECT_EQ(first[0], 0xff);
    EXPECT_EQ(first[1] & 0xfe, 0xfa);
    EXPECT_TRUE(contains(first, "Info", 0, 626));
    EXPECT_TRUE(contains(first, "LAME", 0, 626));
    EXPECT_FALSE(contains(first, "ID3", 0, 16));
    EXPECT_FALSE(contains(first, "TAG", first.size() - 128, first.size()));
}

TEST(Mp3Encoder, RefusesEmptyOrUnpairedSamples) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(encodeMp3({}, bytes, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(encodeMp3({0.0f, 0.0f, 0.0f}, bytes, error));
}

}  // namespace
