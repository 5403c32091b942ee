#include "render/framebuffer.h"

#include <array>
#include <vector>

#include "base/random.h"
#include "base/gl.h"
#include "resources/texture.h"
#include "support/gl_test.h"

namespace {

using Pixel = std::array<uint8_t, 3>;
constexpr Pixel kBlack = {0, 0, 0};

GLint attachmentSize(GLenum attachment, GLenum property) {
    GLint value = -1;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, attachment, property, &value);
    return value;
}

// A 512x512 RGB pattern in which neighbouring pixels differ.
std::vector<uint8_t> noisePattern() {
    seedRandom(99);
    std::vector<uint8_t> pixels(512 * 512 * 3);
    for (uint8_t& byte : pixels) {
        byte = static_cast<uint8_t>(nextRandom() & 0xFF);
    }
    return pixels;
}

using FramebufferTest = GLTest;

TEST_F(FramebufferTest, SurfaceIsOpaqueRgbWithDepthAndStencil) {
    EXPECT_EQ(context().surface().width(), 800);
    EXPECT_EQ(context().surface().height(), 600);
    EXPECT_EQ(attachmentSize(GL_COLOR_ATTACHMENT0, GL_FRAMEBUFFER_ATTACHMENT_RED_SIZE), 8);
    EXPECT_EQ(attachmentSize(GL_COLOR_ATTACHMENT0, GL_FRAMEBUFFER_ATTACHMENT_ALPHA_SIZE), 0);
    EXPECT_EQ(attachmentSize(GL_DEPTH_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE), 24);
    EXPECT_EQ(attachmentSize(GL_STENCIL_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_STENCIL_SIZE), 8);
}

TEST_F(FramebufferTest, FrameComesBackThroughTheTextureCopyUnchanged) {
    const std::vector<uint8_t> pattern = noisePattern();
    glDisable(GL_DEPTH_TEST);
    glWindowPos2i(0, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glDrawPixels(512, 512, GL_RGB, GL_UNSIGNED_BYTE, pattern.data());

    Texture target;
    ASSERT_TRUE(target.create(512, 512, 4));
    target.upload(0, GL_RGBA);
    target.copyFromFramebuffer();

    std::vector<uint8_t> copied(512 * 512 * 4);
    target.bind();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, copied.data());
    size_t mismatches = 0;
    for (size_t i = 0; i < 512 * 512; ++i) {
        for (size_t c = 0; c < 3; ++c) {
            mismatches += copied[i * 4 + c] != pattern[i * 3 + c];
        }
        // Without destination alpha the copy reads as opaque.
        mismatches += copied[i * 4 + 3] != 255;
    }
    EXPECT_EQ(mismatches, 0u);

    std::vector<uint8_t> readBack(512 * 512 * 3);
    glReadPixels(0, 0, 512, 512, GL_RGB, GL_UNSIGNED_BYTE, readBack.data());
    EXPECT_EQ(readBack, pattern);
    target.release();
}

TEST_F(FramebufferTest, ReadPixelsGivesTheTopRowFirst) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 599, 800, 1);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    const std::vector<uint8_t> rgb = context().surface().readPixels();
    ASSERT_EQ(rgb.size(), 800u * 600u * 3u);
    EXPECT_EQ(rgb[0], 255);
    EXPECT_EQ(rgb[800 * 3], 0);
}

TEST_F(FramebufferTest, BlitLetterboxesIntoAWiderTarget) {
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    Framebuffer window;
    ASSERT_TRUE(window.create(1200, 600));  // a 2:1 window around a 4:3 picture
    context().surface().bind();
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);

    glBindFramebuffer(GL_FRAMEBUFFER, window.name());
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);  // stale contents the bars must cover
    glClear(GL_COLOR_BUFFER_BIT);
    context().surface().blitTo(window.name(), 1200, 600);

    GLint bound = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(static_cast<uint32_t>(bound), context().surface().name());

    glBindFramebuffer(GL_READ_FRAMEBUFFER, window.name());
    // The picture spans x 200..999 and the full height; bars of 200 pixels either side.
    EXPECT_EQ(pixelAt(0, 300), kBlack);
    EXPECT_EQ(pixelAt(199, 300), kBlack);
    EXPECT_EQ(pixelAt(200, 0), (Pixel{255, 255, 255}));
    EXPECT_EQ(pixelAt(999, 599), (Pixel{255, 255, 255}));
    EXPECT_EQ(pixelAt(1000, 300), kBlack);
    EXPECT_EQ(pixelAt(1199, 300), kBlack);
    window.destroy();
    context().surface().bind();
}

}  // namespace
