#include "render/occlusion.h"

#include <array>
#include <cmath>

#include "base/gl.h"

namespace {

using Matrix = std::array<GLfloat, 16>;  // column-major

std::array<Vector3, 8> cornersOf(const Box& box) {
    std::array<Vector3, 8> corners;
    for (int i = 0; i < 8; ++i) {
        corners[i] = {(i & 1) ? box.high.x : box.low.x, (i & 2) ? box.high.y : box.low.y,
                      (i & 4) ? box.high.z : box.low.z};
    }
    return corners;
}

bool isUsable(const Box& box) {
    const float values[6] = {box.low.x, box.low.y, box.low.z, box.high.x, box.high.y, box.high.z};
    for (const float value : values) {
        if (!std::isfinite(value)) {
            return false;
        }
    }
    return box.low.x <= box.high.x && box.low.y <= box.high.y && box.low.z <= box.high.z;
}

// Clip-space z + w of a point: positive in front of the near plane.
float inFrontOfNear(const Matrix& modelView, const Matrix& projection, const Vector3& p) {
    float eye[4];
    for (int row = 0; row < 4; ++row) {
        eye[row] = modelView[row] * p.x + modelView[4 + row] * p.y + modelView[8 + row] * p.z +
                   modelView[12 + row];
    }
    float clip[4];
    for (int row = 0; row < 4; ++row) {
        clip[row] = projection[row] * eye[0] + projection[4 + row] * eye[1] +
                    projection[8 + row] * eye[2] + projection[12 + row] * eye[3];
    }
    return clip[2] + clip[3];
}

// NOTE: a box cut by the near plane loses its front faces, and the back faces behind an
// occluder would then report hidden what stands in front of it.
bool liesBeyondNearPlane(const Box& box) {
    Matrix modelView;
    Matrix projection;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView.data());
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    for (const Vector3& corner : cornersOf(box)) {
        if (!(inFrontOfNear(modelView, projection, corner) > 0.0f)) {
            return false;
        }
    }
    return true;
}

void drawBox(const Box& box) {
    const std::array<Vector3, 8> c = cornersOf(box);
    // Corner i has bit 0 for x, 1 for y, 2 for z: each face keeps one bit fixed.
    constexpr int kFaces[6][4] = {{0, 2, 6, 4}, {1, 3, 7, 5}, {0, 1, 5, 4},
                                  {2, 3, 7, 6}, {0, 1, 3, 2}, {4, 5, 7, 6}};
    glBegin(GL_QUADS);
    for (const auto& face : kFaces) {
        for (const int i : face) {
            glVertex3f(c[i].x, c[i].y, c[i].z);
        }
    }
    glEnd();
}

}  // namespace

bool boxIsHidden(const Box& box) {
    if (!isUsable(box) || !glIsEnabled(GL_DEPTH_TEST) || !liesBeyondNearPlane(box)) {
        return false;
    }
    GLuint query = 0;
    glGenQueries(1, &query);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glBeginQuery(GL_SAMPLES_PASSED, query);
    drawBox(box);
    glEndQuery(GL_SAMPLES_PASSED);
    glPopAttrib();
    GLuint samples = 1;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &samples);
    glDeleteQueries(1, &query);
    return samples == 0;
}
