#include "scenes/welcome.h"

#include <array>
#include <vector>

#include "render/projection.h"
#include "base/gl.h"
#include "resources/texture_table.h"
#include "support/gl_test.h"

namespace {

using Pixel = std::array<uint8_t, 3>;

// A 4x4 picture, red in its top half and blue in its bottom half.
void makeTwoBandPicture(Texture& texture) {
    texture.create(4, 4, 3);
    Image& image = *texture.picture();
    for (int32_t row = 0; row < 4; ++row) {
        for (int32_t column = 0; column < 4; ++column) {
            uint8_t* pixel = image.data + (row * 4 + column) * 3;
            const bool top = row >= 2;  // row 0 is the bottom row
            pixel[0] = top ? 255 : 0;
            pixel[2] = top ? 0 : 255;
        }
    }
    texture.upload(1, 0);
}

class WelcomeTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        makeTwoBandPicture(textureEntry(kWelcomePicture));
        viewport = {0, 0, 512, 512};
    }
    void TearDown() override { textureEntry(kWelcomePicture).release(); }
    EWelcome scene;
};

bool isWhite(const Pixel& p) {
    return p[0] > 250 && p[1] > 250 && p[2] > 250;
}

TEST_F(WelcomeTest, PictureFillsTheTargetUpright) {
    scene.render(1.0f, 0.016f);
    EXPECT_EQ(pixelAt(256, 400), (Pixel{255, 0, 0}));  // the picture's top at the top
    EXPECT_EQ(pixelAt(256, 100), (Pixel{0, 0, 255}));
    // Edge to edge: the white clear shows nowhere inside the target.
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{
             {0, 0}, {511, 0}, {0, 511}, {511, 511}, {256, 0}, {0, 256}}) {
        EXPECT_FALSE(isWhite(pixelAt(x, y))) << x << "," << y;
    }
    // Outside the viewport nothing is drawn; the clear covers the whole frame.
    EXPECT_TRUE(isWhite(pixelAt(700, 300)));
}

TEST_F(WelcomeTest, TheFrameDoesNotChangeOverTime) {
    scene.render(0.5f, 0.016f);
    const std::vector<uint8_t> first = context().readPixels();
    scene.render(14.0f, 0.1f);
    EXPECT_EQ(context().readPixels(), first);
}

TEST_F(WelcomeTest, AMissingPictureShowsPlainWhite) {
    textureEntry(kWelcomePicture).release();
    scene.render(1.0f, 0.016f);
    // GL's default texture is incomplete, so texturing is off for the quad: plain white.
    EXPECT_TRUE(isWhite(pixelAt(256, 256)));
}

TEST_F(WelcomeTest, LeavesTheRenderStateItFound) {
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    scene.render(1.0f, 0.016f);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

}  // namespace
