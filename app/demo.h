#pragma once
// The start-up and per-frame steps that the demo and the capture tool share; they differ only
// in their surface, their clock and the seed of the random generator.

#include <cstddef>
#include <cstdint>

#include "resources/string.h"

constexpr size_t kTitleCapacity = 256;  // characters, the terminator included

// Render state, texture table, the four scenes and the timeline's start, its random draws
// seeded by `seed`: everything before the music starts. Needs a current context.
void prepareDemo(uint32_t seed);

// The window title for a frame: "Zentrox [FPS: ...] [TIME: ...] - <status>", the frame rate
// being 1 / dt (an infinity for a zero dt). Cut short, never overrun, at the buffer's end.
void formatTitle(char* buffer, size_t capacity, float t, float dt, const String& status);
