#include "app/scene_registry.h"

#include "render/projection.h"
#include "resources/texture_table.h"

// NOTE: the scenes are defined in this one unit so that they are constructed in this order and
// destroyed in reverse. No constructor touches OpenGL or files.
EWelcome welcomeScene;
ETunnel tunnelScene;
ESoftface softfaceScene;
EDeform deformScene;
Array<Effect*> sceneRegistry;

void setupScenes() {
    loadTextureTable();
    sceneRegistry.resize(0);
    sceneRegistry.append(&welcomeScene);
    sceneRegistry.append(&deformScene);
    sceneRegistry.append(&tunnelScene);
    sceneRegistry.append(&softfaceScene);
    for (Effect* scene : sceneRegistry) {
        scene->load();
    }
}

void releaseScenes() {
    for (Effect* scene : sceneRegistry) {
        scene->unload();
    }
    releaseTextureTable();
}
