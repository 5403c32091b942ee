#pragma once
// ETunnel: a flight through an endless winding tube, rebuilt around the camera every frame,
// black linear fog hiding its far end, the camera rolling slowly, and two additive program
// listings scrolling over the left half with a strength that follows a curve. While it renders
// it writes the music's mid level into the window title's status text.
// Depth is counted in ring units: one ring unit is 0.5 world units along -z.

#include <cstdint>
#include <vector>

#include "scenes/effect.h"
#include "resources/curve.h"
#include "resources/track_key.h"

// The tube's axis at depth index z: (centreX(z), centreY(z), -0.5 z).
float centreX(float z);
float centreY(float z);
Vector3 tunnelAxis(float z);
// The point of ring j at angle theta (radians) round the elliptical cross-section.
Vector3 ringPoint(float j, float theta);

struct RingRange {
    int64_t first;  // ring index
    int64_t count;  // rings from first on
};

// The rings drawn around travel position p: from 16 ring units behind to 64 ahead.
RingRange tunnelRings(float p);

// One corner of a tube quad as drawn.
struct TunnelVertex {
    float u, v;
    Vector3 position;
};

// The tube's quads around p, four corners each, ring after ring and segment after segment
// round each ring; every quad maps the whole texture. Replaces the contents of `quads`.
void buildTunnelQuads(float p, std::vector<TunnelVertex>& quads);

// Draws the tube's quads around p as one GL_QUADS vertex array, built in `quads` (scratch,
// replaced); client array state is kept.
void drawTunnel(float p, std::vector<TunnelVertex>& quads);

class ETunnel : public Effect {
public:
    // Moves tunnelPosition on by the speed at localTime over dt, and writes the music's mid
    // level into the status text, which the title keeps after the scene ends.
    void advance(float localTime, float dt) override;
    void draw(float localTime, float dt) const override;
    void restart() override { tunnelPosition = 0.0f; }
    void load() override;
    void idle() override {}

    Curve overlayCurve;  // strength of the scrolling listings over the scene's time
    // Travel position along the tube, ring units. It integrates the speed over the frames that
    // render the scene.
    float tunnelPosition = 0.0f;

private:
    // NOTE: scratch of draw, rebuilt from tunnelPosition by every frame; kept only so that no
    // frame allocates.
    mutable std::vector<TunnelVertex> quads;
};
