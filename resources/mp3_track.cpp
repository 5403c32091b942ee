#include "resources/mp3_track.h"

#include <mpg123.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "resources/data_path.h"

namespace {

struct HandleCloser {
    void operator()(mpg123_handle* handle) const {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};
using Decoder = std::unique_ptr<mpg123_handle, HandleCloser>;

Decoder openDecoder(const String& name) {
    // Thread-safe and idempotent from mpg123 1.27 on; the program decodes on one thread anyway.
    if (mpg123_init() != MPG123_OK) {
        return nullptr;
    }
    int error = MPG123_OK;
    Decoder decoder(mpg123_new(nullptr, &error));
    if (!decoder) {
        return nullptr;
    }
    mpg123_param(decoder.get(), MPG123_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
    mpg123_format_none(decoder.get());
    // Every standard rate, 16-bit, mono or stereo; conversion to the track's form is ours.
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i) {
        mpg123_format(decoder.get(), rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    }
    if (mpg123_open(decoder.get(), dataPath(name).c_str()) != MPG123_OK) {
        return nullptr;
    }
    return decoder;
}

// NOTE: growing by doubling would hold up to three times the music at once while the last
// block is copied over (some 200 MB for the demo's three minutes); the length the decoder
// expects from the file's headers lets the whole track be allocated once. The expectation is
// only a hint: a file that holds more still decodes whole.
void reserveForLength(mpg123_handle* decoder, int channels, size_t limit,
                      std::vector<int16_t>& samples) {
    const off_t frames = mpg123_length(decoder);
    if (frames > 0) {
        samples.reserve(
            std::min(limit, static_cast<size_t>(frames) * static_cast<size_t>(channels)));
    }
}

// Interleaved samples as the file holds them, at its own rate and channel count.
bool decodeAll(mpg123_handle* decoder, std::vector<int16_t>& samples, long& rate, int& channels) {
    int encoding = 0;
    if (mpg123_getformat(decoder, &rate, &channels, &encoding) != MPG123_OK ||
        encoding != MPG123_ENC_SIGNED_16 || rate <= 0 || channels < 1 || channels > 2) {
        return false;
    }
    mpg123_format_none(decoder);
    mpg123_format(decoder, rate, channels, encoding);  // no format changes mid-stream
    const size_t limit = static_cast<size_t>(kMaxTrackSeconds * rate * channels);
    reserveForLength(decoder, channels, limit, samples);
    std::vector<int16_t> block(16384);
    for (;;) {
        size_t bytes = 0;
        const int result = mpg123_read(decoder, reinterpret_cast<unsigned char*>(block.data()),
                                       block.size() * sizeof(int16_t), &bytes);
        samples.insert(samples.end(), block.begin(), block.begin() + bytes / sizeof(int16_t));
        if (result == MPG123_DONE || samples.size() >= limit) {
            break;
        }
        if (result != MPG123_OK && result != MPG123_NEW_FORMAT) {
            return !samples.empty();  // keep what decoded before the damage
        }
    }
    samples.resize(std::min(samples.size(), limit));
    return !samples.empty();
}

// Linear resampling to the track rate, and mono spread to both channels.
void convert(const std::vector<int16_t>& source, long rate, int channels, DecodedTrack& track) {
    const int64_t sourceFrames = static_cast<int64_t>(source.size()) / channels;
    const int64_t frames = rate == kTrackRate ? sourceFrames : sourceFrames * kTrackRate / rate;
    track.samples.resize(static_cast<size_t>(frames) * kTrackChannels);
    const auto sample = [&](int64_t frame, int channel) {
        frame = std::min(frame, sourceFrames - 1);
        return static_cast<float>(
            source[static_cast<size_t>(frame * channels + std::min(channel, channels - 1))]);
    };
    for (int64_t i = 0; i < frames; ++i) {
        const double position = static_cast<double>(i) * rate / kTrackRate;
        const int64_t before = static_cast<int64_t>(position);
        const float weight = static_cast<float>(position - static_cast<double>(before));
        for (int channel = 0; channel < kTrackChannels; ++channel) {
            const float a = sample(before, channel);
            const float b = sample(before + 1, channel);
            // Between two 16-bit values, so always a 16-bit value itself.
            track.samples[static_cast<size_t>(i * kTrackChannels + channel)] =
                static_cast<int16_t>(std::lround(a + (b - a) * weight));
        }
    }
}

}  // namespace

float DecodedTrack::mono(int64_t index) const {
    if (index < 0 || index >= frames()) {
        return 0.0f;
    }
    const size_t at = static_cast<size_t>(index) * kTrackChannels;
    return 0.5f * (sample(at) + sample(at + 1));
}

bool decodeMp3(const String& name, DecodedTrack& track) {
    track.samples.clear();
    const Decoder decoder = openDecoder(name);
    std::vector<int16_t> source;
    long rate = 0;
    int channels = 0;
    if (!decoder || !decodeAll(decoder.get(), source, rate, channels)) {
        return false;
    }
    if (rate == kTrackRate && channels == kTrackChannels) {
        track.samples = std::move(source);
    } else {
        convert(source, rate, channels, track);
    }
    return track.frames() > 0;
}
