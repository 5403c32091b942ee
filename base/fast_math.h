#pragma once
// Small arithmetic the demo shares between its layers.

#include <cstdint>
#include <cstring>

// The float's bits as an integer, or back. NOTE: not std::bit_cast, which the C++ library of
// the web build's compiler lacks; a memcpy of four bytes compiles to the same single move.
template <typename To, typename From>
inline To bitCast(const From& value) {
    static_assert(sizeof(To) == sizeof(From));
    To result;
    std::memcpy(&result, &value, sizeof result);
    return result;
}

// 1 / sqrt(s) by the bit-pattern estimate 0x5F3759DF and one Newton step; relative error below
// 0.2 % for positive normal s.
inline float fastInverseSquareRoot(float s) {
    const int32_t n = bitCast<int32_t>(s);
    float y = bitCast<float>(0x5F3759DF - (n >> 1));
    y = y * (1.5f - 0.5f * s * y * y);
    return y;
}
