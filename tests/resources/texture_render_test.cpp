// Texture uploads on a real context.

#include <gtest/gtest.h>

#include "base/gl.h"
#include "resources/texture.h"
#include "support/gl_test.h"

namespace {

using TextureUploadTest = GLTest;

TEST_F(TextureUploadTest, ASecondUploadReplacesTheFirstName) {
    Texture texture;
    ASSERT_TRUE(texture.create(4, 4, 4));
    texture.upload(0, 0);
    const GLuint first = texture.name();
    ASSERT_NE(first, 0u);
    texture.upload(1, 0);
    EXPECT_NE(texture.name(), 0u);
    EXPECT_TRUE(glIsTexture(texture.name()));
    if (texture.name() != first) {
        EXPECT_FALSE(glIsTexture(first));  // freed, not left behind
    }
    texture.release();
    EXPECT_EQ(texture.name(), 0u);
}

TEST_F(TextureUploadTest, AnUploadWithoutPixelsKeepsWhatWasThere) {
    Texture texture;
    ASSERT_TRUE(texture.create(4, 4, 4));
    texture.upload(0, 0);
    const GLuint first = texture.name();
    texture.releasePixels();
    texture.upload(0, 0);
    EXPECT_EQ(texture.name(), first);
    EXPECT_TRUE(glIsTexture(first));
}

TEST_F(TextureUploadTest, APictureWiderThanTheContextCanHoldIsLeftOut) {
    GLint largestSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largestSide);
    ASSERT_GT(largestSide, 0);
    for (const int32_t mode : {0, 1}) {
        Texture wide;
        ASSERT_TRUE(wide.create(largestSide + 1, 1, 3));
        wide.upload(mode, 0);
        EXPECT_EQ(wide.name(), 0u) << mode;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << mode;
    }
    Texture widest;
    ASSERT_TRUE(widest.create(largestSide, 1, 3));
    widest.upload(0, 0);
    EXPECT_NE(widest.name(), 0u);
}

}  // namespace
