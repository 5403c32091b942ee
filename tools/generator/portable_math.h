#pragma once
// Scalar maths for painting that gives the same bits on every x86-64 machine: built only from
// IEEE-754 basic operations (+ - * / sqrt, floor, ldexp, frexp), which are exact or correctly
// rounded everywhere. NOTE: libm's sin/exp/pow pick CPU-specific variants at load time (with or
// without FMA) whose last bits may differ, which would change a few output bytes.

#include <cstdint>

constexpr double kPi = 3.14159265358979323846;

// sin and cos of a whole number of turns (1 turn = 360 degrees); error below 1e-11.
double sinTurns(double turns);
double cosTurns(double turns);
// e^x, relative error below 1e-15; x is clamped to [-700, 700].
double portableExp(double x);
// Natural logarithm; x <= 0 gives -700 (so portableExp of it is 0).
double portableLog(double x);
// x^y for x >= 0; 0 for x <= 0.
double portablePow(double x, double y);
// Angle of (x, y) in turns, in (-0.5, 0.5]; 0 for the origin.
double atan2Turns(double y, double x);

float clamp01(float x);
float mix(float a, float b, float t);
// Hermite step: 0 at or below edge0, 1 at or above edge1, smooth between.
float smoothstep(float edge0, float edge1, float x);
