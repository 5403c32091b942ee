#include "resources/mp3_track.h"

bool decodeMp3(const String& name, DecodedTrack& track) {
    track.samples.clear();
    Mp3Stream stream;
    if (!stream.open(name)) {
        return false;
    }
    // NOTE: growing by doubling would hold up to three times the music at once while the
    // last block is copied over; the length the headers announce lets the whole track be
    // allocated once. It is only a hint: a file that holds more still decodes whole.
    constexpr int64_t kBlockFrames = 8192;
    track.samples.reserve(static_cast<size_t>(stream.expectedFrames() + kBlockFrames) *
                          kTrackChannels);
    for (;;) {
        const size_t before = track.samples.size();
        track.samples.resize(before + kBlockFrames * kTrackChannels);
        const int64_t got = stream.read(track.samples.data() + before, kBlockFrames);
        track.samples.resize(before + static_cast<size_t>(got) * kTrackChannels);
        if (got < kBlockFrames) {
            break;
        }
    }
    return track.frames() > 0;
}
