// The laboratory's objects, animations and the camera's tour, and writing them all.

#include "tools/generator/laboratory.h"

#include <iterator>

#include "tools/generator/format_writers.h"
#include "tools/generator/lab_textures.h"
#include "tools/generator/portable_math.h"

namespace {

constexpr const char* kChromeMap = "Textures/EnvY.png";
constexpr const char* kStrangeAnimationFile = "Animations/xlab/strange.txt";
constexpr const char* kSlinkyAnimationFile = "Animations/xlab/slinky.txt";

// A view the tour passes through: at `time` seconds the camera stands at `eye` and looks at
// `target`.
struct TourView {
    float time;
    Vector3 eye;
    Vector3 target;
};

// Room 1 from its back corner: across to the workbench and the crates on the left, then right
// to the glass and the sculpture behind it, along the walkway through the passage, into room 2
// and round the slinky to a last look at its glow.
constexpr TourView kTourViews[] = {
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
    {kLabTourSeconds, {-18.0f, 0.0f, 77.0f}, {-10.0f, -1.5f, 80.0f}},
};
constexpr size_t kTourViewCount = std::size(kTourViews);
// Keys close enough that straight lines between them follow the curve without corners.
constexpr float kTourKeySeconds = 0.2f;

// The velocity through view i: the central difference, one-sided at the ends.
Vector3 velocityAt(size_t i, Vector3 TourView::*point) {
    const size_t before = i > 0 ? i - 1 : i;
    const size_t after = i + 1 < kTourViewCount ? i + 1 : i;
    const TourView& a = kTourViews[before];
    const TourView& b = kTourViews[after];
    return (b.*point - a.*point) * (1.0f / (b.time - a.time));
}

// Cubic Hermite between views i and i + 1 at fraction f, velocities in units per second.
Vector3 tourPoint(size_t i, float f, Vector3 TourView::*point) {
    const TourView& a = kTourViews[i];
    const TourView& b = kTourViews[i + 1];
    const float span = b.time - a.time;
    const float f2 = f * f, f3 = f2 * f;
    const float h00 = 2 * f3 - 3 * f2 + 1, h10 = f3 - 2 * f2 + f;
    const float h01 = -2 * f3 + 3 * f2, h11 = f3 - f2;
    return a.*point * h00 + velocityAt(i, point) * (h10 * span) + b.*point * h01 +
           velocityAt(i + 1, point) * (h11 * span);
}

TrackKey tourKeyAt(float t) {
    size_t i = 0;
    while (i + 2 < kTourViewCount && t > kTourViews[i + 1].time) {
        ++i;
    }
    const float f = (t - kTourViews[i].time) / (kTourViews[i + 1].time - kTourViews[i].time);
    return {t, tourPoint(i, f, &TourView::eye), tourPoint(i, f, &TourView::target), {0, 1, 0}};
}

ConfigEntries configOf(const LabObjectRecipe& object) {
    ConfigEntries entries = {{"ObjectFile", object.meshFile}};
    if (object.textureFile != nullptr) {
        entries.push_back({"TextureFile", object.textureFile});
    }
    if (object.environmentFile != nullptr) {
        entries.push_back({"EnvironmentFile", object.environmentFile});
    }
    if (object.animationFile != nullptr) {
        entries.push_back({"AnimationFile", object.animationFile});
        entries.push_back({"AnimationLoop", "YES"});
    }
    entries.push_back({"AnimationMode", object.animationMode ? object.animationMode : "AF_CLEAN"});
    entries.push_back({"RenderShadow", "NO"});
    entries.push_back({"RenderShade", object.lit ? "YES" : "NO"});
    return entries;
}

bool fail(const char* file, std::string& error) {
    error = std::string(file) + ": " + error;
    return false;
}

bool writeObject(const DataTree& tree, const LabObjectRecipe& object, std::string& error) {
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

const std::array<LabObjectRecipe, 15> kLabObjects = {{
    {"Complex/xlab/common/holder.cfg", "Objects/xlab/holder.rob", labHolderMesh, kLabHolderTexture,
     nullptr, nullptr, nullptr, nullptr, false},
    {"Complex/xlab/common/metall.cfg", "Objects/xlab/metall.rob", labMetalMesh, nullptr, kChromeMap,
     nullptr, nullptr, nullptr, false},
    {"Complex/xlab/common/tunnel.cfg", "Objects/xlab/tunnel.rob", labPassageMesh,
     kLabPassageTexture, nullptr, nullptr, nullptr, nullptr, false},
    {"Complex/xlab/common/wood.cfg", "Objects/xlab/wood.rob", labWoodMesh, kLabWoodTexture, nullptr,
     nullptr, nullptr, nullptr, false},
    {"Complex/xlab/common/stone.cfg", "Objects/xlab/stone.rob", labStoneMesh, kLabStoneTexture,
     nullptr, nullptr, nullptr, nullptr, false},
    {"Complex/xlab/room1/floor.cfg", "Objects/xlab/room1_floor.rob", labRoom1FloorMesh,
     kLabFloorTexture, nullptr, nullptr, nullptr, nullptr, false},
    {"Complex/xlab/room1/roof.cfg", "Objects/xlab/room1_roof.rob", labRoom1RoofMesh,
     kLabRoofTexture, nullptr, nullptr, nullptr, nullptr, false},
    {"Complex/xlab/room1/strange.cfg", "Objects/xlab/strange.rob", labStrangeMesh,
     kLabStrangeTexture, nullptr, kStrangeAnimationFile, strangeAnimation, "AF_TWIST", false},
    {"Complex/xlab/room1/walk.cfg", "Objects/xlab/walk.rob", labWalkMesh, kLabGrateTexture, nullptr,
     nullptr, nullptr, nullptr, false},
    {"Complex/xlab/room1/walls.cfg", "Objects/xlab/room1_walls.rob", labRoom1WallsMesh,
     kLabWall1Texture, nullptr, nullptr, nullptr, nullptr, false},
    {"Complex/xlab/room1/window.cfg", "Objects/xlab/window.rob", labWindowMesh, kLabWindowTexture,
     nullptr, nullptr, nullptr, nullptr, false},
    {"Complex/xlab/room2/floor.cfg", "Objects/xlab/room2_floor.rob", labRoom2FloorMesh,
     kLabFloorTexture, nullptr, nullptr, nullptr, nullptr, false},
    {"Complex/xlab/room2/roof.cfg", "Objects/xlab/room2_roof.rob", labRoom2RoofMesh,
     kLabRoofTexture, nullptr, nullptr, nullptr, nullptr, false},
    {"Complex/xlab/room2/slinky.cfg", "Objects/xlab/slinky.rob", labSlinkyMesh, kLabSlinkyTexture,
     nullptr, kSlinkyAnimationFile, slinkyAnimation, "AF_SLINK", false},
    {"Complex/xlab/room2/walls.cfg", "Objects/xlab/room2_walls.rob", labRoom2WallsMesh,
     kLabWall2Texture, nullptr, nullptr, nullptr, nullptr, false},
}};

std::vector<TrackKey> labTourPath() {
    std::vector<TrackKey> keys;
    const int32_t count = static_cast<int32_t>(kLabTourSeconds / kTourKeySeconds + 0.5f);
    for (int32_t k = 0; k <= count; ++k) {
        keys.push_back(tourKeyAt(kTourKeySeconds * static_cast<float>(k)));
    }
    return keys;
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
            {kLabTourSeconds, kSlinkyPlace, {0, 0, 0}, {1, 1, 1}}};
}

bool writeLaboratory(const DataTree& tree, std::string& error) {
    for (const LabObjectRecipe& object : kLabObjects) {
        if (!writeObject(tree, object, error)) {
            return false;
        }
    }
    std::string text;
    if (!writeCameraPathText(labTourPath(), text, error)) {
        return fail(kLabTourFile, error);
    }
    return tree.writeText(kLabTourFile, text, error);
}
