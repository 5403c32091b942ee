#include "scenes/deform.h"

#include "app/projection.h"
#include "render/compositing.h"
#include "render/gl.h"
#include "resources/texture_table.h"

const std::array<const char*, kDeformObjectCount> kDeformObjectFiles = {
    "Complex/xlab/common/holder.cfg", "Complex/xlab/common/metall.cfg",
    "Complex/xlab/common/tunnel.cfg", "Complex/xlab/common/wood.cfg",
    "Complex/xlab/common/stone.cfg",  "Complex/xlab/room1/floor.cfg",
    "Complex/xlab/room1/roof.cfg",    "Complex/xlab/room1/strange.cfg",
    "Complex/xlab/room1/walk.cfg",    "Complex/xlab/room1/walls.cfg",
    "Complex/xlab/room1/window.cfg",  "Complex/xlab/room2/floor.cfg",
    "Complex/xlab/room2/roof.cfg",    "Complex/xlab/room2/slinky.cfg",
    "Complex/xlab/room2/walls.cfg",
};

namespace {

constexpr int32_t kFrameOverlay = 9;  // "Textures/frame169.png"
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
    tourPath.load(kDeformTourFile);
    for (int32_t i = 0; i < kDeformObjectCount; ++i) {
        objects[i].load(kDeformObjectFiles[i]);
    }
    wireCurve.load(kDeformWireCurveFile);
}

void EDeform::glowPasses() {
    SceneObject& slinky = objects[kSlinkyObject];
    for (int32_t i = 0; i < kGlowCopies; ++i) {
        const float s = kGlowScaleStep * static_cast<float>(i + 1);
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glDepthMask(GL_FALSE);
        glBlendFunc(GL_ONE, GL_ONE);
        glColor4f(kGlowShare, kGlowShare, kGlowShare, kGlowShare);
        slinky.bindTextures();
        glPushMatrix();
        glTranslatef(kGlowCentre.x, kGlowCentre.y, kGlowCentre.z);
        glScalef(1.0f + s, 1.0f, 1.0f + s);
        slinky.setTransformEnabled(false);
        slinky.drawGeometry();
        slinky.setTransformEnabled(true);
        glPopMatrix();
        glPopAttrib();
    }
}

// NOTE: dt is not used: every frame is a function of t alone, so a capture at any frame rate
// shows the same pictures as the demo.
void EDeform::render(float t, float) {
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
