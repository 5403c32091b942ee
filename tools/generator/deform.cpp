// The laboratory's objects, animations and the camera's tour, and writing them all.

#include "tools/generator/deform.h"

#include "resources/data_manifest.h"
#include "resources/scene_object.h"
#include "tools/generator/camera_views.h"
#include "tools/generator/format_writers.h"
#include "tools/generator/deform_textures.h"
#include "tools/generator/portable_math.h"

namespace {

constexpr const char* kChromeMap = kPictureFiles[1].name;  // the sphere map, "Textures/EnvY.png"
constexpr const char* kStrangeAnimationFile = "Animations/xlab/strange.txt";
constexpr const char* kSlinkyAnimationFile = "Animations/xlab/slinky.txt";

// Room 1 from its back corner: across to the workbench and the crates on the left, then right
// to the glass and the sculpture behind it, along the walkway through the passage, into room 2
// and round the slinky to a last look at its glow.
constexpr CameraView kTourViews[] = {
    {0.0f, {2.0f, -0.5f, 2.5f}, {-10.0f, -3.0f, 12.0f}},
    {6.0f, {-1.0f, -1.0f, 6.0f}, {-11.0f, -3.0f, 18.0f}},
    {12.0f, {-3.0f, -1.2f, 12.0f}, {-12.0f, -3.0f, 26.0f}},
    {18.0f, {-1.5f, -1.4f, 17.0f}, {6.0f, -2.5f, 24.0f}},
    {24.0f, {0.5f, -1.5f, 21.0f}, {10.0f, -2.2f, 21.0f}},
    {30.0f, {0.0f, -1.7f, 27.0f}, {3.0f, -2.0f, 40.0f}},
    {36.0f, {0.0f, -2.3f, 35.0f}, {0.0f, -2.5f, 50.0f}},
    {41.0f, {0.0f, -2.5f, 44.0f}, {0.0f, -2.5f, 62.0f}},
    {47.0f, {0.0f, -2.4f, 55.0f}, {-4.0f, -2.0f, 72.0f}},
    {53.0f, {-1.0f, -1.8f, 63.0f}, {-9.0f, -1.0f, 80.0f}},
    {59.0f, {-3.0f, -1.3f, 66.5f}, {-10.0f, -1.0f, 80.0f}},
    {65.0f, {-7.0f, -1.0f, 68.5f}, {-10.0f, -1.0f, 80.0f}},
    {71.0f, {-13.0f, -0.5f, 70.0f}, {-10.0f, -1.0f, 80.0f}},
    {77.0f, {-17.5f, 0.0f, 76.0f}, {-10.0f, -1.5f, 80.0f}},
    {kDeformTourSeconds, {-18.0f, 0.0f, 77.0f}, {-10.0f, -1.5f, 80.0f}},
};
// Keys close enough that straight lines between them follow the curve without corners.
constexpr float kTourKeySeconds = 0.2f;

ConfigEntries configOf(const DeformObjectRecipe& object) {
    ConfigEntries entries = {{kObjectFileKey, object.meshFile}};
    if (object.textureFile != nullptr) {
        entries.push_back({kTextureFileKey, object.textureFile});
    }
    if (object.environmentFile != nullptr) {
        entries.push_back({kEnvironmentFileKey, object.environmentFile});
    }
    if (object.animationFile != nullptr) {
        entries.push_back({kAnimationFileKey, object.animationFile});
        entries.push_back({kAnimationLoopKey, kYes});
    }
    entries.push_back(
        {kAnimationModeKey, object.animationMode ? object.animationMode : kCleanMode});
    entries.push_back({kRenderShadowKey, kNo});
    entries.push_back({kRenderShadeKey, object.lit ? kYes : kNo});
    return entries;
}

bool fail(const char* file, std::string& error) {
    error = std::string(file) + ": " + error;
    return false;
}

bool writeObject(const DataTree& tree, const DeformObjectRecipe& object, std::string& error) {
    std::string text;
    if (!writeMeshText(object.buildMesh(), text, error)) {
        return fail(object.meshFile, error);
    }
    if (!tree.writeText(object.meshFile, text, error)) {
        return false;
    }
    if (object.animationFile != nullptr) {
        if (!writeAnimationText(object.animation(), text, error)) {
            return fail(object.animationFile, error);
        }
        if (!tree.writeText(object.animationFile, text, error)) {
            return false;
        }
    }
    if (!writeConfigText(configOf(object), text, error)) {
        return fail(object.configFile, error);
    }
    return tree.writeText(object.configFile, text, error);
}

}  // namespace

