#pragma once
// The four scenes, each a single global object, and the registry that lists them in load
// order (Welcome, Deform, Tunnel, Softface). The registry does not own the scenes.

#include "scenes/effect.h"
#include "resources/array.h"
#include "scenes/status.h"
#include "scenes/deform.h"
#include "scenes/softface.h"
#include "scenes/tunnel.h"
#include "scenes/welcome.h"

extern EWelcome welcomeScene;
extern ETunnel tunnelScene;
extern ESoftface softfaceScene;
extern EDeform deformScene;
extern Array<Effect*> sceneRegistry;

// Each scene's index in the registry.
constexpr int32_t kWelcomeScene = 0;
constexpr int32_t kDeformScene = 1;
constexpr int32_t kTunnelScene = 2;
constexpr int32_t kSoftfaceScene = 3;

// Loads the texture table, registers the four scenes and loads each in order. Needs a current
// GL context; all file reading of the program happens here.
void setupScenes();
// Unloads every registered scene, then frees the texture table, while the context that
// setupScenes ran under is still current.
void releaseScenes();
