#include "resources/mp3_stream.h"

#include <gtest/gtest.h>
#include <lame/lame.h>

#include <cmath>
#include <fstream>
#include <numbers>

#include "generator_test_support.h"
#include "resources/mp3_track.h"
#include "tools/generator/mp3_encoder.h"
#include "tools/generator/stereo_buffer.h"

namespace {

void writeFile(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// A mono MP3 at `rate`, which the demo's own encoder never writes.
std::vector<uint8_t> encodeMono(const std::vector<float>& samples, int rate) {
    lame_global_flags* lame = lame_init();
    lame_set_in_samplerate(lame, rate);
    lame_set_out_samplerate(lame, rate);
    lame_set_num_channels(lame, 1);
    lame_set_mode(lame, MONO);
    lame_set_brate(lame, 64);
    EXPECT_EQ(lame_init_params(lame), 0);
    std::vector<uint8_t> bytes(samples.size() * 2 + 7200);
    const int encoded = lame_encode_buffer_ieee_float(lame, samples.data(), samples.data(),
                                                      static_cast<int>(samples.size()),
                                                      bytes.data(), static_cast<int>(bytes.size()));
    const int flushed =
        lame_encode_flush(lame, bytes.data() + encoded, static_cast<int>(bytes.size()) - encoded);
    lame_close(lame);
    bytes.resize(static_cast<size_t>(encoded + flushed));
    return bytes;
}

class Mp3StreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<uint8_t> bytes;
        std::string error;
        ASSERT_TRUE(encodeMp3(interleave(sineTone(523.0, 0.5, 3.0, true, false)), bytes, error));
        writeFile(music, bytes);
        ASSERT_TRUE(decodeMp3(String(music.c_str()), whole));
    }

    // The whole music read in pieces of the given sizes, taken in turn.
    std::vector<int16_t> readInPieces(Mp3Stream& stream, const std::vector<int64_t>& sizes) {
        std::vector<int16_t> samples;
        for (size_t i = 0;; ++i) {
            const int64_t size = sizes[i % sizes.size()];
            std::vector<int16_t> piece(static_cast<size_t>(size) * kTrackChannels);
            const int64_t got = stream.read(piece.data(), size);
            samples.insert(samples.end(), piece.begin(), piece.begin() + got * kTrackChannels);
            if (got < size) {
                return samples;
            }
        }
    }

    const ScratchFolder folder{"zentrox-mp3-stream"};
    const std::filesystem::path music = folder.path / "music.mp3";
    DecodedTrack whole;
};

TEST_F(Mp3StreamTest, PiecesOfAnySizeJoinIntoTheWholeMusic) {
    Mp3Stream stream;
    ASSERT_TRUE(stream.open(String(music.c_str())));
    EXPECT_EQ(stream.expectedFrames(), whole.frames());
    // Sizes that straddle the decoder's 1152-frame blocks every way.
    EXPECT_EQ(readInPieces(stream, {1, 333, 1024, 1152, 5000}), whole.samples);
    int16_t after[2] = {7, 7};
    EXPECT_EQ(stream.read(after, 1), 0);  // the end stays the end
}

TEST_F(Mp3StreamTest, SeekingPlaysOnFromExactlyThatFrame) {
    Mp3Stream stream;
    ASSERT_TRUE(stream.open(String(music.c_str())));
    std::vector<int16_t> ignored(4096 * kTrackChannels);
    stream.read(ignored.data(), 4096);
    for (const int64_t frame : {int64_t{44100}, int64_t{0}, int64_t{100001}}) {
        ASSERT_TRUE(stream.seek(frame));
        std::vector<int16_t> got(2000 * kTrackChannels);
        ASSERT_EQ(stream.read(got.data(), 2000), 2000);
        const auto first = whole.samples.begin() + frame * kTrackChannels;
        EXPECT_TRUE(std::equal(got.begin(), got.end(), first)) << "from frame " << frame;
    }
    EXPECT_FALSE(stream.seek(-1));
}

TEST_F(Mp3StreamTest, MonoAtOtherRatesComesOutAsStereoAt44100) {
    for (const int rate : {22050, 48000}) {
        std::vector<float> tone(static_cast<size_t>(rate));  // one second
        for (size_t i = 0; i < tone.size(); ++i) {
            tone[i] = 0.5f * static_cast<float>(std::sin(2.0 * std::numbers::pi * 1000.0 *
                                                         static_cast<double>(i) / rate));
        }
        writeFile(music, encodeMono(tone, rate));
        DecodedTrack track;
        ASSERT_TRUE(decodeMp3(String(music.c_str()), track)) << rate;
        // Without a gapless tag the encoder's delay and padding stay in: up to two frames.
        EXPECT_NEAR(static_cast<double>(track.frames()), 44100.0, 2.0 * 2304.0) << rate;
        std::vector<float> left;
        for (int64_t i = 0; i < track.frames(); ++i) {
            const size_t at = static_cast<size_t>(i) * kTrackChannels;
            ASSERT_EQ(track.samples[at], track.samples[at + 1]) << rate << " Hz, frame " << i;
            left.push_back(track.sample(at));
        }
        EXPECT_NEAR(toneAmplitude(left, 1000.0), 0.5, 0.05) << rate;
    }
}

TEST(Mp3StreamRefusals, WhatIsNoMusicOpensAsNothing) {
    const ScratchFolder folder("zentrox-mp3-refusals");
    std::vector<uint8_t> noise(20000);
    uint32_t state = 12345;
    for (uint8_t& byte : noise) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<uint8_t>(state >> 16);
    }
    writeFile(folder.path / "noise.mp3", noise);
    writeFile(folder.path / "empty.mp3", {});
    std::filesystem::create_directory(folder.path / "folder.mp3");
    for (const char* name : {"missing.mp3", "noise.mp3", "empty.mp3", "folder.mp3"}) {
        Mp3Stream stream;
        EXPECT_FALSE(stream.open(String((folder.path / name).c_str()))) << name;
        int16_t samples[8] = {};
        EXPECT_EQ(stream.read(samples, 4), 0) << name;
        EXPECT_FALSE(stream.seek(0)) << name;
        EXPECT_EQ(stream.expectedFrames(), 0) << name;
    }
}

}  // namespace
