#include "tools/capture/audio_clip.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "base/file_handle.h"

namespace {

constexpr int32_t kBitsPerSample = 16;
constexpr int32_t kBytesPerFrame = kTrackChannels * kBitsPerSample / 8;
constexpr int64_t kHeaderBytes = 44;
// The RIFF sizes are 32-bit.
constexpr int64_t kMaxDataBytes = 0xFFFFFFFFll - kHeaderBytes;

void putLittleEndian(std::vector<uint8_t>& bytes, uint32_t value, int32_t size) {
    for (int32_t i = 0; i < size; ++i) {
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

void putTag(std::vector<uint8_t>& bytes, const char* tag) {
    bytes.insert(bytes.end(), tag, tag + 4);
}

std::vector<uint8_t> wavHeader(uint32_t dataBytes) {
    std::vector<uint8_t> header;
    putTag(header, "RIFF");
    putLittleEndian(header, dataBytes + kHeaderBytes - 8, 4);
    putTag(header, "WAVE");
    putTag(header, "fmt ");
    putLittleEndian(header, 16, 4);  // size of the PCM format record
    putLittleEndian(header, 1, 2);   // PCM
    putLittleEndian(header, kTrackChannels, 2);
    putLittleEndian(header, kTrackRate, 4);
    putLittleEndian(header, kTrackRate * kBytesPerFrame, 4);
    putLittleEndian(header, kBytesPerFrame, 2);
    putLittleEndian(header, kBitsPerSample, 2);
    putTag(header, "data");
    putLittleEndian(header, dataBytes, 4);
    return header;
}

// Samples as little-endian signed 16-bit values, x * 32767 rounded.
std::vector<uint8_t> pcmBytes(const float* samples, size_t count) {
    std::vector<uint8_t> bytes;
    bytes.reserve(count * 2);
    for (size_t i = 0; i < count; ++i) {
        const float clamped = std::clamp(samples[i], -1.0f, 1.0f);
        const auto value = static_cast<int16_t>(std::lrint(clamped * 32767.0f));
        putLittleEndian(bytes, static_cast<uint16_t>(value), 2);
    }
    return bytes;
}

bool putBytes(std::FILE* file, const std::vector<uint8_t>& bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

}  // namespace

int64_t audioFrameCount(int64_t videoFrames, double framesPerSecond) {
    return std::llround(static_cast<double>(videoFrames) * kTrackRate / framesPerSecond);
}

std::vector<float> audioRange(const DecodedTrack& track, int64_t first, int64_t count) {
    std::vector<float> samples(static_cast<size_t>(std::max<int64_t>(count, 0)) * kTrackChannels,
                               0.0f);
    const int64_t begin = std::clamp<int64_t>(first, 0, track.frames());
    const int64_t end = std::clamp<int64_t>(first + count, 0, track.frames());
    if (begin < end) {
        for (int64_t i = begin * kTrackChannels; i < end * kTrackChannels; ++i) {
            samples[static_cast<size_t>(i - first * kTrackChannels)] =
                track.sample(static_cast<size_t>(i));
        }
    }
    return samples;
}

bool writeWav(const std::string& path, const std::vector<float>& samples, std::string& error) {
    const int64_t dataBytes = static_cast<int64_t>(samples.size()) * 2;
    if (samples.size() % kTrackChannels != 0 || dataBytes > kMaxDataBytes) {
        error = "cannot write " + path + ": the sound does not fit a WAV file";
        return false;
    }
    const FileHandle file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    bool written = putBytes(file.get(), wavHeader(static_cast<uint32_t>(dataBytes)));
    // In blocks, so a three-minute clip does not need a second copy in memory.
    constexpr size_t kBlock = 65536;
    for (size_t at = 0; written && at < samples.size(); at += kBlock) {
        written = putBytes(file.get(),
                           pcmBytes(samples.data() + at, std::min(kBlock, samples.size() - at)));
    }
    if (!written || std::fflush(file.get()) != 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}
