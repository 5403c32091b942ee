#include "resources/decoded_track.h"

float DecodedTrack::mono(int64_t index) const {
    if (index < 0 || index >= frames()) {
        return 0.0f;
    }
    const size_t at = static_cast<size_t>(index) * kTrackChannels;
    return 0.5f * (sample(at) + sample(at + 1));
}
