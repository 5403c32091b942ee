#include "scenes/tunnel.h"

#include <cmath>
#include <cstdio>

#include "render/projection.h"
#include "scenes/status.h"
#include "render/compositing.h"
#include "base/gl.h"
#include "resources/data_manifest.h"
#include "resources/texture_table.h"

namespace {

constexpr int32_t kSegments = 16;             // quads round each ring
constexpr float kSegmentAngle = 0.39269909f;  // radians, pi / 8
constexpr int64_t kRingsBehind = 16;
constexpr float kRingsAhead = 64.0f;
constexpr int64_t kMostRings = 81;

void addQuad(int64_t ring, int32_t segment, std::vector<TunnelVertex>& quads) {
    const float near = static_cast<float>(ring);
    const float far = static_cast<float>(ring + 1);
    const float theta0 = static_cast<float>(segment) * kSegmentAngle;
    const float theta1 = static_cast<float>(segment + 1) * kSegmentAngle;
    quads.push_back({0.0f, 0.0f, ringPoint(near, theta0)});
    quads.push_back({1.0f, 0.0f, ringPoint(near, theta1)});
    quads.push_back({1.0f, 1.0f, ringPoint(far, theta1)});
    quads.push_back({0.0f, 1.0f, ringPoint(far, theta0)});
}

void setFog() {
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_DENSITY, 1.0f);
    glFogf(GL_FOG_START, 0.0f);
    glFogf(GL_FOG_END, 8.0f);
}

void writeMidLevelStatus() {
    char text[64];
    std::snprintf(text, sizeof text, "%f", static_cast<double>(midLevel));
    statusText = text;
}

}  // namespace

float centreX(float z) {
    return 4.0f * std::sin(0.1f * z);
}

float centreY(float z) {
    return 1.5f * std::sin(0.2f * z);
}

Vector3 tunnelAxis(float z) {
    return {centreX(z), centreY(z), -0.5f * z};
}

Vector3 ringPoint(float j, float theta) {
    return {4.0f * std::cos(theta + 0.1f * j) + 4.0f * std::sin(0.1f * j),
            std::sin(theta + 0.1f * j) + 1.5f * std::sin(0.2f * j), -0.5f * j};
}

RingRange tunnelRings(float p) {
    if (!std::isfinite(p) || std::fabs(p) > 1.0e9f) {
        return {0, 0};  // no sensible tube that far out
    }
    const int64_t first = static_cast<int64_t>(p) - kRingsBehind;
    int64_t count = 0;
    while (count < kMostRings && static_cast<float>(first + count) < p + kRingsAhead) {
        ++count;
    }
    return {first, count};
}

void buildTunnelQuads(float p, std::vector<TunnelVertex>& quads) {
    quads.clear();
    const RingRange rings = tunnelRings(p);
    for (int64_t k = rings.first; k < rings.first + rings.count; ++k) {
        for (int32_t i = 0; i < kSegments; ++i) {
            addQuad(k, i, quads);
        }
    }
}

// NOTE: one vertex array, not glBegin/glEnd: Mesa cuts a long immediate-mode block into
// several draws at points that depend on how many vertices every earlier frame sent, and
// where it cuts the tube changes the rounding of the far walls. As one array the frame no
// longer depends on what came before it, so a capture that starts late shows the same bytes.
void drawTunnel(float p, std::vector<TunnelVertex>& quads) {
    buildTunnelQuads(p, quads);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glInterleavedArrays(GL_T2F_V3F, sizeof(TunnelVertex), quads.data());
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(quads.size()));
    glPopClientAttrib();
}

void ETunnel::load() {
    overlayCurve.load(kTunnelCurve.name);
}

void ETunnel::advance(float t, float dt) {
    tunnelPosition += 2.0f * (std::sin(t) + 3.0f) * dt;
    writeMidLevelStatus();
}

void ETunnel::draw(float t, float) const {
    glPushMatrix();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glClear(GL_DEPTH_BUFFER_BIT);
    setPerspective(viewport, 90.0f);
    const Vector3 eye = tunnelAxis(tunnelPosition);
    const Vector3 target = tunnelAxis(tunnelPosition + 5.0f);
    const Vector3 up = {std::cos(0.1f * t), std::sin(0.1f * t), 0.0f};
    gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, up.x, up.y, up.z);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    setFog();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    textureEntry(kTunnelWall).bind();
    drawTunnel(tunnelPosition, quads);
    glPopAttrib();
    glPopMatrix();

    const float strength = overlayCurve.valueAt(t);
    scrollOverlayLeft(0.5f * t, 0.5f * strength, textureEntry(kListingA));
    scrollOverlayLeft(0.75f * t, overlayCurve.valueAt(t), textureEntry(kListingB));
    drawOverlay(textureEntry(kFrameOverlay));
}
