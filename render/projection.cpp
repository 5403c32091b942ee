#include "render/projection.h"

#include "base/gl.h"
#include "resources/camera_path.h"

Viewport viewport = {0, 0, 800, 600};

void setPerspective(const Viewport& view, float fovYDegrees) {
    glViewport(view.x, view.y, view.width, view.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = static_cast<double>(view.width) / static_cast<double>(view.height);
    const float nearPlane = 0.1f;  // widened from single precision on purpose
    gluPerspective(fovYDegrees, aspect, nearPlane, 100000000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void setOrtho(const Viewport& view, int32_t right, int32_t bottom) {
    glViewport(view.x, view.y, view.width, view.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, static_cast<double>(right), static_cast<double>(bottom), 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void lookAlong(const CameraPath& path, float t) {
    const CameraView view = path.viewAt(t);
    const Vector3& eye = view.eye;
    const Vector3& target = view.target;
    const Vector3& up = view.up;
    gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, up.x, up.y, up.z);
}
