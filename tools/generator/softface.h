#pragma once
// The finale's content (the Softface scene; scene time 0..60 s is demo time 120..180 s): the four
// shapes whose vertices carry the cloud of glowing cubes until 12.75 s, the sky sphere round
// everything and the camera's flight past the three acts. World units, every act centred on the
// origin; the flat shapes lie in the x-y plane and face +z. The shapes share one vertex count
// and one vertex order, so vertex i of one flies to vertex i of the next when they morph.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "resources/mesh.h"
#include "resources/track_key.h"
#include "tools/generator/data_tree.h"

constexpr const char* kSoftfaceSkyMeshFile = "Objects/sf/env.rob";
constexpr float kSoftfaceSeconds = 60.0f;
// The acts: the cube cloud until 12.75 s, the metaballs until the hit at 35 s, then the cube
// arms; the closing picture fades in from 55 s over a still camera.
constexpr float kSoftfaceCloudEnd = 12.75f;
constexpr float kSoftfaceHit = 35.0f;
constexpr float kSoftfaceClosing = 55.0f;
constexpr float kSoftfaceSkyRadius = 200.0f;
// Vertices of every morph shape.
constexpr int32_t kMorphPointCount = 272;

struct MorphShape {
    const char* file;
    Mesh (*build)();
};

// In the order the scene morphs them: the figures 27, a cube, an arrow, a ring.
extern const std::array<MorphShape, 4> kMorphShapes;

// One part of kMorphPointCount vertices each with a texture coordinate, no normals, no faces:
// only the points are drawn.
Mesh morphDigitsMesh();  // "27", 23 units across and 24 high, two layers 1.4 apart in z
Mesh morphCubeMesh();    // the edges of a 14-unit cube, each three rows of points wide
Mesh morphArrowMesh();   // pointing to +x, 25 units long, three layers in z
Mesh morphRingMesh();    // a ring 24 units across and 3 wide, two layers in z

// The sky: a sphere of kSoftfaceSkyRadius facing its centre, under 2000 triangles; u goes once
// round, v from 0 at the bottom to 1 at the top with Textures/Sky.png's horizon on the equator.
Mesh softfaceSkyMesh();

// The camera: dense keys from 0 to kSoftfaceSeconds, eye, target and up.
std::vector<TrackKey> softfaceFlightPath();

// Writes the shapes, the sky's mesh and configuration and the flight. False, with the file and
// the reason in `error`, at the first failure.
bool writeSoftface(const DataTree& tree, std::string& error);
