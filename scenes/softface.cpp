#include "scenes/softface.h"

#include <algorithm>
#include <cmath>

#include "base/kernel_profile.h"
#include "base/picture.h"
#include "render/projection.h"
#include "render/compositing.h"
#include "render/cube_arms.h"
#include "render/scene_object_drawing.h"
#include "base/gl.h"
#include "resources/data_manifest.h"
#include "resources/texture_table.h"

namespace {

constexpr float kMetaballsEnd = 35.0f;
constexpr float kCubeCloudEnd = 12.75f;
constexpr float kBlurEnd = 60.0f;
constexpr float kClosingStart = 55.0f;
constexpr int32_t kBlurLayers = 16;
constexpr float kVertexCube = 1.1f;
constexpr float kBlobCube = 20.0f;  // world units across the metaball grid

// A dim light with a faint white highlight; colour material makes glColor the surfaces' colour.
void setDimLight() {
    const GLfloat ambient[4] = {0.1f, 0.1f, 0.1f, 1.0f};
    const GLfloat diffuse[4] = {0.1f, 0.1f, 0.1f, 1.0f};
    const GLfloat specular[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glEnable(GL_COLOR_MATERIAL);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 25.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

// Three white pulses round the hit at 35 s, back to back, the long one in the middle.
constexpr FlashPulse kFlashPulses[] = {{34.75f, 0.5f}, {34.5f, 0.25f}, {35.25f, 0.25f}};

void flashes(float t) {
    if (const FlashPulse* pulse = flashPulseAt(t)) {
        flash(pulse->duration, t - pulse->start, 1.0f);
    }
}

}  // namespace

SoftfaceAct softfaceActAt(float t) {
    if (t < kCubeCloudEnd) {
        return SoftfaceAct::CubeCloud;
    }
    if (t > kCubeCloudEnd && t < kMetaballsEnd) {
        return SoftfaceAct::Metaballs;
    }
    return SoftfaceAct::CubeArms;
}

const FlashPulse* flashPulseAt(float t) {
    for (const FlashPulse& pulse : kFlashPulses) {
        if (t > pulse.start && t < pulse.start + pulse.duration) {
            return &pulse;
        }
    }
    return nullptr;
}

void morph(Mesh& dst, const Mesh& from, const Mesh& to, float f) {
    if (from.parts.size() != to.parts.size()) {
        return;
    }
    dst = from;
    for (uint32_t p = 0; p < from.parts.size(); ++p) {
        const Array<MeshVertex>& a = from.parts[p].vertices;
        const Array<MeshVertex>& b = to.parts[p].vertices;
        if (a.size() != b.size()) {
            return;
        }
        Array<MeshVertex>& out = dst.parts[p].vertices;
        for (uint32_t i = 0; i < a.size(); ++i) {
            out[i].x = a[i].x + (b[i].x - a[i].x) * f;
            out[i].y = a[i].y + (b[i].y - a[i].y) * f;
            out[i].z = a[i].z + (b[i].z - a[i].z) * f;
        }
    }
}

void ESoftface::load() {
    for (size_t i = 0; i < kSoftfaceShapes.size(); ++i) {
        loadMesh(morphMeshes[i], kSoftfaceShapes[i].name);
    }
    envObject.load(kSoftfaceEnvironment.name);
    flyPath.load(kSoftfaceFlight.name);
    blurCurve.load(kSoftfaceBlurCurve.name);
    configureSoftfaceMetaballs(blobs);
}

void ESoftface::unload() {
    envObject.releaseTextures();
}

void ESoftface::updateWorkMesh(float t) {
    const KernelScope scope(Kernel::Morph);
    if (t < 5.0f) {
        workMesh = morphMeshes[0];
    } else if (t > 6.0f && t < 7.0f) {
        morph(workMesh, morphMeshes[0], morphMeshes[1], t - 6.0f);
    } else if (t > 7.0f && t < 8.0f) {
        workMesh = morphMeshes[1];
    } else if (t > 8.0f && t < 9.0f) {
        morph(workMesh, morphMeshes[1], morphMeshes[2], t - 8.0f);
    } else if (t > 9.0f && t < 10.0f) {
        workMesh = morphMeshes[2];
    } else if (t > 10.0f && t < 11.0f) {
        morph(workMesh, morphMeshes[2], morphMeshes[3], t - 10.0f);
    } else if (t > 12.0f && t < 60.0f) {
        workMesh = morphMeshes[3];
    }
}

void ESoftface::advance(float t, float) {
    if (softfaceActAt(t) == SoftfaceAct::CubeCloud) {
        updateWorkMesh(t);
    }
}

void ESoftface::drawVertexCubes() const {
    const float lineWidth = pictureLayout().scale;  // one pixel at 600 lines
    for (const MeshPart& part : workMesh.parts) {
        for (const MeshVertex& v : part.vertices) {
            const Vector3 p = {v.x, v.y, v.z};
            glPushAttrib(GL_ALL_ATTRIB_BITS);
            glDisable(GL_DEPTH_TEST);
            glDisable(GL_TEXTURE_2D);
            glDisable(GL_CULL_FACE);
            glDisable(GL_LIGHTING);
            glDisable(GL_COLOR_MATERIAL);
            glDisable(GL_TEXTURE_GEN_S);
            glDisable(GL_TEXTURE_GEN_T);
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            glColor4f(0.8f, 0.8f, 0.8f, 0.1f);
            drawCube(kVertexCube, p);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
            glLineWidth(lineWidth);
            glColor4f(0.8f, 0.8f, 0.8f, 0.2f);
            drawCube(kVertexCube, p);
            glPopAttrib();
        }
    }
}

void ESoftface::stepBlobs(float t) const {
    {
        const KernelScope scope(Kernel::Metaballs);
        placeSoftfaceBalls(blobs, t);
        for (MetaSource& box : blobs.boxes) {
            box.x = box.y = box.z = 0.5f;
        }
        polygonise(blobs);
    }
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushMatrix();
    glScalef(kBlobCube, kBlobCube, kBlobCube);
    glTranslatef(-0.5f, -0.5f, -0.5f);
    glEnable(GL_NORMALIZE);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    textureEntry(kChromeMap).bind();
    ::draw(blobs);  // the surface, not this scene
    glPopMatrix();
    glPopAttrib();
}

void ESoftface::draw(float t, float) const {
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    setDimLight();
    setPerspective(viewport, 90.0f);
    lookAlong(flyPath, t);
    textureEntry(kSkyTexture).bind();
    envObject.update(t);
    drawObject(envObject);
    switch (softfaceActAt(t)) {
        case SoftfaceAct::CubeCloud:
            drawVertexCubes();
            break;
        case SoftfaceAct::Metaballs:
            stepBlobs(t);
            break;
        case SoftfaceAct::CubeArms:
            drawCubeArms(t);
            break;
    }
    flashes(t);
    glPopAttrib();
    if (t > 0.0f && t < kBlurEnd) {
        Texture& blurTarget = textureEntry(kBlurTarget);
        blurTarget.copyFromFramebuffer();
        radialBlur(blurCurve.valueAt(t), kBlurLayers, blurTarget);
    }
    if (t > 0.0f) {
        blendOverlay(1, 0.2f * std::min(t, 1.0f), textureEntry(kLinesTexture));
    }
    drawOverlay(textureEntry(kFrameOverlay));
    if (t > kClosingStart) {
        blendOverlay(0, t - kClosingStart, textureEntry(kClosingPicture));
    }
}
