#include "tools/generator/delay.h"

#include <algorithm>

#include "tools/generator/portable_math.h"

StereoBuffer pingPongDelay(const std::vector<float>& send, const DelaySettings& settings) {
    const int64_t frames = static_cast<int64_t>(send.size());
    StereoBuffer wet(frames);
    const size_t length =
        static_cast<size_t>(std::max<int64_t>(1, framesOf(settings.delaySeconds)));
    std::vector<double> leftLine(length);
    std::vector<double> rightLine(length);
    // One-pole low-pass: y += (x - y) * (1 - e^(-2 pi fc / rate)).
    const double smoothing = 1.0 - portableExp(-2.0 * kPi * settings.dampingHz / kAudioRate);
    const double feedback = std::clamp(settings.feedback, 0.0, 0.9);
    double leftTone = 0.0;
    double rightTone = 0.0;
    size_t position = 0;
    for (int64_t i = 0; i < frames; ++i) {
        const double leftEcho = leftLine[position];
        const double rightEcho = rightLine[position];
        leftTone += (leftEcho - leftTone) * smoothing;
        rightTone += (rightEcho - rightTone) * smoothing;
        // The send enters on the left; each side's echo feeds the other.
        leftLine[position] = send[static_cast<size_t>(i)] + rightTone * feedback;
        rightLine[position] = leftTone * feedback;
        wet.left[static_cast<size_t>(i)] = static_cast<float>(leftEcho);
        wet.right[static_cast<size_t>(i)] = static_cast<float>(rightEcho);
        position = position + 1 == length ? 0 : position + 1;
    }
    return wet;
}
