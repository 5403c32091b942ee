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

// Milliseconds of each run of one named part of a frame: a scene, a compose step, a kernel.
struct PartTimes {
    std::string name;
    std::vector<double> milliseconds;
};

class CaptureReport {
public:
    void addFrame(float t, double milliseconds);
    // One run of a scene row or compose step in the current frame.
    void addStep(const std::string& name, double milliseconds);
    // A frame's time in each kernel; frames that did not run a kernel add nothing for it.
    void addKernel(const std::string& name, double milliseconds);
    // A frame's time in one part of its way out: the readback, or the hand-over to the
    // outputs (which waits while an encoder or the compressing threads are behind).
    void addOutput(const std::string& name, double milliseconds);
    void setStartUp(double loadMilliseconds, double musicMilliseconds);
    // The time spent playing the frames before the first without drawing them, and how many.
    void setSeek(double milliseconds, int64_t framesPlayed);
    void setPeakResidentKilobytes(int64_t kilobytes) { peakKilobytes = kilobytes; }

    // "start-up ...", "seek ..." when the capture sought, "frames N, wall S s, F frames/s",
    // one line per span that has frames,
    // then the steps, the kernels when any were timed, the outputs when frames went out, and
    // the peak memory when known.
    std::string summary(double wallSeconds) const;

    int64_t frames() const { return frameTotal; }

private:
    std::array<std::vector<double>, kTimelineSpans.size()> spanMilliseconds;
    std::vector<PartTimes> steps;    // in the order first seen
    std::vector<PartTimes> kernels;  // in the order first seen
    std::vector<PartTimes> outputs;  // in the order first seen
    int64_t frameTotal = 0;
    double loadMs = -1.0;  // negative: not measured
    double musicMs = 0.0;
    double seekMs = 0.0;
    int64_t seekFrames = 0;
    int64_t peakKilobytes = 0;
};

// The part named `name` in `parts`, added at the end when new.
PartTimes& partNamed(std::vector<PartTimes>& parts, const std::string& name);

// The median of the values; 0 for none.
double median(std::vector<double> values);

// One line of progress: a bar, the frame count and the time left.
std::string progressLine(int64_t done, int64_t total, double elapsedSeconds);
