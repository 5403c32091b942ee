#pragma once
// The textured cube and the cube-arms figure: a central cube with six chains of shrinking cubes
// along the axes, each level turned by its arm's swing so the chains curl, the swing waving
// over time. Sizes are edge lengths in world units, angles degrees, time seconds. The cube
// sends no normals and its faces wind differently: it is meant for unlit, unculled drawing.
// drawCubeArms saves and restores all GL attributes and the model-view matrix.

#include <array>
#include <cstdint>

#include "resources/track_key.h"

struct CubeCorner {
    float s, t;  // texture coordinate
    Vector3 position;
};

// The 24 corners of the axis-aligned cube: faces z-, z+, x-, x+, y-, y+, each with the texture
// coordinates (0,0), (0,1), (1,1), (1,0) in turn.
std::array<CubeCorner, 24> cubeCorners(float size, const Vector3& centre);

// One GL_QUADS batch of the six faces. Texture, colour and blending are the caller's.
void drawCube(float size, const Vector3& centre);

// The six arm directions: +x, -x, +y, -y, +z, -z.
extern const std::array<Vector3, 6> kArmDirections;

// The swing of arm i at time t: rotations about x, y and z, degrees.
Vector3 armSwing(int32_t arm, float t);

// The whole figure at scene time t, additive with Particle.png, spinning about all three axes.
void drawCubeArms(float t);

// One level of an arm: moves 1.1 * size along the direction, turns by the swing, then draws
// the tip cube of edge 2.0 when depth < 1, or a cube of `size` and the next level at 0.9 * size.
void drawArmSegment(int32_t depth, float size, const Vector3& swing, const Vector3& direction);
