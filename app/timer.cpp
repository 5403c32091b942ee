#include "app/timer.h"

#include <chrono>

namespace {

const auto programStart = std::chrono::steady_clock::now();

}  // namespace

uint32_t programMilliseconds() {
    const auto sinceStart = std::chrono::steady_clock::now() - programStart;
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart);
    return static_cast<uint32_t>(milliseconds.count());
}

float Timer::readSeconds() const {
    return static_cast<float>(clock()) * 0.001f;
}

// NOTE: the counter already has 1 ms resolution on Linux; there is no system timer period to
// raise at start or restore at stop, so both only reset the readings.
void Timer::start() {
    reset();
}

void Timer::reset() {
    startSeconds = readSeconds();
    currentSeconds = startSeconds;
    deltaSeconds = 0.0f;
}

void Timer::tick() {
    const float previous = currentSeconds;
    currentSeconds = readSeconds();
    deltaSeconds = currentSeconds - previous;
}

void Timer::stop() {}
