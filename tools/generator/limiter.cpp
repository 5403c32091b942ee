#include "tools/generator/limiter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <vector>

#include "tools/generator/portable_math.h"

namespace {

constexpr int32_t kOversampling = 4;
constexpr int32_t kHalfTaps = 8;  // interpolation taps either side of a point

using Interpolator = std::array<double, 2 * kHalfTaps>;

// Hann-windowed sinc filters for the points 1/4, 2/4 and 3/4 of the way from a frame to the
// next, each scaled to unity gain at DC. Tap j weighs frame n - kHalfTaps + 1 + j.
std::array<Interpolator, kOversampling - 1> interpolators() {
    std::array<Interpolator, kOversampling - 1> filters{};
    for (int32_t phase = 1; phase < kOversampling; ++phase) {
        Interpolator& taps = filters[static_cast<size_t>(phase - 1)];
        double sum = 0.0;
        for (int32_t j = 0; j < 2 * kHalfTaps; ++j) {
            const double x = (j - kHalfTaps + 1) - static_cast<double>(phase) / kOversampling;
            const double sinc = sinTurns(x / 2.0) / (kPi * x);
            const double window = 0.5 + 0.5 * cosTurns(x / (2.0 * kHalfTaps));
            taps[static_cast<size_t>(j)] = sinc * window;
            sum += sinc * window;
        }
        for (double& tap : taps) {
            tap /= sum;
        }
    }
    return filters;
}

// The largest magnitude at frame i and the points between it and the next, one channel.
double peakAfter(const std::vector<float>& channel, int64_t i,
                 const std::array<Interpolator, kOversampling - 1>& filters) {
    const int64_t count = static_cast<int64_t>(channel.size());
    double peak = std::fabs(channel[static_cast<size_t>(i)]);
    const int64_t first = i - kHalfTaps + 1;
    for (const Interpolator& taps : filters) {
        double value = 0.0;
        for (int64_t j = std::max<int64_t>(0, -first); j < 2 * kHalfTaps && first + j < count;
             ++j) {
            value += taps[static_cast<size_t>(j)] * channel[static_cast<size_t>(first + j)];
        }
        peak = std::max(peak, std::fabs(value));
    }
    return peak;
}

std::vector<double> truePeaks(const StereoBuffer& programme) {
    const auto filters = interpolators();
    std::vector<double> peaks(programme.left.size());
    for (size_t i = 0; i < peaks.size(); ++i) {
        const int64_t at = static_cast<int64_t>(i);
        peaks[i] = std::max(peakAfter(programme.left, at, filters),
                            peakAfter(programme.right, at, filters));
    }
    return peaks;
}

// The gain each frame needs on its own, 0..1: the points after a frame share its gain, and
// the gain glides so slowly that a neighbour's barely differs.
std::vector<double> neededGains(const StereoBuffer& programme, float ceiling) {
    std::vector<double> gains = truePeaks(programme);
    for (double& gain : gains) {
        gain = gain > ceiling ? ceiling / gain : 1.0;
    }
    return gains;
}

// The minimum over [i - radius, i + radius] for every i, by a monotonic queue.
std::vector<double> slidingMinimum(const std::vector<double>& values, int64_t radius) {
    const int64_t count = static_cast<int64_t>(values.size());
    std::vector<double> minima(values.size());
    std::deque<int64_t> window;  // indices with increasing values
    int64_t next = 0;
    for (int64_t i = 0; i < count; ++i) {
        for (; next < count && next <= i + radius; ++next) {
            while (!window.empty() && values[static_cast<size_t>(window.back())] >=
                                          values[static_cast<size_t>(next)]) {
                window.pop_back();
            }
            window.push_back(next);
        }
        while (window.front() < i - radius) {
            window.pop_front();
        }
        minima[static_cast<size_t>(i)] = values[static_cast<size_t>(window.front())];
    }
    return minima;
}

// Lets the gain rise no faster than the release allows; never above the input.
void applyRelease(std::vector<double>& gains, double releaseSeconds) {
    const double rise = 1.0 - portableExp(-1.0 / (releaseSeconds * kAudioRate));
    for (size_t i = 1; i < gains.size(); ++i) {
        gains[i] = std::min(gains[i], gains[i - 1] + (1.0 - gains[i - 1]) * rise);
    }
}

// The mean over [i - radius, i + radius], cut short at the ends. Each value averaged came from
// a minimum window that held frame i's own need, so the mean never exceeds that need.
std::vector<double> boxAverage(const std::vector<double>& values, int64_t radius) {
    const int64_t count = static_cast<int64_t>(values.size());
    std::vector<double> prefix(values.size() + 1, 0.0);
    for (size_t i = 0; i < values.size(); ++i) {
        prefix[i + 1] = prefix[i] + (1.0 - values[i]);  // sums of reductions stay small
    }
    std::vector<double> averages(values.size());
    for (int64_t i = 0; i < count; ++i) {
        const int64_t low = std::max<int64_t>(0, i - radius);
        const int64_t high = std::min(count, i + radius + 1);
        const double reduction =
            prefix[static_cast<size_t>(high)] - prefix[static_cast<size_t>(low)];
        averages[static_cast<size_t>(i)] = 1.0 - reduction / static_cast<double>(high - low);
    }
    return averages;
}

}  // namespace

double limitPeaks(StereoBuffer& programme, const LimiterSettings& settings) {
    const int64_t radius = std::max<int64_t>(1, framesOf(settings.lookAheadSeconds));
    std::vector<double> gains = slidingMinimum(neededGains(programme, settings.ceiling), radius);
    applyRelease(gains, settings.releaseSeconds);
    gains = boxAverage(gains, radius);
    double deepest = 1.0;
    const float ceiling = settings.ceiling;
    for (size_t i = 0; i < gains.size(); ++i) {
        deepest = std::min(deepest, gains[i]);
        // The clamp only catches the last bits of rounding in the average.
        programme.left[i] =
            std::clamp(static_cast<float>(programme.left[i] * gains[i]), -ceiling, ceiling);
        programme.right[i] =
            std::clamp(static_cast<float>(programme.right[i] * gains[i]), -ceiling, ceiling);
    }
    return deepest < 1.0 ? -20.0 * portableLog(deepest) / 2.30258509299404568402 : 0.0;
}

float truePeak(const StereoBuffer& programme) {
    const std::vector<double> peaks = truePeaks(programme);
    return peaks.empty() ? 0.0f : static_cast<float>(*std::max_element(peaks.begin(), peaks.end()));
}

float samplePeak(const StereoBuffer& programme) {
    float peak = 0.0f;
    for (size_t i = 0; i < programme.left.size(); ++i) {
        peak = std::max({peak, std::fabs(programme.left[i]), std::fabs(programme.right[i])});
    }
    return peak;
}
