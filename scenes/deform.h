#pragma once
// EDeform: the camera tour through a two-room laboratory built from fifteen configured objects,
// with a glowing slinky in room 2 and a white wireframe of the slinky and the room 1 window
// whose opacity follows a curve. World units; times in seconds of the scene (demo time - 10 s).
// render saves and restores all GL attributes around the 3D part and leaves the model-view
// matrix holding the tour's view.

#include <array>
#include <cstdint>
#include <span>

#include "scenes/effect.h"
#include "render/occlusion.h"
#include "render/scene_object_drawing.h"
#include "resources/camera_path.h"
#include "resources/curve.h"
#include "resources/data_manifest.h"
#include "resources/scene_object.h"

constexpr int32_t kDeformObjectCount = static_cast<int32_t>(kDeformObjects.size());
constexpr int32_t kSlinkyObject = 13;  // room 2: the glowing spring
constexpr int32_t kWindowObject = 10;  // room 1: the translucent window

struct ObjectGroup {
    int32_t first;  // index into the object array
    int32_t count;
};

// Common furniture, room 1, room 2: drawn in that order.
constexpr std::array<ObjectGroup, 3> kDeformGroups = {{{0, 5}, {5, 6}, {11, 4}}};

// Group by group: update(t) every object of the group, then draw every one (drawObject), in
// array order. Generic so a recording double can stand in for SceneObject.
template <typename Object>
void updateAndDrawGroups(std::span<Object> objects, float t) {
    for (const ObjectGroup& group : kDeformGroups) {
        const std::span<Object> members = objects.subspan(group.first, group.count);
        for (Object& object : members) {
            object.update(t);
        }
        for (Object& object : members) {
            drawObject(object);
        }
    }
}

// The white wireframe at opacity w, slinky first, then the window; nothing unless w > 0.
template <typename Object>
void drawWireframeOverlay(Object& slinky, Object& window, float w) {
    if (w > 0.0f) {
        drawObjectWireframe(slinky, w);
        drawObjectWireframe(window, w);
    }
}

// The box holding every glow copy of the mesh as drawn after the move to the glow centre,
// with a margin; an empty mesh gives an inverted, infinite box.
Box glowBox(const Mesh& mesh);

class EDeform : public Effect {
public:
    // dt is not used, and nothing is carried: every picture is a function of t alone, so a
    // capture at any frame rate shows the demo's pictures.
    void draw(float localTime, float dt) const override;
    void load() override;
    void unload() override;
    void idle() override {}

    // Twenty additive copies of the slinky's current (deformed) shape around the world point
    // (-10, -2, 80), scaled in x and z from 1.05 to 2.0, without the slinky's own transform.
    // Depth is tested but not written. Nothing is drawn when the depth buffer shows that no
    // copy could change a pixel.
    void glowPasses() const;
    bool glowIsHidden() const;

    CameraPath tourPath;
    // NOTE: posed (animated, deformed) for the frame being drawn, from t alone; the next frame
    // poses them afresh, so nothing of one picture reaches the next.
    mutable std::array<SceneObject, kDeformObjectCount> objects;
    Curve wireCurve;  // opacity of the wireframe overlay over the scene's time
};
