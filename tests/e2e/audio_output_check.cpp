// Checks what the demo played through SDL's disk audio driver (raw 32-bit float stereo at
// 44100 Hz): after any silence the device played before the music started, the output must
// be the decoded music from its very first sample on.
//   audio_output_check MUSIC.mp3 OUTPUT.raw SECONDS
// SECONDS: how much of the music must have come out. Exit 0 when it matches.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "resources/mp3_track.h"

namespace {

std::vector<float> readRaw(const char* path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    std::vector<float> samples(bytes.size() / sizeof(float));
    std::copy(bytes.begin(), bytes.begin() + samples.size() * sizeof(float),
              reinterpret_cast<char*>(samples.data()));
    return samples;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: audio_output_check MUSIC.mp3 OUTPUT.raw SECONDS\n");
        return 2;
    }
    DecodedTrack track;
    if (!decodeMp3(argv[1], track)) {
        std::fprintf(stderr, "cannot decode %s\n", argv[1]);
        return 1;
    }
    const std::vector<float> output = readRaw(argv[2]);
    const size_t start = static_cast<size_t>(
        std::find_if(output.begin(), output.end(), [](float v) { return v != 0.0f; }) -
        output.begin());
    const size_t firstSound = static_cast<size_t>(
        std::find_if(track.samples.begin(), track.samples.end(), [](int16_t v) { return v != 0; }) -
        track.samples.begin());
    if (start == output.size()) {
        std::fprintf(stderr, "the output holds only silence (%zu samples)\n", output.size());
        return 1;
    }
    // The music's own leading zeros are indistinguishable from the device's silence.
    const size_t offset = start - std::min(start, firstSound);
    const size_t wanted = static_cast<size_t>(std::atof(argv[3]) * kTrackRate) * kTrackChannels;
    const size_t compared = std::min({wanted, output.size() - offset, track.samples.size()});
    if (compared < wanted) {
        std::fprintf(stderr, "only %zu of %zu samples came out\n", compared, wanted);
        return 1;
    }
    for (size_t i = 0; i < compared; ++i) {
        const float expected = track.sample(i);
        if (output[offset + i] != expected) {
            std::fprintf(stderr, "sample %zu differs: %g played, %g decoded\n", i,
                         output[offset + i], expected);
            return 1;
        }
    }
    std::printf("the first %.2f s of music came out exactly, after %.3f s of silence\n",
                static_cast<double>(compared) / kTrackChannels / kTrackRate,
                static_cast<double>(offset) / kTrackChannels / kTrackRate);
    return 0;
}
