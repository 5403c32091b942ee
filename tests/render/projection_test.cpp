#include "render/projection.h"

#include <array>
#include <cmath>

#include "base/gl.h"
#include "support/gl_test.h"

namespace {

using Matrix = std::array<double, 16>;

Matrix currentMatrix(GLenum which) {
    Matrix m = {};
    glGetDoublev(which, m.data());
    return m;
}

void expectIdentityModelView() {
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    const Matrix m = currentMatrix(GL_MODELVIEW_MATRIX);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(m[i], i % 5 == 0 ? 1.0 : 0.0) << "element " << i;
    }
}

void expectViewport(int32_t x, int32_t y, int32_t width, int32_t height) {
    std::array<GLint, 4> v = {};
    glGetIntegerv(GL_VIEWPORT, v.data());
    EXPECT_EQ(v[0], x);
    EXPECT_EQ(v[1], y);
    EXPECT_EQ(v[2], width);
    EXPECT_EQ(v[3], height);
}

using ProjectionTest = GLTest;

TEST_F(ProjectionTest, PerspectiveAppliesTheViewportAndItsAspect) {
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(5.0f, 0.0f, 0.0f);  // must be reset
    setPerspective({0, 0, 512, 512}, 90.0f);
    expectViewport(0, 0, 512, 512);
    expectIdentityModelView();
    Matrix p = currentMatrix(GL_PROJECTION_MATRIX);
    // gluPerspective: f / aspect, f, (far + near) / (near - far), -1, 2 far near / (near - far).
    const double f = 1.0 / std::tan(45.0 * M_PI / 180.0);
    EXPECT_NEAR(p[0], f, 1e-6);
    EXPECT_NEAR(p[5], f, 1e-6);
    EXPECT_EQ(p[11], -1.0);
    const double nearPlane = 0.10000000149011612;
    const double farPlane = 100000000.0;
    EXPECT_NEAR(p[14], 2.0 * farPlane * nearPlane / (nearPlane - farPlane), 1e-6);

    setPerspective({0, 0, 800, 600}, 60.0f);
    expectViewport(0, 0, 800, 600);
    p = currentMatrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p[5] / p[0], 800.0 / 600.0, 1e-6);
}

TEST_F(ProjectionTest, OrthoPutsTheOriginTopLeftWithYDown) {
    setOrtho({0, 0, 800, 600}, 16, 12);
    expectViewport(0, 0, 800, 600);
    expectIdentityModelView();
    const Matrix p = currentMatrix(GL_PROJECTION_MATRIX);
    // (0, 0) maps to the top-left corner, (16, 12) to the bottom-right.
    EXPECT_NEAR(p[0] * 0.0 + p[12], -1.0, 1e-6);
    EXPECT_NEAR(p[5] * 0.0 + p[13], 1.0, 1e-6);
    EXPECT_NEAR(p[0] * 16.0 + p[12], 1.0, 1e-6);
    EXPECT_NEAR(p[5] * 12.0 + p[13], -1.0, 1e-6);
}

TEST_F(ProjectionTest, OrthoDrawsIntoTheViewportOnly) {
    glDisable(GL_DEPTH_TEST);
    setOrtho({0, 0, 512, 512}, 1, 1);
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(1.0f, 0.0f);
    glVertex2f(1.0f, 1.0f);
    glVertex2f(0.0f, 1.0f);
    glEnd();
    EXPECT_EQ(pixelAt(10, 10), (std::array<uint8_t, 3>{255, 0, 0}));
    EXPECT_EQ(pixelAt(511, 511), (std::array<uint8_t, 3>{255, 0, 0}));
    EXPECT_EQ(pixelAt(600, 100), (std::array<uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(pixelAt(100, 550), (std::array<uint8_t, 3>{0, 0, 0}));
}

}  // namespace
