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

}  // namespace
