// The laboratory's geometry. Rooms are seen from inside: floors face up, roofs down, walls
// inwards. Room surfaces are texture mapped by world position so their pictures keep one scale:
// floors and roofs one picture per 8 units, walls one picture per 4 units across and the whole
// wall height once.

#include "tools/generator/deform.h"

#include <cmath>

#include "tools/generator/portable_math.h"

const std::array<Box, 3> kDeformSpaces = {{
    {{-16.0f, -6.0f, 0.0f}, {16.0f, 8.0f, 40.0f}},
    {{-3.0f, -6.0f, 40.0f}, {3.0f, 0.0f, 60.0f}},
    {{-26.0f, -6.0f, 60.0f}, {6.0f, 8.0f, 100.0f}},
}};

namespace {

constexpr float kFloor = -6.0f;
constexpr float kRoof = 8.0f;
constexpr float kDoorHalfWidth = 3.0f;
constexpr float kDoorTop = 0.0f;
constexpr float kFloorUnit = 8.0f;
constexpr float kWallUnit = 4.0f;
constexpr float kPassageUnit = 6.0f;
constexpr float kWindowX = 4.0f;  // the glass partition of room 1

const Box& room1() {
    return kDeformSpaces[0];
}
const Box& passage() {
    return kDeformSpaces[1];
}
const Box& room2() {
    return kDeformSpaces[2];
}

Mesh meshOfBuilder(const MeshBuilder& builder) {
    return meshOf({builder.toPart()});
}

// A horizontal rectangle at height y facing up (or down), mapped one picture per `unit`.
void addLevel(MeshBuilder& builder, const Box& area, float y, bool facingUp, float unit) {
    const float x0 = area.low.x, x1 = area.high.x, z0 = area.low.z, z1 = area.high.z;
    const auto corner = [&](float x, float z) {
        return MeshCorner{{x, y, z}, x / unit, z / unit, {0, facingUp ? 1.0f : -1.0f, 0}};
    };
    if (facingUp) {
        builder.addQuad(corner(x0, z1), corner(x1, z1), corner(x1, z0), corner(x0, z0));
    } else {
        builder.addQuad(corner(x0, z0), corner(x1, z0), corner(x1, z1), corner(x0, z1));
    }
}

// A piece of wall between the floor points a and b (y ignored), from y0 to y1, facing
// `inward`; uA and uB are the world units along the wall at a and b. v runs once over the
// room's height.
void addWallPiece(MeshBuilder& builder, Vector3 a, Vector3 b, float y0, float y1, Vector3 inward,
                  float uA, float uB) {
    const Vector3 right = cross({0, 1, 0}, inward);
    if (dot(b - a, right) < 0.0f) {
        addWallPiece(builder, b, a, y0, y1, inward, uB, uA);
        return;
    }
    const float v0 = (y0 - kFloor) / (kRoof - kFloor);
    const float v1 = (y1 - kFloor) / (kRoof - kFloor);
    const float u0 = uA / kWallUnit;
    const float u1 = uB / kWallUnit;
    builder.addQuad({{a.x, y0, a.z}, u0, v0, inward}, {{b.x, y0, b.z}, u1, v0, inward},
                    {{b.x, y1, b.z}, u1, v1, inward}, {{a.x, y1, a.z}, u0, v1, inward});
}

// A whole wall from a to b, its u the distance from a.
void addWall(MeshBuilder& builder, Vector3 a, Vector3 b, Vector3 inward) {
    addWallPiece(builder, a, b, kFloor, kRoof, inward, 0.0f, std::sqrt(dot(b - a, b - a)));
}

// A full-height wall along z = `z` from x0 to x1, with the passage's doorway cut out.
void addDoorWall(MeshBuilder& builder, float x0, float x1, float z, Vector3 inward) {
    const float d = kDoorHalfWidth;
    addWallPiece(builder, {x0, 0, z}, {-d, 0, z}, kFloor, kRoof, inward, 0.0f, -d - x0);
    addWallPiece(builder, {-d, 0, z}, {d, 0, z}, kDoorTop, kRoof, inward, -d - x0, d - x0);
    addWallPiece(builder, {d, 0, z}, {x1, 0, z}, kFloor, kRoof, inward, d - x0, x1 - x0);
}

// The three solid walls of a room and its door wall at z = doorZ.
Mesh roomWalls(const Box& room, float doorZ) {
    MeshBuilder builder;
    const float x0 = room.low.x, x1 = room.high.x, z0 = room.low.z, z1 = room.high.z;
    addWall(builder, {x0, 0, z0}, {x0, 0, z1}, {1, 0, 0});
    addWall(builder, {x1, 0, z0}, {x1, 0, z1}, {-1, 0, 0});
    const float otherZ = doorZ == z0 ? z1 : z0;
    const Vector3 doorInward = {0, 0, doorZ == z0 ? 1.0f : -1.0f};
    addWall(builder, {x0, 0, otherZ}, {x1, 0, otherZ}, doorInward * -1.0f);
    addDoorWall(builder, x0, x1, doorZ, doorInward);
    return meshOfBuilder(builder);
}

// The door frame round one end of the passage, standing out into the room on `side`.
void addDoorFrame(MeshBuilder& builder, float z, float side) {
    const float d = kDoorHalfWidth;
    const float depth = 0.4f * side;
    const float za = std::fmin(z, z + depth), zb = std::fmax(z, z + depth);
    builder.addBox({{-d - 0.6f, kFloor, za}, {-d, kDoorTop + 0.6f, zb}}, kPassageUnit);
    builder.addBox({{d, kFloor, za}, {d + 0.6f, kDoorTop + 0.6f, zb}}, kPassageUnit);
    builder.addBox({{-d, kDoorTop, za}, {d, kDoorTop + 0.6f, zb}}, kPassageUnit);
}

// One rib of the passage: a frame lining the walls and the roof.
void addRib(MeshBuilder& builder, float z) {
    const float d = kDoorHalfWidth;
    builder.addBox({{-d, kFloor, z}, {-d + 0.3f, kDoorTop, z + 0.5f}}, kPassageUnit);
    builder.addBox({{d - 0.3f, kFloor, z}, {d, kDoorTop, z + 0.5f}}, kPassageUnit);
    builder.addBox({{-d, kDoorTop - 0.3f, z}, {d, kDoorTop, z + 0.5f}}, kPassageUnit);
}

void addCrate(MeshBuilder& builder, Vector3 low, float size) {
    builder.addBox({low, low + Vector3{size, size, size}}, size);
}

// A point on a trefoil knot, t in turns.
Vector3 trefoil(float t, float scale) {
    const float x = static_cast<float>(sinTurns(t) + 2.0 * sinTurns(2.0 * t));
    const float y = static_cast<float>(cosTurns(t) - 2.0 * cosTurns(2.0 * t));
    const float z = static_cast<float>(-sinTurns(3.0 * t));
    return Vector3{x, y, z} * scale;
}

}  // namespace

