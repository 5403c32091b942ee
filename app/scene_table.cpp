#include "app/scene_table.h"

#include <algorithm>

// NOTE: defined in this one unit so that they are constructed in this order and destroyed in
// reverse.
EWelcome welcomeScene;
ETunnel tunnelScene;
ESoftface softfaceScene;
EDeform deformScene;

namespace {

const SceneEntry kDemoScenes[] = {
    {"welcome", &welcomeScene, 0.0f, kWelcomeTarget},
    {"deform", &deformScene, 10.0f, kDeformTarget},
    {"tunnel", &tunnelScene, 85.0f, kTunnelTarget},
    {"softface", &softfaceScene, 120.0f, kSoftfaceTarget},
};

}  // namespace

std::span<const SceneEntry> demoScenes() {
    return kDemoScenes;
}

int32_t lastSceneTarget(std::span<const SceneEntry> scenes) {
    int32_t last = kBlurTarget;
    for (const SceneEntry& entry : scenes) {
        last = std::max(last, entry.target);
    }
    return last;
}

const SceneEntry* sceneWithTarget(std::span<const SceneEntry> scenes, int32_t target) {
    for (const SceneEntry& entry : scenes) {
        if (entry.target == target) {
            return &entry;
        }
    }
    return nullptr;
}

void setupScenes(std::span<const SceneEntry> scenes) {
    loadTextureTable(lastSceneTarget(scenes));
    for (const SceneEntry& entry : scenes) {
        entry.scene->load();
    }
}

void releaseScenes(std::span<const SceneEntry> scenes) {
    for (const SceneEntry& entry : scenes) {
        entry.scene->unload();
    }
    releaseTextureTable();
}
