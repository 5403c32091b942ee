#pragma once
// Which frames a capture renders, and at which demo times. The whole run's frames lie on a grid
// of the frame rate: grid frame m at m / fps seconds. A range whose --from lies on the grid (a
// whole number of frames from 0, within a millionth of a frame) renders grid frames, so each is
// byte-identical to the same frame of a capture from 0. A range that starts off the grid renders
// from + n / fps and starts with the state of the grid frames before `from`.
// A span is the K-th of N contiguous shares of the range's frames: frames
// [floor((K-1) F / N), floor(K F / N)) of F, so the N spans hold every frame exactly once.
// With a shutter of S sub-frames, every frame is rendered as the S frames of a capture at S
// times the frame rate that fall in its time; the grid is then that capture's, and a frame
// counts only if its last sub-frame comes before the demo's end.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/frame_grid.h"
#include "tools/capture/capture_options.h"

struct FramePlan {
    double framesPerSecond;
    int32_t shutter;      // sub-frames rendered for each frame
    double from;          // seconds
    int64_t gridStart;    // grid index of the range's frame 0; -1 when `from` is off the grid
    int64_t rangeFrames;  // frames of the whole --from/--to range
    int64_t first;        // the span's first frame, counted from the range's frame 0
    int64_t count;        // frames of the span
};

// The plan of the options, or nullopt with the reason in `error` when the span holds no frame.
std::optional<FramePlan> planFrames(const CaptureOptions& options, std::string& error);

// Demo time of sub-frame `sub` (0..shutter-1) of frame `index` of the range, seconds.
float subFrameTime(const FramePlan& plan, int64_t index, int32_t sub);
// Demo time of frame `index` of the range (its first sub-frame), seconds.
float frameTime(const FramePlan& plan, int64_t index);

// The duration of every rendered frame, seconds: 1 / (fps * shutter), the dt of each.
float frameDuration(const FramePlan& plan);

// The first frame and the frame count of span `index` (1..count) of `frames` frames.
struct SpanBounds {
    int64_t first;
    int64_t count;
};
SpanBounds spanBounds(int64_t frames, int64_t index, int64_t count);

// The times of every frame a run from 0 plays before the span's first frame: the grid frames
// before `from`, then the range's frames before the span, each with its sub-frames. Seeking
// plays these without drawing.
std::vector<float> timesBefore(const FramePlan& plan);
