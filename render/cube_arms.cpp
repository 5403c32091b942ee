#include "render/cube_arms.h"

#include <cmath>

#include "base/gl.h"
#include "resources/texture_table.h"

const std::array<Vector3, 6> kArmDirections = {{
    {1.0f, 0.0f, 0.0f},
    {-1.0f, 0.0f, 0.0f},
    {0.0f, 1.0f, 0.0f},
    {0.0f, -1.0f, 0.0f},
    {0.0f, 0.0f, 1.0f},
    {0.0f, 0.0f, -1.0f},
}};

namespace {

constexpr float kCentreCube = 2.5f;
constexpr float kRootCube = 2.25f;
constexpr float kFirstSegment = 2.0249999f;
constexpr float kTipCube = 2.0f;
constexpr int32_t kSegmentDepth = 19;
constexpr float kSpacing = 1.1f;  // of a cube's edge between neighbouring centres
constexpr float kShrink = 0.9f;

void rotateBy(const Vector3& swing) {
    glRotatef(swing.x, 1.0f, 0.0f, 0.0f);
    glRotatef(swing.y, 0.0f, 1.0f, 0.0f);
    glRotatef(swing.z, 0.0f, 0.0f, 1.0f);
}

void translateAlong(const Vector3& direction, float distance) {
    glTranslatef(direction.x * distance, direction.y * distance, direction.z * distance);
}

}  // namespace

std::array<CubeCorner, 24> cubeCorners(float size, const Vector3& centre) {
    const float h = 0.5f * size;
    const float x0 = centre.x - h, x1 = centre.x + h;
    const float y0 = centre.y - h, y1 = centre.y + h;
    const float z0 = centre.z - h, z1 = centre.z + h;
    const Vector3 faces[6][4] = {
        {{x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0}},
        {{x0, y0, z1}, {x0, y1, z1}, {x1, y1, z1}, {x1, y0, z1}},
        {{x0, y0, z0}, {x0, y1, z0}, {x0, y1, z1}, {x0, y0, z1}},
        {{x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}},
        {{x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}},
        {{x0, y1, z0}, {x1, y1, z0}, {x1, y1, z1}, {x0, y1, z1}},
    };
    const float uv[4][2] = {{0.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}};
    std::array<CubeCorner, 24> corners;
    for (int32_t f = 0; f < 6; ++f) {
        for (int32_t c = 0; c < 4; ++c) {
            corners[4 * f + c] = {uv[c][0], uv[c][1], faces[f][c]};
        }
    }
    return corners;
}

void drawCube(float size, const Vector3& centre) {
    const std::array<CubeCorner, 24> corners = cubeCorners(size, centre);
    glBegin(GL_QUADS);
    {
        for (const CubeCorner& corner : corners) {
            glTexCoord2f(corner.s, corner.t);
            glVertex3f(corner.position.x, corner.position.y, corner.position.z);
        }
    }
    glEnd();
}

Vector3 armSwing(int32_t arm, float t) {
    const float i = static_cast<float>(arm);
    return {30.0f * std::sin(t + 2.0f * i), 20.0f * std::sin(1.5f * t + 1.5f * i),
            10.0f * std::sin(2.0f * t + i)};
}

void drawArmSegment(int32_t depth, float size, const Vector3& swing, const Vector3& direction) {
    glPushMatrix();
    translateAlong(direction, kSpacing * size);
    rotateBy(swing);
    const Vector3 origin = {0.0f, 0.0f, 0.0f};
    if (depth < 1) {
        drawCube(kTipCube, origin);
    } else {
        drawCube(size, origin);
        drawArmSegment(depth - 1, size * kShrink, swing, direction);
    }
    glPopMatrix();
}

void drawCubeArms(float t) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glEnable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glPushMatrix();
    glRotatef(20.0f * t, 1.0f, 0.0f, 0.0f);
    glRotatef(40.0f * t, 0.0f, 1.0f, 0.0f);
    glRotatef(60.0f * t, 0.0f, 0.0f, 1.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    textureEntry(kParticleTexture).bind();
    const Vector3 origin = {0.0f, 0.0f, 0.0f};
    drawCube(kCentreCube, origin);
    for (int32_t i = 0; i < static_cast<int32_t>(kArmDirections.size()); ++i) {
        const Vector3 swing = armSwing(i, t);
        glPushMatrix();
        translateAlong(kArmDirections[i], kSpacing * kRootCube);
        rotateBy(swing);
        drawCube(kRootCube, origin);
        drawArmSegment(kSegmentDepth, kFirstSegment, swing, kArmDirections[i]);
        glPopMatrix();
    }
    glPopMatrix();
    glPopAttrib();
}
