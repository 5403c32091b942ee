#pragma once
// The mixing desk: sounds are added at their start frames through a channel strip (level,
// pan, reverb and delay sends, sidechain ducking) into a dry bus and two mono sends; finish()
// runs the ping-pong delay and the hall over the sends and returns dry + both returns. The
// sidechain is the kick's: each kick ducks a channel by its duck depth for a quarter of a
// second, so pads and bass breathe around the beat. Adding order is the only order that
// counts, and callers add in a fixed order.

#include <cstdint>
#include <vector>

#include "tools/generator/delay.h"
#include "tools/generator/reverb.h"
#include "tools/generator/stereo_buffer.h"

struct ChannelStrip {
    float gainDb;
    float pan;         // -1 left .. 1 right; a stereo sound is balanced
    float reverbSend;  // 0..1 of the channel's level
    float delaySend;   // 0..1 of the channel's level
    float duckDepth;   // 0 none .. 1 silenced at the kick
};

class Mixer {
public:
    explicit Mixer(int64_t frames);

    // Kicks at these frames drive the ducking from now on.
    void setKicks(const std::vector<int64_t>& kickFrames);
    // Adds `sound` from `startFrame` on; what falls past the end is dropped.
    void add(const ChannelStrip& strip, int64_t startFrame, const StereoBuffer& sound);
    // Dry bus plus the delay and reverb returns.
    StereoBuffer finish(const DelaySettings& delay, const ReverbSettings& reverb,
                        float delayReturnDb, float reverbReturnDb);

private:
    StereoBuffer dry;
    std::vector<float> reverbSend;
    std::vector<float> delaySend;
    std::vector<float> duck;  // 0..1, how far a fully ducked channel is down at each frame
};

// The amplitude of a level in dB.
float decibelsToGain(double decibels);
