#include "resources/mp3_stream.h"

#include <mpg123.h>
#include <sys/types.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "resources/data_file.h"

// The file's bytes and the decoder's read position in them.
struct Mp3Source {
    std::vector<unsigned char> bytes;
    size_t position = 0;
};

namespace {

// The file's bytes, at most kMaxMp3FileBytes of them; false when it holds none.
bool readFileBytes(const String& name, std::vector<unsigned char>& bytes) {
    return readDataFile(name, static_cast<size_t>(kMaxMp3FileBytes), bytes) !=
               FileRead::Unopenable &&
           !bytes.empty();
}

ssize_t readSource(void* handle, void* buffer, size_t count) {
    Mp3Source& source = *static_cast<Mp3Source*>(handle);
    const size_t available = source.bytes.size() - source.position;
    const size_t n = std::min(count, available);
    std::memcpy(buffer, source.bytes.data() + source.position, n);
    source.position += n;
    return static_cast<ssize_t>(n);
}

off_t seekSource(void* handle, off_t offset, int whence) {
    Mp3Source& source = *static_cast<Mp3Source*>(handle);
    off_t base = 0;
    if (whence == SEEK_CUR) {
        base = static_cast<off_t>(source.position);
    } else if (whence == SEEK_END) {
        base = static_cast<off_t>(source.bytes.size());
    } else if (whence != SEEK_SET) {
        return -1;
    }
    const off_t target = base + offset;
    if (target < 0 || target > static_cast<off_t>(source.bytes.size())) {
        return -1;
    }
    source.position = static_cast<size_t>(target);
    return target;
}

constexpr int64_t kMaxFrames = kMaxTrackSeconds * kTrackRate;

}  // namespace

void Mp3Stream::HandleCloser::operator()(mpg123_handle_struct* handle) const {
    mpg123_close(handle);
    mpg123_delete(handle);
}

Mp3Stream::Mp3Stream() = default;
Mp3Stream::~Mp3Stream() = default;

bool Mp3Stream::open(const String& name) {
    decoder.reset();
    position = 0;
    ended = false;
    source = std::make_unique<Mp3Source>();
    // Thread-safe and idempotent from mpg123 1.27 on.
    if (!readFileBytes(name, source->bytes) || mpg123_init() != MPG123_OK) {
        return false;
    }
    int error = MPG123_OK;
    decoder.reset(mpg123_new(nullptr, &error));
    if (!decoder) {
        return false;
    }
    mpg123_handle* handle = decoder.get();
    mpg123_param(handle, MPG123_FLAGS, MPG123_GAPLESS | MPG123_QUIET | MPG123_FORCE_STEREO, 0.0);
    // Only the one output form: the decoder resamples other rates and spreads mono itself.
    mpg123_param(handle, MPG123_FORCE_RATE, kTrackRate, 0.0);
    mpg123_format_none(handle);
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_format(handle, kTrackRate, MPG123_STEREO, MPG123_ENC_SIGNED_16) != MPG123_OK ||
        mpg123_replace_reader_handle(handle, readSource, seekSource, nullptr) != MPG123_OK ||
        mpg123_open_handle(handle, source.get()) != MPG123_OK ||
        mpg123_getformat(handle, &rate, &channels, &encoding) != MPG123_OK || rate != kTrackRate ||
        channels != kTrackChannels || encoding != MPG123_ENC_SIGNED_16) {
        decoder.reset();
        return false;
    }
    return true;
}

int64_t Mp3Stream::read(int16_t* samples, int64_t frames) {
    int64_t written = 0;
    bool announced = false;
    frames = std::min(frames, kMaxFrames - position);
    while (decoder && !ended && written < frames) {
        size_t bytes = 0;
        const size_t wanted = static_cast<size_t>(frames - written) * kTrackChannels * 2;
        const int result = mpg123_read(
            decoder.get(), reinterpret_cast<unsigned char*>(samples + written * kTrackChannels),
            wanted, &bytes);
        written += static_cast<int64_t>(bytes) / (kTrackChannels * 2);
        // The output form cannot change (only one is allowed), so a new format is only news.
        if (result != MPG123_OK && result != MPG123_NEW_FORMAT) {
            ended = true;  // the end, or damage: what decoded before it stays
        } else if (bytes == 0 && (result == MPG123_OK || announced)) {
            ended = true;  // no progress: never spin
        }
        announced = announced || result == MPG123_NEW_FORMAT;
    }
    position += written;
    return written;
}

bool Mp3Stream::seek(int64_t frame) {
    if (!decoder || frame < 0) {
        return false;
    }
    const off_t reached = mpg123_seek(decoder.get(), static_cast<off_t>(frame), SEEK_SET);
    if (reached < 0) {
        return false;
    }
    position = static_cast<int64_t>(reached);
    ended = false;
    return true;
}

int64_t Mp3Stream::expectedFrames() const {
    if (!decoder) {
        return 0;
    }
    const off_t frames = mpg123_length(decoder.get());
    return frames > 0 ? std::min(static_cast<int64_t>(frames), kMaxFrames) : 0;
}
