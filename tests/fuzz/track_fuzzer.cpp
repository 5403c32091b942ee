// Any text at all as a curve, a camera path and an animation track, each sampled before,
// inside and far past its keys: nothing may read or write outside the key arrays, and
// sampling must always end.

#include <cstddef>
#include <cstdint>
#include <string>

#include "resources/animation_track.h"
#include "resources/camera_path.h"
#include "resources/curve.h"
#include "resources/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Array<String> lines = splitLines(std::string(reinterpret_cast<const char*>(data), size));
    Curve curve;
    curve.loadLines(lines);
    CameraPath path;
    path.loadLines(lines);
    AnimationTrack track;
    track.loadLines(lines);
    for (const float t : {-1.0f, 0.0f, 0.5f, 2.5f, 1.0e6f, 3.0e38f}) {
        curve.sample(t);
        path.sample(t);
        track.loop = true;
        track.sample(t);
        track.loop = false;
        track.sample(t);
    }
    return 0;
}
