#pragma once
// Drum and effect sounds, each synthesised whole into its own StereoBuffer that starts at the
// hit and ends in silence. Velocity 0..1 scales the level (and for some, the brightness); the
// seed picks the noise, so repeated hits differ a little the way struck ones do, and equal
// seeds give equal samples. Levels peak near 1 at velocity 1 before the mixer's channel gain.

#include <cstdint>

#include "tools/generator/stereo_buffer.h"

using DrumVoice = StereoBuffer (*)(float velocity, uint32_t seed);

// A sine falling from about 200 Hz to 48 Hz in a few tens of ms, with a short click on top.
StereoBuffer renderKick(float velocity, uint32_t seed);
// Two tuned body tones and band-passed noise.
StereoBuffer renderSnare(float velocity, uint32_t seed);
// Three quick bursts of band-passed noise and a tail, a little wider in stereo than the snare.
StereoBuffer renderClap(float velocity, uint32_t seed);
// Six detuned square waves and noise high-passed above 7 kHz, 30 ms and 200 ms decays.
StereoBuffer renderClosedHat(float velocity, uint32_t seed);
StereoBuffer renderOpenHat(float velocity, uint32_t seed);
// Noise band-passed around 9 kHz with a soft 6 ms attack.
StereoBuffer renderShaker(float velocity, uint32_t seed);
// A wide metallic wash decaying over about three seconds.
StereoBuffer renderCrash(float velocity, uint32_t seed);

// Noise through a band-pass that sweeps up from 300 Hz to 9 kHz while it swells, over
// `seconds`, stopping with a 10 ms fade.
StereoBuffer renderRiser(double seconds, float level, uint32_t seed);
// The reverse: down from 9 kHz to 200 Hz while it fades.
StereoBuffer renderDownlifter(double seconds, float level, uint32_t seed);
// A whoosh: up from 800 Hz to 12 kHz and back, loudest in the middle.
StereoBuffer renderSweep(double seconds, float level, uint32_t seed);
// A sine gliding from 70 Hz down to 28 Hz over `seconds`, with a little second harmonic so
// small speakers hint at it.
StereoBuffer renderSubDrop(double seconds, float level);
