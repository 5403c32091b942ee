#include "gl11/matrix.h"

#include <cmath>
#include <functional>
#include <string>

#include "base/gl.h"
#include "gl11/matrix_stack.h"
#include "support/gl_test.h"

namespace {

// The layer's matrices against the desktop OpenGL's own: each case runs the same calls on the
// driver's model-view matrix and on ours.
using GlMatrixTest = GLTest;

Matrix4 driverMatrix(const std::function<void()>& calls) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    calls();
    Matrix4 result{};
    glGetFloatv(GL_MODELVIEW_MATRIX, result.m.data());
    glLoadIdentity();
    return result;
}

void expectSameMatrix(const Matrix4& ours, const Matrix4& driver, const std::string& what) {
    for (size_t i = 0; i < 16; ++i) {
        const float bound = 1e-5f * std::max(1.0f, std::fabs(driver.m[i]));
        EXPECT_NEAR(ours.m[i], driver.m[i], bound) << what << ", element " << i;
    }
}

TEST_F(GlMatrixTest, EachCallMakesTheMatrixOpenGLMakes) {
    const struct {
        const char* what;
        std::function<void()> calls;
        Matrix4 ours;
    } cases[] = {
        {"translate", [] { glTranslatef(1.5f, -2.0f, 30.0f); },
         translationMatrix(1.5f, -2.0f, 30.0f)},
        {"rotate about z", [] { glRotatef(30.0f, 0.0f, 0.0f, 1.0f); },
         rotationMatrix(30.0f, 0.0f, 0.0f, 1.0f)},
        {"rotate about a long axis", [] { glRotatef(-117.0f, 2.0f, 3.0f, -6.0f); },
         rotationMatrix(-117.0f, 2.0f, 3.0f, -6.0f)},
        {"scale", [] { glScalef(2.0f, -0.5f, 4.0f); }, scalingMatrix(2.0f, -0.5f, 4.0f)},
        {"ortho", [] { glOrtho(0.0, 800.0, 0.0, 600.0, -1.0, 1.0); },
         orthographicMatrix(0.0, 800.0, 0.0, 600.0, -1.0, 1.0)},
        {"frustum", [] { glFrustum(-1.0, 2.0, -0.5, 1.5, 0.3, 900.0); },
         frustumMatrix(-1.0, 2.0, -0.5, 1.5, 0.3, 900.0)},
        {"perspective", [] { gluPerspective(45.0, 4.0 / 3.0, 0.1, 1000.0); },
         perspectiveMatrix(45.0, 4.0 / 3.0, 0.1, 1000.0)},
        {"look at", [] { gluLookAt(3.0, 4.0, 5.0, -1.0, 0.5, 2.0, 0.0, 1.0, 0.2); },
         lookAtMatrix(3.0, 4.0, 5.0, -1.0, 0.5, 2.0, 0.0, 1.0, 0.2)},
        {"composed",
         [] {
             gluPerspective(60.0, 1.0, 1.0, 100.0);
             glTranslatef(0.0f, 0.0f, -10.0f);
             glRotatef(45.0f, 1.0f, 1.0f, 0.0f);
             glScalef(3.0f, 3.0f, 3.0f);
         },
         perspectiveMatrix(60.0, 1.0, 1.0, 100.0) * translationMatrix(0.0f, 0.0f, -10.0f) *
             rotationMatrix(45.0f, 1.0f, 1.0f, 0.0f) * scalingMatrix(3.0f, 3.0f, 3.0f)},
    };
    for (const auto& c : cases) {
        expectSameMatrix(c.ours, driverMatrix(c.calls), c.what);
    }
}

TEST(Matrix, TheNormalMatrixUndoesScaleAndKeepsRotation) {
    const Matrix4 modelView = rotationMatrix(30.0f, 0.0f, 1.0f, 0.0f) *
                              scalingMatrix(2.0f, 4.0f, 0.5f) * translationMatrix(5, 6, 7);
    const std::array<float, 9> normals = normalMatrix(modelView);
    // A normal carried by it stays perpendicular to a carried tangent.
    const Vector4 tangent = modelView * Vector4{1.0f, -1.0f, 0.0f, 0.0f};
    const std::array<float, 3> normal = {1.0f, 1.0f, 0.0f};  // perpendicular to that tangent
    float dot = 0.0f;
    for (int row = 0; row < 3; ++row) {
        float carried = 0.0f;
        for (int column = 0; column < 3; ++column) {
            carried += normals[static_cast<size_t>(column * 3 + row)] *
                       normal[static_cast<size_t>(column)];
        }
        dot += carried * tangent[static_cast<size_t>(row)];
    }
    EXPECT_NEAR(dot, 0.0f, 1e-5f);
    EXPECT_EQ(normalMatrix(scalingMatrix(0.0f, 1.0f, 1.0f)),
              (std::array<float, 9>{1, 0, 0, 0, 1, 0, 0, 0, 1}));
}

TEST(MatrixStack, PushCopiesTheTopAndTheDepthIsKept) {
    MatrixStack stack(2);
    stack.multiply(translationMatrix(1, 2, 3));
    ASSERT_TRUE(stack.push());
    EXPECT_EQ(stack.top().m, translationMatrix(1, 2, 3).m);
    stack.load(scalingMatrix(2, 2, 2));
    EXPECT_FALSE(stack.push());  // the depth is full: nothing changes
    EXPECT_EQ(stack.size(), 2u);
    ASSERT_TRUE(stack.pop());
    EXPECT_EQ(stack.top().m, translationMatrix(1, 2, 3).m);
    EXPECT_FALSE(stack.pop());  // the last matrix stays
    EXPECT_EQ(stack.size(), 1u);
}

}  // namespace
