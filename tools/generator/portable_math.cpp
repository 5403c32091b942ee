#include "tools/generator/portable_math.h"

#include <cmath>

namespace {

constexpr double kLn2 = 0.69314718055994530942;
constexpr double kSqrtHalf = 0.70710678118654752440;

// sin(x) for |x| <= pi / 2 by its Taylor series, odd terms to x^17.
double sinNearZero(double x) {
    const double x2 = x * x;
    double sum = 0.0;
    for (int32_t n = 17; n >= 3; n -= 2) {
        sum = (sum + 1.0) * -x2 / (static_cast<double>(n) * static_cast<double>(n - 1));
    }
    return x * (1.0 + sum);
}

// atan(x) for |x| <= tan(15 degrees) by its series, odd terms to x^21.
double atanNearZero(double x) {
    const double x2 = x * x;
    double sum = 0.0;
    for (int32_t n = 21; n >= 3; n -= 2) {
        sum = x2 * (1.0 / static_cast<double>(n) - sum);
    }
    return x * (1.0 - sum);
}

// atan(x) in radians for x >= 0.
double atanPositive(double x) {
    if (x > 1.0) {
        return kPi / 2.0 - atanPositive(1.0 / x);
    }
    constexpr double kTan15 = 0.26794919243112270647;
    constexpr double kSqrt3 = 1.73205080756887729353;
    if (x > kTan15) {
        return kPi / 6.0 + atanNearZero((x * kSqrt3 - 1.0) / (kSqrt3 + x));
    }
    return atanNearZero(x);
}

}  // namespace

double sinTurns(double turns) {
    double t = turns - std::floor(turns + 0.5);  // [-0.5, 0.5)
    if (t > 0.25) {
        t = 0.5 - t;
    } else if (t < -0.25) {
        t = -0.5 - t;
    }
    return sinNearZero(2.0 * kPi * t);
}

double cosTurns(double turns) {
    return sinTurns(turns + 0.25);
}

double portableExp(double x) {
    const double clamped = x < -700.0 ? -700.0 : (x > 700.0 ? 700.0 : x);
    const double k = std::floor(clamped / kLn2 + 0.5);
    const double r = clamped - k * kLn2;  // |r| <= ln 2 / 2
    double sum = 1.0;
    for (int32_t n = 14; n >= 1; --n) {
        sum = 1.0 + sum * r / static_cast<double>(n);
    }
    return std::ldexp(sum, static_cast<int>(k));
}

double portableLog(double x) {
    if (!(x > 0.0)) {
        return -700.0;
    }
    int exponent = 0;
    double mantissa = std::frexp(x, &exponent);  // [0.5, 1)
    if (mantissa < kSqrtHalf) {
        mantissa *= 2.0;
        --exponent;
    }
    // log(m) = 2 atanh(s) with s = (m - 1) / (m + 1), |s| < 0.18.
    const double s = (mantissa - 1.0) / (mantissa + 1.0);
    const double s2 = s * s;
    double sum = 0.0;
    for (int32_t n = 23; n >= 3; n -= 2) {
        sum = s2 * (1.0 / static_cast<double>(n) + sum);
    }
    return 2.0 * s * (1.0 + sum) + static_cast<double>(exponent) * kLn2;
}

double portablePow(double x, double y) {
    if (!(x > 0.0)) {
        return 0.0;
    }
    return portableExp(y * portableLog(x));
}

double atan2Turns(double y, double x) {
    if (x == 0.0 && y == 0.0) {
        return 0.0;
    }
    const double ax = std::fabs(x);
    const double ay = std::fabs(y);
    double angle = ax >= ay ? atanPositive(ay / ax) : kPi / 2.0 - atanPositive(ax / ay);
    if (x < 0.0) {
        angle = kPi - angle;
    }
    return (y < 0.0 ? -angle : angle) / (2.0 * kPi);
}

float clamp01(float x) {
    return x < 0.0f ? 0.0f : (x > 1.0f ? 1.0f : x);
}

float mix(float a, float b, float t) {
    return a + (b - a) * t;
}

float smoothstep(float edge0, float edge1, float x) {
    const float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}
