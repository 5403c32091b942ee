#pragma once
// The demo as three calls that every host shares: start-up, one frame, shutdown. The desktop
// player loops over the frame; a host that owns the loop (a browser does) calls it once per
// frame; the capture tool calls it at its own fixed times. They differ only in their surface,
// their clock, where the spectrum comes from and the seed of the random generator.

#include <cstddef>
#include <cstdint>

#include "app/timeline.h"
#include "resources/spectrum_analyser.h"
#include "resources/string.h"

constexpr size_t kTitleCapacity = 256;  // characters, the terminator included

// A run that must look the same wherever it plays (a capture, a browser's player, whose seeks
// show the frames a capture shows) plays on this grid with this seed unless told otherwise.
constexpr double kReplayFramesPerSecond = 60.0;
constexpr uint32_t kReplaySeed = 1;

// Render state, texture table, the timeline's scenes and the timeline's start, its random
// draws seeded by `seed`: everything before the music starts. Needs a current context.
void startDemo(const Timeline& timeline, uint32_t seed);
// The frame at demo time t, dt after the previous one: the music's spectrum as the scenes read
// it this frame, then both passes of the timeline. False from the demo's end on; that frame is
// not to be shown.
bool playDemoFrame(const Timeline& timeline, float t, float dt, const SpectrumValues& spectrum,
                   TimelineObserver* observer = nullptr);
// Unloads the scenes and frees the texture table, while the context is still current.
void stopDemo(const Timeline& timeline);

// The window title for a frame: "Zentrox [FPS: ...] [TIME: ...] - <status>", the frame rate
// being 1 / dt (an infinity for a zero dt). Cut short, never overrun, at the buffer's end.
void formatTitle(char* buffer, size_t capacity, float t, float dt, const String& status);
