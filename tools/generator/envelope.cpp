#include "tools/generator/envelope.h"

#include <algorithm>

#include "tools/generator/portable_math.h"
#include "tools/generator/stereo_buffer.h"

namespace {

constexpr double kShortestStage = 0.001;  // seconds
// The release aims this far below zero; from level l, reaching zero then takes
// ln(l / kReleaseFloor + 1) time constants.
constexpr double kReleaseFloor = 0.01;
constexpr double kDecayConstants = 4.60517018598809;  // ln(100): down to 1% of the way

double stageFrames(double seconds) {
    return std::max(seconds, kShortestStage) * kAudioRate;
}

}  // namespace

Envelope::Envelope(const AdsrShape& shape, double gateSeconds)
    : attackStep(1.0 / stageFrames(shape.attack)),
      sustain(shape.sustain),
      decayFactor(portableExp(-kDecayConstants / stageFrames(shape.decay))),
      releaseFrames(stageFrames(shape.release)),
      gateFrames(std::max<int64_t>(1, framesOf(gateSeconds))) {}

float Envelope::next() {
    const float current = static_cast<float>(level);
    if (frame == gateFrames && stage != Stage::Done) {
        closeGate();
    }
    switch (stage) {
        case Stage::Attack:
            level += attackStep;
            if (level >= 1.0) {
                level = 1.0;
                stage = Stage::Decay;
            }
            break;
        case Stage::Decay:
            level = sustain + (level - sustain) * decayFactor;
            break;
        case Stage::Release:
            level = -kReleaseFloor + (level + kReleaseFloor) * releaseFactor;
            if (level <= 0.0) {
                level = 0.0;
                stage = Stage::Done;
            }
            break;
        case Stage::Done:
            break;
    }
    ++frame;
    return current;
}

void Envelope::closeGate() {
    stage = Stage::Release;
    const double timeConstants = portableLog(level / kReleaseFloor + 1.0);
    releaseFactor = portableExp(-timeConstants / releaseFrames);
}

int64_t Envelope::lengthFrames(const AdsrShape& shape, double gateSeconds) {
    return std::max<int64_t>(1, framesOf(gateSeconds)) +
           static_cast<int64_t>(stageFrames(shape.release)) + 2;
}
