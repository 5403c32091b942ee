#pragma once
// The demo clock: single-precision seconds of a millisecond counter. Demo time is the
// counter's seconds since the last start or reset, the frame duration the difference between
// the last two ticks (0 right after start or reset, and for two ticks in the same millisecond).

#include <cstdint>

// A counter of whole milliseconds. The program's counter is monotonic and counts from program
// start, so its seconds keep millisecond precision in single precision for hours of running.
using MillisecondClock = uint32_t (*)();

uint32_t programMilliseconds();

class Timer {
public:
    explicit Timer(MillisecondClock clock = programMilliseconds) : clock(clock) {}

    void start();
    void reset();
    void tick();
    float delta() const { return deltaSeconds; }
    float elapsed() const { return currentSeconds - startSeconds; }
    void stop();

private:
    float readSeconds() const;

    MillisecondClock clock;
    float startSeconds = 0.0f;
    float currentSeconds = 0.0f;
    float deltaSeconds = 0.0f;
};
