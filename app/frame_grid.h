#pragma once
// The grid of a whole run's frames: at a frame rate, grid frame m plays at m / fps seconds.
// A run from 0 plays exactly these frames, so a frame anywhere shows what such a run shows there
// only if the frames before it were the grid's: a seek plays them first, without drawing, then
// draws the frame it landed on. The capture tool and the browser's player seek with this alone,
// so a seek in either lands on the same frame.

#include <cstdint>
#include <vector>

// Demo time of grid frame `index`, seconds.
float gridTime(int64_t index, double framesPerSecond);
// The grid index of time t, or -1 when t lies between grid frames (more than a millionth of a
// frame from the nearest).
int64_t gridIndexOf(double t, double framesPerSecond);
// How many grid frames play before time t: the grid frames at times strictly below t.
int64_t gridFramesBefore(double t, double framesPerSecond);

// Where a seek to time t lands: the frame shown there (t's grid frame when t lies on the grid,
// else t itself) and the grid frames a run from 0 plays before it.
struct SeekPoint {
    std::vector<float> timesBefore;  // seconds, in order
    float frameTime;                 // seconds
    float frameDuration;             // seconds, the dt of every frame: 1 / fps
};

SeekPoint seekPointAt(double t, double framesPerSecond);