std::vector<Box> deformObstacles() {
    return {
        {{kWindowX - 0.2f, kFloor, 12.0f}, {kWindowX + 0.2f, 4.0f, 32.0f}},  // the glass
        {{8.4f, kFloor, 19.4f}, {11.6f, -3.5f, 22.6f}},                      // sculpture stand
        {{7.5f, -4.5f, 18.0f}, {12.5f, 2.0f, 24.0f}},                        // the sculpture
        {{-14.0f, kFloor, 15.0f}, {-8.0f, -2.9f, 25.0f}},                    // workbench
        {{-14.5f, kFloor, 29.0f}, {-11.0f, -1.0f, 36.5f}},                   // crates
        {{-15.5f, kFloor, 3.0f}, {-12.5f, -4.0f, 7.0f}},                     // stone block
        {{10.9f, kFloor, 2.9f}, {14.1f, 1.0f, 37.6f}},                       // tanks
        {{-13.0f, kFloor, 77.0f}, {-7.0f, 8.0f, 83.0f}},                     // slinky & holder
        {{-22.5f, kFloor, 90.0f}, {-20.5f, kRoof, 92.0f}},                   // pillar
        {{0.5f, kFloor, 90.0f}, {2.5f, kRoof, 92.0f}},                       // pillar
        {{-24.5f, kFloor, 62.0f}, {-21.5f, -1.0f, 65.0f}},                   // crates
        {{3.2f, kFloor, 61.0f}, {5.8f, -3.4f, 63.6f}},                       // crate
    };
}

Mesh deformHolderMesh() {
    MeshBuilder builder;
    // The sculpture's stand.
    builder.addCylinder({10.0f, kFloor, 21.0f}, 1.2f, 2.2f, 16);
    builder.addCylinder({10.0f, -3.8f, 21.0f}, 1.6f, 0.3f, 16);
    // The slinky's base plate, and the clamp hanging from the roof over it.
    builder.addCylinder({kSlinkyPlace.x, kFloor, kSlinkyPlace.z}, 3.0f, 0.5f, 24);
    builder.addCylinder({kSlinkyPlace.x, 4.4f, kSlinkyPlace.z}, 2.6f, 0.3f, 24);
    builder.addCylinder({kSlinkyPlace.x, 4.7f, kSlinkyPlace.z}, 0.4f, kRoof - 4.7f, 8);
    return meshOfBuilder(builder);
}

