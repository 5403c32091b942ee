#include "gl11/matrix.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

Matrix4 fromRows(const std::array<double, 16>& rows) {
    Matrix4 result{};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            result.m[static_cast<size_t>(column * 4 + row)] =
                static_cast<float>(rows[static_cast<size_t>(row * 4 + column)]);
        }
    }
    return result;
}

}  // namespace

Matrix4 identityMatrix() {
    return fromRows({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
}

Matrix4 operator*(const Matrix4& a, const Matrix4& b) {
    Matrix4 result{};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a.at(row, k) * b.at(k, column);
            }
            result.m[static_cast<size_t>(column * 4 + row)] = sum;
        }
    }
    return result;
}

Matrix4 translationMatrix(float x, float y, float z) {
    return fromRows({1, 0, 0, x, 0, 1, 0, y, 0, 0, 1, z, 0, 0, 0, 1});
}

Matrix4 rotationMatrix(float degrees, float x, float y, float z) {
    const double length = std::sqrt(double{x} * x + double{y} * y + double{z} * z);
    if (length == 0.0) {
        return identityMatrix();
    }
    const double ux = x / length;
    const double uy = y / length;
    const double uz = z / length;
    const double radians = degrees * kPi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const double t = 1.0 - c;
    return fromRows({ux * ux * t + c, ux * uy * t - uz * s, ux * uz * t + uy * s, 0,
                     uy * ux * t + uz * s, uy * uy * t + c, uy * uz * t - ux * s, 0,
                     uz * ux * t - uy * s, uz * uy * t + ux * s, uz * uz * t + c, 0, 0, 0, 0, 1});
}

Matrix4 scalingMatrix(float x, float y, float z) {
    return fromRows({x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1});
}

Matrix4 orthographicMatrix(double left, double right, double bottom, double top, double near,
                           double far) {
    const double width = right - left;
    const double height = top - bottom;
    const double depth = far - near;
    return fromRows({2 / width, 0, 0, -(right + left) / width, 0, 2 / height, 0,
                     -(top + bottom) / height, 0, 0, -2 / depth, -(far + near) / depth, 0, 0, 0,
                     1});
}

Matrix4 frustumMatrix(double left, double right, double bottom, double top, double near,
                      double far) {
    const double width = right - left;
    const double height = top - bottom;
    const double depth = far - near;
    return fromRows({2 * near / width, 0, (right + left) / width, 0, 0, 2 * near / height,
                     (top + bottom) / height, 0, 0, 0, -(far + near) / depth,
                     -2 * far * near / depth, 0, 0, -1, 0});
}

Matrix4 perspectiveMatrix(double fovyDegrees, double aspect, double near, double far) {
    const double top = near * std::tan(fovyDegrees * kPi / 360.0);
    const double right = top * aspect;
    return frustumMatrix(-right, right, -top, top, near, far);
}

Matrix4 lookAtMatrix(double eyeX, double eyeY, double eyeZ, double centreX, double centreY,
                     double centreZ, double upX, double upY, double upZ) {
    const auto normalised = [](std::array<double, 3> v) {
        const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        if (length != 0.0) {
            v = {v[0] / length, v[1] / length, v[2] / length};
        }
        return v;
    };
    const auto cross = [](const std::array<double, 3>& a, const std::array<double, 3>& b) {
        return std::array<double, 3>{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                                     a[0] * b[1] - a[1] * b[0]};
    };
    const std::array<double, 3> forward =
        normalised({centreX - eyeX, centreY - eyeY, centreZ - eyeZ});
    const std::array<double, 3> side = normalised(cross(forward, {upX, upY, upZ}));
    const std::array<double, 3> up = cross(side, forward);
    const Matrix4 turn = fromRows({side[0], side[1], side[2], 0, up[0], up[1], up[2], 0,
                                   -forward[0], -forward[1], -forward[2], 0, 0, 0, 0, 1});
    return turn * translationMatrix(static_cast<float>(-eyeX), static_cast<float>(-eyeY),
                                    static_cast<float>(-eyeZ));
}

std::array<float, 9> normalMatrix(const Matrix4& modelView) {
    const auto a = [&](int row, int column) { return double{modelView.at(row, column)}; };
    const double cofactors[9] = {
        a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1), a(1, 2) * a(2, 0) - a(1, 0) * a(2, 2),
        a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0), a(0, 2) * a(2, 1) - a(0, 1) * a(2, 2),
        a(0, 0) * a(2, 2) - a(0, 2) * a(2, 0), a(0, 1) * a(2, 0) - a(0, 0) * a(2, 1),
        a(0, 1) * a(1, 2) - a(0, 2) * a(1, 1), a(0, 2) * a(1, 0) - a(0, 0) * a(1, 2),
        a(0, 0) * a(1, 1) - a(0, 1) * a(1, 0)};
    const double determinant =
        a(0, 0) * cofactors[0] + a(0, 1) * cofactors[1] + a(0, 2) * cofactors[2];
    std::array<float, 9> result = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    if (determinant == 0.0) {
        return result;
    }
    // The inverse is the adjugate (cofactors transposed) over the determinant; its transpose is
    // then the cofactor matrix itself over the determinant. Stored column-major like GL's mat3.
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            result[static_cast<size_t>(column * 3 + row)] =
                static_cast<float>(cofactors[row * 3 + column] / determinant);
        }
    }
    return result;
}
