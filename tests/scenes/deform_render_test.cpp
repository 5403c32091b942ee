// The slinky's glow drawn for real: where it lies, what it adds, and what hides it.

#include <array>
#include <vector>

#include "render/projection.h"
#include "base/gl.h"
#include "resources/text_file.h"
#include "scenes/deform.h"
#include "support/gl_test.h"

namespace {

using Pixel = std::array<uint8_t, 3>;

// A 2x2 square round the slinky's own origin, upright, facing along z.
constexpr const char* kSquare =
    "TROB\n1\ns\nm\n4\n"
    "-1 -1 0\n0 0\n1 -1 0\n1 0\n1 1 0\n1 1\n-1 1 0\n0 1\n"
    "1\n0 0 -1\n"
    "2\n0 1 2\n0 0 0\n0 0 0\n0 2 3\n0 0 0\n0 0 0\n";

class DeformGlowTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        SceneObject& slinky = scene.objects[kSlinkyObject];
        loadMeshLines(slinky.source, splitLines(kSquare));
        loadMeshLines(slinky.working, splitLines(kSquare));
        slinky.texture.create(4, 4, 3);
        Image& white = *slinky.texture.picture();
        std::fill(white.data, white.data + 4 * 4 * 3, uint8_t{255});
        slinky.texture.upload(1, 0);
        slinky.hasTexture = true;
        placeSlinkyAt("-10 -2 80");
        // Ten units in front of the glow's centre, looking at it along +z: one world unit is
        // 30 pixels, and world x grows to the left of the screen.
        viewport = {0, 0, 800, 600};
        setPerspective(viewport, 90.0f);
        gluLookAt(-10.0, -2.0, 70.0, -10.0, -2.0, 80.0, 0.0, 1.0, 0.0);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
    }
    void TearDown() override { scene.objects[kSlinkyObject].texture.release(); }

    void placeSlinkyAt(const std::string& position) {
        const std::string key = "(" + position + ")\t(0 0 0)\t(1 1 1)\n";
        scene.objects[kSlinkyObject].animation.loadLines(splitLines("0\t" + key + "10\t" + key));
    }
    std::vector<uint8_t> glowAt(float t) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene.objects[kSlinkyObject].update(t);
        scene.glowPasses();
        std::vector<uint8_t> pixels(800 * 600 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
    // Lit pixels on the middle row.
    int32_t glowWidth(float t) {
        const std::vector<uint8_t> pixels = glowAt(t);
        int32_t lit = 0;
        for (int32_t x = 0; x < 800; ++x) {
            lit += pixels[(300 * 800 + x) * 3] > 0;
        }
        return lit;
    }

    EDeform scene;
};

TEST_F(DeformGlowTest, TwentyCopiesAddUpFromTheCentreOutwards) {
    glowAt(0.0f);
    // All twenty copies cover the centre: 20 x 0.035 of white.
    EXPECT_NEAR(pixelAt(400, 300)[0], 178, 3);
    // 1.5 units out only the copies scaled beyond 1.5 reach: the ten from 1.55 to 2.0.
    EXPECT_NEAR(pixelAt(400 + 45, 300)[0], 89, 3);
    // Beyond twice the square nothing.
    EXPECT_EQ(pixelAt(400 + 65, 300), (Pixel{0, 0, 0}));
    // Scaled in x and z only: the height stays the square's 2 units.
    EXPECT_EQ(pixelAt(400, 300 + 35), (Pixel{0, 0, 0}));
    EXPECT_GT(pixelAt(400, 300 + 25)[0], 150);
}

TEST_F(DeformGlowTest, IgnoresTheSlinkysAnimatedPlace) {
    const std::vector<uint8_t> atHome = glowAt(1.0f);
    placeSlinkyAt("25 7 -40");
    EXPECT_EQ(glowAt(1.0f), atHome);
}

TEST_F(DeformGlowTest, ShowsTheSlinkysDeformation) {
    const int32_t still = glowWidth(0.0f);
    EXPECT_NEAR(still, 120, 2);  // 2 units wide, scaled up to 2.0
    scene.objects[kSlinkyObject].deformer = deformSlink;
    // At t = 0 the slink widens the square's corners (y = +-1) by about 1.61.
    EXPECT_NEAR(glowWidth(0.0f), 1.61 * still, 4);
}

TEST_F(DeformGlowTest, IsHiddenByAWallInFrontAndWritesNoDepth) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // A red wall at z = 75 over world x below -10: the right half of the screen.
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    {
        glVertex3f(-10.0f, -20.0f, 75.0f);
        glVertex3f(-40.0f, -20.0f, 75.0f);
        glVertex3f(-40.0f, 20.0f, 75.0f);
        glVertex3f(-10.0f, 20.0f, 75.0f);
    }
    glEnd();
    scene.objects[kSlinkyObject].update(0.0f);
    scene.glowPasses();
    EXPECT_EQ(pixelAt(420, 300), (Pixel{255, 0, 0}));
    EXPECT_NEAR(pixelAt(380, 300)[0], 178, 3);
    GLfloat depth = 0.0f;
    glReadPixels(380, 300, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_EQ(depth, 1.0f);
    GLboolean writes = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &writes);
    EXPECT_EQ(writes, GL_TRUE);  // every pass restores what it changed
}

}  // namespace