Mesh deformMetalMesh() {
    MeshBuilder builder;
    // The walkway's handrails: posts every four units and a rail on top.
    for (const float x : {-2.4f, 2.4f}) {
        for (float z = 3.0f; z < 39.0f; z += 4.0f) {
            builder.addCylinder({x, -5.7f, z}, 0.08f, 1.3f, 6);
        }
        builder.addTube({{x, -4.4f, 2.0f}, {x, -4.4f, 39.0f}}, 0.09f, 8, 4.0f);
    }
    // Pipes along the roofs and through the passage.
    builder.addTube({{-14.0f, 7.0f, 0.0f}, {-14.0f, 7.0f, 40.0f}}, 0.35f, 10, 4.0f);
    builder.addTube({{-12.8f, 7.2f, 0.0f}, {-12.8f, 7.2f, 40.0f}}, 0.25f, 10, 4.0f);
    builder.addTube({{2.4f, -0.5f, 39.6f}, {2.4f, -0.5f, 60.4f}}, 0.2f, 8, 2.0f);
    builder.addTube({{-26.0f, 7.0f, 98.0f}, {6.0f, 7.0f, 98.0f}}, 0.35f, 10, 4.0f);
    builder.addTube({{-24.5f, 7.2f, 60.0f}, {-24.5f, 7.2f, 100.0f}}, 0.3f, 10, 4.0f);
    // Tanks in the corners.
    builder.addCylinder({12.5f, kFloor, 4.5f}, 1.6f, 7.0f, 16);
    builder.addCylinder({12.5f, kFloor, 36.0f}, 1.6f, 7.0f, 16);
    builder.addCylinder({2.0f, kFloor, 96.0f}, 1.8f, 8.0f, 16);
    builder.addCylinder({-22.0f, kFloor, 96.0f}, 1.8f, 8.0f, 16);
    return meshOfBuilder(builder);
}

Mesh deformPassageMesh() {
    MeshBuilder builder;
    const Box& p = passage();
    const float d = kDoorHalfWidth;
    const auto add = [&](Vector3 a, Vector3 b, Vector3 c, Vector3 e, Vector3 n, float v0,
                         float v1) {
        builder.addQuad({a, a.z / kPassageUnit, v0, n}, {b, b.z / kPassageUnit, v0, n},
                        {c, c.z / kPassageUnit, v1, n}, {e, e.z / kPassageUnit, v1, n});
    };
    const float z0 = p.low.z, z1 = p.high.z, y0 = p.low.y, y1 = p.high.y;
    add({-d, y0, z0}, {-d, y0, z1}, {d, y0, z1}, {d, y0, z0}, {0, 1, 0}, 0.0f, 1.0f);
    add({-d, y1, z0}, {d, y1, z0}, {d, y1, z1}, {-d, y1, z1}, {0, -1, 0}, 0.0f, 1.0f);
    add({-d, y0, z1}, {-d, y0, z0}, {-d, y1, z0}, {-d, y1, z1}, {1, 0, 0}, 0.0f, 1.0f);
    add({d, y0, z0}, {d, y0, z1}, {d, y1, z1}, {d, y1, z0}, {-1, 0, 0}, 0.0f, 1.0f);
    addDoorFrame(builder, z0, -1.0f);
    addDoorFrame(builder, z1, 1.0f);
    for (const float z : {44.75f, 49.75f, 54.75f}) {
        addRib(builder, z);
    }
    return meshOfBuilder(builder);
}

Mesh deformWoodMesh() {
    MeshBuilder builder;
    // Room 1: a workbench and a stack of crates by the left wall.
    builder.addBox({{-14.0f, -3.3f, 15.0f}, {-8.0f, -2.9f, 25.0f}}, 3.0f);
    for (const float x : {-13.7f, -8.7f}) {
        for (const float z : {15.3f, 24.3f}) {
            builder.addBox({{x, kFloor, z}, {x + 0.4f, -3.3f, z + 0.4f}}, 3.0f);
        }
    }
    addCrate(builder, {-14.5f, kFloor, 29.0f}, 3.0f);
    addCrate(builder, {-14.0f, -3.0f, 29.5f}, 2.0f);
    addCrate(builder, {-13.5f, kFloor, 34.0f}, 2.5f);
    // Room 2: crates by the door.
    addCrate(builder, {-24.5f, kFloor, 62.0f}, 3.0f);
    addCrate(builder, {-24.0f, -3.0f, 62.5f}, 2.0f);
    addCrate(builder, {3.2f, kFloor, 61.0f}, 2.6f);
    return meshOfBuilder(builder);
}

