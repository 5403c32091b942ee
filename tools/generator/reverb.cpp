#include "tools/generator/reverb.h"

#include <array>

namespace {

constexpr std::array<size_t, 8> kCombFrames = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<size_t, 4> kAllpassFrames = {556, 441, 341, 225};
constexpr size_t kStereoSpread = 23;  // frames
// Brings the eight combs' summed output of a noise-like input back to about the input's
// level at middling room sizes.
constexpr double kInputGain = 0.04;
constexpr double kAllpassFeedback = 0.5;

class Comb {
public:
    Comb(size_t frames, double feedback, double damping)
        : line(frames), feedback(feedback), damping(damping) {}
    double process(double input) {
        const double output = line[position];
        stored = output * (1.0 - damping) + stored * damping;
        line[position] = input + stored * feedback;
        position = position + 1 == line.size() ? 0 : position + 1;
        return output;
    }

private:
    std::vector<double> line;
    double feedback;
    double damping;
    double stored = 0.0;
    size_t position = 0;
};

class Allpass {
public:
    explicit Allpass(size_t frames) : line(frames) {}
    double process(double input) {
        const double delayed = line[position];
        line[position] = input + delayed * kAllpassFeedback;
        position = position + 1 == line.size() ? 0 : position + 1;
        return delayed - input;
    }

private:
    std::vector<double> line;
    size_t position = 0;
};

// One channel's network, its delays lengthened by `spread` frames.
class Tank {
public:
    Tank(const ReverbSettings& settings, size_t spread) {
        const double feedback = 0.7 + 0.28 * settings.roomSize;
        const double damping = 0.4 * settings.damping;
        for (const size_t frames : kCombFrames) {
            combs.emplace_back(frames + spread, feedback, damping);
        }
        for (const size_t frames : kAllpassFrames) {
            allpasses.emplace_back(frames + spread);
        }
    }
    double process(double input) {
        double sum = 0.0;
        for (Comb& comb : combs) {
            sum += comb.process(input);
        }
        for (Allpass& allpass : allpasses) {
            sum = allpass.process(sum);
        }
        return sum;
    }

private:
    std::vector<Comb> combs;
    std::vector<Allpass> allpasses;
};

}  // namespace

StereoBuffer hallReverb(const std::vector<float>& send, const ReverbSettings& settings) {
    const int64_t frames = static_cast<int64_t>(send.size());
    StereoBuffer wet(frames);
    Tank left(settings, 0);
    Tank right(settings, kStereoSpread);
    const int64_t preDelay = framesOf(settings.preDelaySeconds);
    // Mid/side width: wet = own * (1 + w) / 2 + other * (1 - w) / 2.
    const double own = (1.0 + settings.width) / 2.0;
    const double other = (1.0 - settings.width) / 2.0;
    for (int64_t i = 0; i < frames; ++i) {
        const double input =
            i >= preDelay ? send[static_cast<size_t>(i - preDelay)] * kInputGain : 0.0;
        const double l = left.process(input);
        const double r = right.process(input);
        wet.left[static_cast<size_t>(i)] = static_cast<float>(l * own + r * other);
        wet.right[static_cast<size_t>(i)] = static_cast<float>(r * own + l * other);
    }
    return wet;
}
