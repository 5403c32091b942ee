#pragma once
// The laboratory that the Deform scene tours: two rooms joined by a passage, built from fifteen
// configured objects under Complex/xlab, their meshes under Objects/xlab, their animations
// under Animations/xlab, and the camera's 80-second tour. World units; y is up, the floor is at
// y = -6. Room 1 lies along z 0..40, the passage z 40..60, room 2 z 60..100; the slinky stands
// in room 2 on the point (-10, -2, 80), where the scene draws its glow.

#include <array>
#include <string>
#include <vector>

#include "resources/mesh.h"
#include "resources/track_key.h"
#include "tools/generator/data_tree.h"
#include "tools/generator/mesh_builder.h"

constexpr float kDeformTourSeconds = 80.0f;
constexpr Vector3 kSlinkyPlace = {-10.0f, -2.0f, 80.0f};

// The walkable spaces: room 1, the passage, room 2. Their union is the inside of the lab.
extern const std::array<Box, 3> kDeformSpaces;
// Bounds of everything standing in the rooms that the camera must keep out of.
std::vector<Box> deformObstacles();

struct DeformObjectRecipe {
    const char* configFile;
    const char* meshFile;
    Mesh (*buildMesh)();
    const char* textureFile;      // nullptr: none
    const char* environmentFile;  // nullptr: none
    const char* animationFile;    // nullptr: the object stays where its mesh puts it
    std::vector<TrackKey> (*animation)();
    const char* animationMode;  // nullptr: no deformation
    bool lit;
};

// The fifteen objects in the order the scene loads them.
extern const std::array<DeformObjectRecipe, 15> kDeformObjectRecipes;

// The meshes, each in world coordinates except the two that animations place: the twisting
// sculpture and the slinky, which are centred on their own origin.
Mesh deformHolderMesh();
Mesh deformMetalMesh();
Mesh deformPassageMesh();
Mesh deformWoodMesh();
Mesh deformStoneMesh();
Mesh deformRoom1FloorMesh();
Mesh deformRoom1RoofMesh();
Mesh deformStrangeMesh();
Mesh deformWalkMesh();
Mesh deformRoom1WallsMesh();
Mesh deformWindowMesh();
Mesh deformRoom2FloorMesh();
Mesh deformRoom2RoofMesh();
Mesh deformSlinkyMesh();
Mesh deformRoom2WallsMesh();

// The camera of the tour: dense keys of a smooth curve through hand-placed views.
std::vector<TrackKey> deformTourPath();
std::vector<TrackKey> strangeAnimation();
std::vector<TrackKey> slinkyAnimation();

// Writes every mesh, configuration, animation and the tour. False, with the file and the
// reason in `error`, at the first failure.
bool writeDeform(const DataTree& tree, std::string& error);