Mesh deformStoneMesh() {
    MeshBuilder builder;
    builder.addBox({{-15.5f, kFloor, 3.0f}, {-12.5f, -4.0f, 7.0f}}, 4.0f);
    builder.addBox({{-22.5f, kFloor, 90.0f}, {-20.5f, kRoof, 92.0f}}, 4.0f);
    builder.addBox({{0.5f, kFloor, 90.0f}, {2.5f, kRoof, 92.0f}}, 4.0f);
    // A low step ring of blocks round the slinky's base.
    for (int32_t i = 0; i < 8; ++i) {
        const float turns = static_cast<float>(i) / 8.0f;
        const float x = kSlinkyPlace.x + 4.6f * static_cast<float>(cosTurns(turns));
        const float z = kSlinkyPlace.z + 4.6f * static_cast<float>(sinTurns(turns));
        builder.addBox({{x - 0.6f, kFloor, z - 0.6f}, {x + 0.6f, -5.4f, z + 0.6f}}, 4.0f);
    }
    return meshOfBuilder(builder);
}

Mesh deformRoom1FloorMesh() {
    MeshBuilder builder;
    addLevel(builder, room1(), kFloor, true, kFloorUnit);
    return meshOfBuilder(builder);
}

Mesh deformRoom1RoofMesh() {
    MeshBuilder builder;
    addLevel(builder, room1(), kRoof, false, kFloorUnit);
    return meshOfBuilder(builder);
}

Mesh deformRoom2FloorMesh() {
    MeshBuilder builder;
    addLevel(builder, room2(), kFloor, true, kFloorUnit);
    return meshOfBuilder(builder);
}

Mesh deformRoom2RoofMesh() {
    MeshBuilder builder;
    addLevel(builder, room2(), kRoof, false, kFloorUnit);
    return meshOfBuilder(builder);
}

Mesh deformRoom1WallsMesh() {
    return roomWalls(room1(), room1().high.z);
}

Mesh deformRoom2WallsMesh() {
    return roomWalls(room2(), room2().low.z);
}

Mesh deformStrangeMesh() {
    std::vector<Vector3> knot;
    constexpr int32_t kSteps = 96;
    for (int32_t i = 0; i <= kSteps; ++i) {
        knot.push_back(trefoil(static_cast<float>(i) / kSteps, 0.62f));
    }
    MeshBuilder builder;
    builder.addTube(knot, 0.38f, 8, 6.0f);
    return meshOfBuilder(builder);
}

Mesh deformWalkMesh() {
    MeshBuilder builder;
    builder.addBox({{-2.5f, kFloor, 1.0f}, {2.5f, -5.7f, 39.6f}}, 2.5f);
    return meshOfBuilder(builder);
}

Mesh deformWindowMesh() {
    MeshBuilder builder;
    const Vector3 facing = {-1, 0, 0};  // towards the walkway
    for (int32_t column = 0; column < 5; ++column) {
        const float za = 12.0f + 4.0f * static_cast<float>(column);
        const float zb = za + 4.0f;
        for (const float y : {-6.0f, -1.0f}) {
            builder.addTwoSidedQuad(
                {{kWindowX, y, zb}, 0, 0, facing}, {{kWindowX, y, za}, 1, 0, facing},
                {{kWindowX, y + 5.0f, za}, 1, 1, facing}, {{kWindowX, y + 5.0f, zb}, 0, 1, facing});
        }
    }
    return meshOfBuilder(builder);
}

Mesh deformSlinkyMesh() {
    // A coil of nine turns round the y axis, its foot on the base plate below the point the
    // animation puts it on.
    constexpr int32_t kTurns = 9;
    constexpr int32_t kStepsPerTurn = 24;
    constexpr float kBottom = -3.5f;
    constexpr float kHeight = 9.0f;
    std::vector<Vector3> coil;
    for (int32_t i = 0; i <= kTurns * kStepsPerTurn; ++i) {
        const float turns = static_cast<float>(i) / kStepsPerTurn;
        const float y = kBottom + kHeight * turns / kTurns;
        coil.push_back({2.2f * static_cast<float>(cosTurns(turns)), y,
                        2.2f * static_cast<float>(sinTurns(turns))});
    }
    MeshBuilder builder;
    builder.addTube(coil, 0.24f, 8, static_cast<float>(kTurns));
    return meshOfBuilder(builder);
}
