#pragma once
// The viewport record that the timeline writes before every pass step, and the two projection
// set-ups that apply it. Both call glViewport, load the projection, and leave the model-view
// matrix current and reset to identity.

#include <cstdint>

class CameraPath;

struct Viewport {
    int32_t x;
    int32_t y;
    int32_t width;   // pixels
    int32_t height;  // pixels
};

extern Viewport viewport;

// Perspective with a vertical field of view in degrees, aspect width / height, near 0.1 and
// far 1e8.
void setPerspective(const Viewport& view, float fovYDegrees);

// Orthographic box with the origin at the top-left corner and y growing downwards; right and
// bottom choose the units, whatever the viewport's size in pixels.
void setOrtho(const Viewport& view, int32_t right, int32_t bottom);

// Samples the path at t seconds and multiplies the current matrix by its view (gluLookAt).
void lookAlong(const CameraPath& path, float t);
