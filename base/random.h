#pragma once
// The program's random generator: 15-bit results, 0..32767, as every draw r / 32767.0 assumes.
// state = state * 214013 + 2531011 (mod 2^32); result = (state >> 16) & 0x7FFF.
// One process-wide state, touched only from the main thread.

#include <cstdint>

constexpr int32_t kRandomMax = 32767;

void seedRandom(uint32_t seed);
int32_t nextRandom();
