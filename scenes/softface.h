#pragma once
// ESoftface: the finale. A camera flies round an environment object while three acts follow
// each other: until 12.75 s a cloud of glowing wire cubes on the vertices of a mesh that morphs
// through four shapes, then sphere-mapped metaballs wobbling in a 20-unit cube, from 35 s the
// spinning cube arms. White flashes mark 35 s, a curve-driven radial blur smears the first
// minute, a line pattern fades in over the first second and the closing picture from 55 s.
// Times in seconds of the scene (demo time - 120 s); the first frames come with t down to -0.1.

#include <array>

#include "scenes/effect.h"
#include "render/metaballs.h"
#include "scenes/softface_blobs.h"
#include "resources/camera_path.h"
#include "resources/curve.h"
#include "resources/data_manifest.h"
#include "resources/mesh.h"
#include "resources/scene_object.h"

enum class SoftfaceAct { CubeCloud, Metaballs, CubeArms };

// The act playing at scene time t: the cube cloud before 12.75 s, the metaballs strictly
// between 12.75 and 35 s, the cube arms otherwise (from 35 s, and at 12.75 s exactly).
SoftfaceAct softfaceActAt(float t);

// One white pulse of the flashes round the hit at 35 s, durations in seconds.
struct FlashPulse {
    float start;
    float duration;
};

// The pulse whose open window (start, start + duration) holds t, or nullptr: the windows
// follow each other without overlap, so at most one fires.
const FlashPulse* flashPulseAt(float t);

// dst = from with every vertex position moved the fraction f of the way to `to`'s; everything
// else stays `from`'s. Meshes of different part counts leave dst as it was; the blend stops at
// the first part whose vertex count differs (the parts from there on stay as `from` has them).
void morph(Mesh& dst, const Mesh& from, const Mesh& to, float f);

class ESoftface : public Effect {
public:
    // While the cube cloud plays, writes workMesh for the time (see updateWorkMesh).
    void advance(float localTime, float dt) override;
    // dt is not used: every picture is a function of t and of the shape advance left.
    void draw(float localTime, float dt) const override;
    void restart() override { workMesh = Mesh{}; }
    void load() override;
    void unload() override;
    void idle() override {}

    // Writes workMesh for scene time t: copies of the shapes, morphs between them, or nothing
    // (the shape then holds) between the windows.
    void updateWorkMesh(float t);
    // Additive glowing wire cubes of edge 1.1 on every vertex of workMesh (transform not applied).
    void drawVertexCubes() const;
    // Moves the metaball sources for time t, rebuilds the surface and draws it sphere-mapped,
    // scaled to a 20-unit cube round the origin.
    void stepBlobs(float t) const;

    CameraPath flyPath;
    // NOTE: posed (animated, deformed) for the frame being drawn, from t alone; the next frame
    // poses it afresh, so nothing of one picture reaches the next.
    mutable SceneObject envObject;
    Mesh workMesh;  // the shape under the cube cloud; the one state kept from frame to frame
    std::array<Mesh, kSoftfaceShapes.size()> morphMeshes;
    Curve blurCurve;  // radial blur amount over the scene's time
    // NOTE: the sources are placed and the surface rebuilt from t by every frame that draws
    // it; only the strengths and the grid, set by load, last.
    mutable Metaballs blobs;
};
