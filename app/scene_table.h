#pragma once
// The demo's scenes, one row each, in load order (Welcome, Deform, Tunnel, Softface). A scene's
// name, its instance, where its clock starts and the render target that receives its picture
// are written here and nowhere else: the timeline, the texture table's targets, the step timer
// and the tests read them from the row.

#include <cstdint>
#include <span>

#include "resources/texture_table.h"
#include "scenes/deform.h"
#include "scenes/effect.h"
#include "scenes/softface.h"
#include "scenes/tunnel.h"
#include "scenes/welcome.h"

struct SceneEntry {
    const char* name;  // lower case: "welcome", as the step timer reports it
    Effect* scene;     // not owned
    float localStart;  // demo seconds at which the scene's own clock reads 0
    int32_t target;    // texture-table entry that receives its picture, after kBlurTarget
};

// Each scene's row in the table.
enum DemoScene : int32_t { kWelcomeScene, kDeformScene, kTunnelScene, kSoftfaceScene };

// The render targets, one per scene after the finale's blur target.
constexpr int32_t kWelcomeTarget = kBlurTarget + 1;
constexpr int32_t kDeformTarget = kBlurTarget + 2;
constexpr int32_t kTunnelTarget = kBlurTarget + 3;
constexpr int32_t kSoftfaceTarget = kBlurTarget + 4;

// The scenes, single objects of static lifetime. No constructor touches OpenGL or files.
extern EWelcome welcomeScene;
extern EDeform deformScene;
extern ETunnel tunnelScene;
extern ESoftface softfaceScene;

std::span<const SceneEntry> demoScenes();

// The highest render target the scenes name; the texture table makes every one up to it.
int32_t lastSceneTarget(std::span<const SceneEntry> scenes);
// The scene whose picture goes to `target`, or null.
const SceneEntry* sceneWithTarget(std::span<const SceneEntry> scenes, int32_t target);

// Loads the texture table with the scenes' targets, then each scene in order. Needs a current
// GL context; all file reading of the program happens here.
void setupScenes(std::span<const SceneEntry> scenes);
// Unloads every scene, then frees the texture table, while the context that setupScenes ran
// under is still current.
void releaseScenes(std::span<const SceneEntry> scenes);
