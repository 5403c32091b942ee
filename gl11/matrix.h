#pragma once
// 4x4 matrices as OpenGL 1.1 keeps them, for the layer that gives OpenGL 1.1 on OpenGL ES 3.0:
// column-major (m[column * 4 + row]), each call's matrix multiplied on the right of the current
// one, and the matrices of glTranslate, glRotate, glScale, glOrtho, glFrustum, gluPerspective
// and gluLookAt with the meaning OpenGL and GLU give them. Angles in degrees.

#include <array>
#include <cstddef>

struct Matrix4 {
    std::array<float, 16> m;

    float at(int row, int column) const { return m[static_cast<std::size_t>(column * 4 + row)]; }
};

using Vector4 = std::array<float, 4>;

Matrix4 identityMatrix();
// a * b: b applied first.
Matrix4 operator*(const Matrix4& a, const Matrix4& b);
// Inline: every vertex of every block goes through it.
inline Vector4 operator*(const Matrix4& a, const Vector4& v) {
    Vector4 result{};
    for (int row = 0; row < 4; ++row) {
        float sum = 0.0f;
        for (int k = 0; k < 4; ++k) {
            sum += a.at(row, k) * v[static_cast<size_t>(k)];
        }
        result[static_cast<size_t>(row)] = sum;
    }
    return result;
}

Matrix4 translationMatrix(float x, float y, float z);
// About the axis (x, y, z), normalised first; no rotation about a zero axis.
Matrix4 rotationMatrix(float degrees, float x, float y, float z);
Matrix4 scalingMatrix(float x, float y, float z);
Matrix4 orthographicMatrix(double left, double right, double bottom, double top, double near,
                           double far);
Matrix4 frustumMatrix(double left, double right, double bottom, double top, double near,
                      double far);
// gluPerspective: the vertical field of view in degrees.
Matrix4 perspectiveMatrix(double fovyDegrees, double aspect, double near, double far);
// gluLookAt.
Matrix4 lookAtMatrix(double eyeX, double eyeY, double eyeZ, double centreX, double centreY,
                     double centreZ, double upX, double upY, double upZ);
// The inverse transpose of the upper-left 3x3, which carries normals to eye space; the identity
// for a singular matrix.
std::array<float, 9> normalMatrix(const Matrix4& modelView);
