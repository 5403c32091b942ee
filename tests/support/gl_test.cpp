#include "support/gl_test.h"

#include <array>

#include "base/gl.h"

OffscreenContext& GLTest::context() {
    static OffscreenContext shared;
    return shared;
}

void GLTest::SetUpTestSuite() {
    if (context().surface().width() == 0) {
        ASSERT_TRUE(context().create()) << context().error();
    }
}

void GLTest::SetUp() {
    ASSERT_NE(context().surface().width(), 0) << "no offscreen context";
    context().makeCurrent();
    context().surface().bind();
    glViewport(0, 0, context().surface().width(), context().surface().height());
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

std::array<uint8_t, 3> GLTest::pixelAt(int32_t x, int32_t y) {
    std::array<uint8_t, 3> rgb = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}