const std::array<DeformObjectRecipe, 15> kDeformObjectRecipes = {{
    {kDeformObjects[0].name, "Objects/xlab/holder.rob", deformHolderMesh, kDeformHolderTexture,
     nullptr, nullptr, nullptr, nullptr, false},
    {kDeformObjects[1].name, "Objects/xlab/metall.rob", deformMetalMesh, nullptr, kChromeMap,
     nullptr, nullptr, nullptr, false},
    {kDeformObjects[2].name, "Objects/xlab/tunnel.rob", deformPassageMesh, kDeformPassageTexture,
     nullptr, nullptr, nullptr, nullptr, false},
    {kDeformObjects[3].name, "Objects/xlab/wood.rob", deformWoodMesh, kDeformWoodTexture, nullptr,
     nullptr, nullptr, nullptr, false},
    {kDeformObjects[4].name, "Objects/xlab/stone.rob", deformStoneMesh, kDeformStoneTexture,
     nullptr, nullptr, nullptr, nullptr, false},
    {kDeformObjects[5].name, "Objects/xlab/room1_floor.rob", deformRoom1FloorMesh,
     kDeformFloorTexture, nullptr, nullptr, nullptr, nullptr, false},
    {kDeformObjects[6].name, "Objects/xlab/room1_roof.rob", deformRoom1RoofMesh, kDeformRoofTexture,
     nullptr, nullptr, nullptr, nullptr, false},
    {kDeformObjects[7].name, "Objects/xlab/strange.rob", deformStrangeMesh, kDeformStrangeTexture,
     nullptr, kStrangeAnimationFile, strangeAnimation, kTwistMode, false},
    {kDeformObjects[8].name, "Objects/xlab/walk.rob", deformWalkMesh, kDeformGrateTexture, nullptr,
     nullptr, nullptr, nullptr, false},
    {kDeformObjects[9].name, "Objects/xlab/room1_walls.rob", deformRoom1WallsMesh,
     kDeformWall1Texture, nullptr, nullptr, nullptr, nullptr, false},
    {kDeformObjects[10].name, "Objects/xlab/window.rob", deformWindowMesh, kDeformWindowTexture,
     nullptr, nullptr, nullptr, nullptr, false},
    {kDeformObjects[11].name, "Objects/xlab/room2_floor.rob", deformRoom2FloorMesh,
     kDeformFloorTexture, nullptr, nullptr, nullptr, nullptr, false},
    {kDeformObjects[12].name, "Objects/xlab/room2_roof.rob", deformRoom2RoofMesh,
     kDeformRoofTexture, nullptr, nullptr, nullptr, nullptr, false},
    {kDeformObjects[13].name, "Objects/xlab/slinky.rob", deformSlinkyMesh, kDeformSlinkyTexture,
     nullptr, kSlinkyAnimationFile, slinkyAnimation, kSlinkMode, false},
    {kDeformObjects[14].name, "Objects/xlab/room2_walls.rob", deformRoom2WallsMesh,
     kDeformWall2Texture, nullptr, nullptr, nullptr, nullptr, false},
}};

std::vector<TrackKey> deformTourPath() {
    return cameraPathThrough(kTourViews, kTourKeySeconds);
}

// The sculpture bobs on its stand and rocks about the z axis, both in a 20-second loop.
std::vector<TrackKey> strangeAnimation() {
    constexpr float kLoopSeconds = 20.0f;
    constexpr float kKeySeconds = 0.25f;
    std::vector<TrackKey> keys;
    for (float t = 0.0f; t <= kLoopSeconds; t += kKeySeconds) {
        const float bob = 0.15f * static_cast<float>(sinTurns(t / 5.0f));
        const float rock = 18.0f * static_cast<float>(sinTurns(t / kLoopSeconds));
        keys.push_back({t, {10.0f, -1.3f + bob, 21.0f}, {0.0f, 0.0f, rock}, {1, 1, 1}});
    }
    return keys;
}

// NOTE: the slinky stays on the point its glow is drawn around; the glow does not follow the
// animation, so a moving slinky would leave its glow behind.
std::vector<TrackKey> slinkyAnimation() {
    return {{0.0f, kSlinkyPlace, {0, 0, 0}, {1, 1, 1}},
            {kDeformTourSeconds, kSlinkyPlace, {0, 0, 0}, {1, 1, 1}}};
}

bool writeDeform(const DataTree& tree, std::string& error) {
    for (const DeformObjectRecipe& object : kDeformObjectRecipes) {
        if (!writeObject(tree, object, error)) {
            return false;
        }
    }
    std::string text;
    if (!writeCameraPathText(deformTourPath(), text, error)) {
        return fail(kDeformTour.name, error);
    }
    return tree.writeText(kDeformTour.name, text, error);
}
