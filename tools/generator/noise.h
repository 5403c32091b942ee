#pragma once
// Deterministic noise from integer hashes: the same seed and coordinates give the same value on
// every run and machine. Value noise lives on an integer lattice (1 cell = 1 lattice unit) and
// repeats every `period` cells when the period is positive, so a picture whose width is a whole
// number of periods tiles. All results are in [0, 1].

#include <cstdint>

// A well-mixed 32-bit hash of two integers and a seed.
uint32_t hashCell(int32_t x, int32_t y, uint32_t seed);
// hashCell mapped to [0, 1).
float hashUnit(int32_t x, int32_t y, uint32_t seed);

// Smoothly interpolated (quintic) random values at the lattice points; x, y in lattice units.
float valueNoise(double x, double y, int32_t periodX, int32_t periodY, uint32_t seed);
// `octaves` layers of value noise, each twice the frequency (and period) and half the amplitude
// of the one before, normalised back to [0, 1].
float fractalNoise(double x, double y, int32_t periodX, int32_t periodY, int32_t octaves,
                   uint32_t seed);
