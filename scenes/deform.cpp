#include "scenes/deform.h"

#include <algorithm>
#include <limits>

#include "render/projection.h"
#include "render/compositing.h"
#include "render/occlusion.h"
#include "base/gl.h"
#include "resources/data_manifest.h"
#include "resources/texture_table.h"

namespace {

constexpr int32_t kGlowCopies = 20;
constexpr float kGlowScaleStep = 0.05f;
constexpr float kGlowShare = 0.035f;  // of the texture colour each copy adds
constexpr Vector3 kGlowCentre = {-10.0f, -2.0f, 80.0f};

// A directional light set after the view, so it stays fixed in the world.
void placeLight() {
    const GLfloat direction[4] = {100.0f, 10.0f, 100.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
}

}  // namespace

void EDeform::load() {
    tourPath.load(kDeformTour.name);
    for (int32_t i = 0; i < kDeformObjectCount; ++i) {
        objects[i].load(kDeformObjects[static_cast<size_t>(i)].name);
    }
    wireCurve.load(kDeformWireCurve.name);
}

void EDeform::unload() {
    for (SceneObject& object : objects) {
        object.releaseTextures();
    }
}

Box glowBox(const Mesh& mesh) {
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    Box box = {{kInfinity, kInfinity, kInfinity}, {-kInfinity, -kInfinity, -kInfinity}};
    const auto include = [&box](float x, float y, float z) {
        box.low = {std::min(box.low.x, x), std::min(box.low.y, y), std::min(box.low.z, z)};
        box.high = {std::max(box.high.x, x), std::max(box.high.y, y), std::max(box.high.z, z)};
    };
    // Each coordinate is linear in the scale, so the smallest and the largest copy bound all.
    const float smallest = 1.0f + kGlowScaleStep;
    const float largest = 1.0f + kGlowScaleStep * static_cast<float>(kGlowCopies);
    for (const MeshPart& part : mesh.parts) {
        for (const MeshVertex& v : part.vertices) {
            include(smallest * v.x, v.y, smallest * v.z);
            include(largest * v.x, v.y, largest * v.z);
        }
    }
    // A margin for the rounding of depths and edges: the test must never see less than the
    // copies cover.
    const float margin = 0.01f * std::max({box.high.x - box.low.x, box.high.y - box.low.y,
                                           box.high.z - box.low.z, 1.0f});
    box.low = {box.low.x - margin, box.low.y - margin, box.low.z - margin};
    box.high = {box.high.x + margin, box.high.y + margin, box.high.z + margin};
    return box;
}

// NOTE: the copies fill up to twenty layers of the picture, where they show; behind the
// laboratory's walls, or outside the view, asking the depth buffer first is far cheaper than
// drawing them for nothing.
bool EDeform::glowIsHidden() const {
    glPushMatrix();
    glTranslatef(kGlowCentre.x, kGlowCentre.y, kGlowCentre.z);
    const bool hidden = boxIsHidden(glowBox(objects[kSlinkyObject].working));
    glPopMatrix();
    return hidden;
}

void EDeform::glowPasses() const {
    if (glowIsHidden()) {
        return;
    }
    SceneObject& slinky = objects[kSlinkyObject];
    for (int32_t i = 0; i < kGlowCopies; ++i) {
        const float s = kGlowScaleStep * static_cast<float>(i + 1);
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glDepthMask(GL_FALSE);
        glBlendFunc(GL_ONE, GL_ONE);
        glColor4f(kGlowShare, kGlowShare, kGlowShare, kGlowShare);
        bindObjectTextures(slinky);
        glPushMatrix();
        glTranslatef(kGlowCentre.x, kGlowCentre.y, kGlowCentre.z);
        glScalef(1.0f + s, 1.0f, 1.0f + s);
        drawObjectGeometry(slinky, false);
        glPopMatrix();
        glPopAttrib();
    }
}

void EDeform::draw(float t, float) const {
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    setPerspective(viewport, 90.0f);
    glLoadIdentity();
    lookAlong(tourPath, t);
    placeLight();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    updateAndDrawGroups(std::span<SceneObject>(objects), t);
    glowPasses();
    drawWireframeOverlay(objects[kSlinkyObject], objects[kWindowObject], wireCurve.valueAt(t));
    glPopAttrib();
    drawOverlay(textureEntry(kFrameOverlay));
}
