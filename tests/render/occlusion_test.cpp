// The depth-buffer test of a box, against walls drawn for real.

#include "render/occlusion.h"

#include <limits>

#include "base/gl.h"
#include "support/gl_test.h"

namespace {

// The eye at the origin looking down -z, 90 degrees across, near plane at 1.
class OcclusionTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        glViewport(0, 0, 800, 600);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(90.0, 800.0 / 600.0, 1.0, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glDepthMask(GL_TRUE);
        glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT);
    }
    void TearDown() override { glDisable(GL_DEPTH_TEST); }

    // A white wall at depth z spanning x from left to right and all of y that shows.
    static void drawWall(float z, float left, float right) {
        glColor3f(1.0f, 1.0f, 1.0f);
        glBegin(GL_QUADS);
        glVertex3f(left, -100.0f, z);
        glVertex3f(right, -100.0f, z);
        glVertex3f(right, 100.0f, z);
        glVertex3f(left, 100.0f, z);
        glEnd();
    }
};

const Box kAhead = {{-1.0f, -1.0f, -10.0f}, {1.0f, 1.0f, -8.0f}};

TEST_F(OcclusionTest, ABoxShowsUntilAWallStandsInFrontOfIt) {
    EXPECT_FALSE(boxIsHidden(kAhead));
    drawWall(-12.0f, -100.0f, 100.0f);  // behind it
    EXPECT_FALSE(boxIsHidden(kAhead));
    drawWall(-5.0f, -100.0f, 100.0f);
    EXPECT_TRUE(boxIsHidden(kAhead));
}

TEST_F(OcclusionTest, AWallMustCoverAllOfTheBox) {
    drawWall(-5.0f, -100.0f, 0.0f);  // the left half of the view
    EXPECT_FALSE(boxIsHidden(kAhead));
    EXPECT_TRUE(boxIsHidden({{-6.0f, -1.0f, -10.0f}, {-4.0f, 1.0f, -8.0f}}));
}

TEST_F(OcclusionTest, ABoxOutsideTheViewIsHidden) {
    EXPECT_TRUE(boxIsHidden({{50.0f, -1.0f, -10.0f}, {60.0f, 1.0f, -8.0f}}));
    EXPECT_TRUE(boxIsHidden({{-1.0f, -1.0f, -300.0f}, {1.0f, 1.0f, -200.0f}}));  // beyond far
}

TEST_F(OcclusionTest, ABoxReachingTheNearPlaneIsNeverCalledHidden) {
    drawWall(-5.0f, -100.0f, 100.0f);
    // The eye inside the box: the wall between the eye and the box's far side hides only
    // the back faces, not what stands before the wall.
    EXPECT_FALSE(boxIsHidden({{-20.0f, -20.0f, -20.0f}, {20.0f, 20.0f, 20.0f}}));
    EXPECT_FALSE(boxIsHidden({{-1.0f, -1.0f, -10.0f}, {1.0f, 1.0f, -0.5f}}));
    EXPECT_FALSE(boxIsHidden({{-1.0f, -1.0f, 2.0f}, {1.0f, 1.0f, 4.0f}}));  // behind the eye
}

TEST_F(OcclusionTest, WhatCannotBeToldIsNotHidden) {
    drawWall(-5.0f, -100.0f, 100.0f);
    constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(boxIsHidden({{-1.0f, -1.0f, -10.0f}, {1.0f, kNan, -8.0f}}));
    EXPECT_FALSE(boxIsHidden({{1.0f, 1.0f, -8.0f}, {-1.0f, -1.0f, -10.0f}}));  // inverted
    glDisable(GL_DEPTH_TEST);
    EXPECT_FALSE(boxIsHidden(kAhead));
}

TEST_F(OcclusionTest, TheTestDrawsNothingAndKeepsTheState) {
    drawWall(-5.0f, -100.0f, 0.0f);
    const std::array<uint8_t, 3> wall = pixelAt(200, 300);
    const std::array<uint8_t, 3> background = pixelAt(600, 300);
    boxIsHidden({{-20.0f, -20.0f, -20.0f}, {20.0f, 20.0f, -2.0f}});
    EXPECT_EQ(pixelAt(200, 300), wall);
    EXPECT_EQ(pixelAt(600, 300), background);
    GLboolean colourMask[4] = {};
    GLboolean depthMask = GL_FALSE;
    glGetBooleanv(GL_COLOR_WRITEMASK, colourMask);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    EXPECT_TRUE(colourMask[0] && colourMask[1] && colourMask[2]);
    EXPECT_TRUE(depthMask);
    // The depth buffer is untouched too: a box just behind the wall's right edge still shows.
    EXPECT_FALSE(boxIsHidden({{2.0f, -1.0f, -10.0f}, {4.0f, 1.0f, -8.0f}}));
}

}  // namespace
