#pragma once
// The 3-vector every layer shares, in single precision for the demo and its files, in double
// precision where the generator paints, and the axis-aligned box made of two of them.

#include <cmath>

template <typename T>
struct Vec3 {
    T x;
    T y;
    T z;
};

using Vector3 = Vec3<float>;
using Vector3d = Vec3<double>;

template <typename T>
constexpr Vec3<T> operator+(Vec3<T> a, Vec3<T> b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

template <typename T>
constexpr Vec3<T> operator-(Vec3<T> a, Vec3<T> b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

template <typename T>
constexpr Vec3<T> operator*(Vec3<T> v, T k) {
    return {v.x * k, v.y * k, v.z * k};
}

template <typename T>
constexpr T dot(Vec3<T> a, Vec3<T> b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

template <typename T>
constexpr Vec3<T> cross(Vec3<T> a, Vec3<T> b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// v scaled to length 1; the zero vector stays zero.
template <typename T>
Vec3<T> normalised(Vec3<T> v) {
    const T length = std::sqrt(dot(v, v));
    return length > T(0) ? v * (T(1) / length) : v;
}

// Axis-aligned box from its lowest to its highest corner.
struct Box {
    Vector3 low;
    Vector3 high;
};
