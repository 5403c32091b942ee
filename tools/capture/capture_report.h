#pragma once
// Timing of a capture run: per frame, the milliseconds the timeline took to render and finish,
// gathered into the time spans of the demo, and summed up at the end.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TimelineSpan {
    const char* name;
    float after;   // seconds, inclusive
    float before;  // seconds, exclusive
};

extern const std::array<TimelineSpan, 8> kTimelineSpans;

class CaptureReport {
public:
    void addFrame(float t, double milliseconds);
    // "frames N, wall S s, F frames/s", then one line per span that has frames.
    std::string summary(double wallSeconds) const;

    int64_t frames() const { return frameTotal; }

private:
    std::array<std::vector<double>, kTimelineSpans.size()> spanMilliseconds;
    int64_t frameTotal = 0;
};

// The median of the values; 0 for none.
double median(std::vector<double> values);

// One line of progress: a bar, the frame count and the time left.
std::string progressLine(int64_t done, int64_t total, double elapsedSeconds);
