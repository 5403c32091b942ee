// The finale's camera flight, and writing the finale's files.

#include "tools/generator/softface.h"

#include "resources/data_manifest.h"
#include "resources/scene_object.h"
#include "tools/generator/camera_views.h"
#include "tools/generator/format_writers.h"
#include "tools/generator/mesh_builder.h"
#include "tools/generator/portable_math.h"

namespace {

// A view of the flight: at `time` seconds the camera looks at the origin from `distance` world
// units, `azimuth` degrees round the y axis from +z towards +x and `elevation` degrees up.
struct OrbitView {
    float time;
    float azimuth;
    float elevation;
    float distance;
    float roll;  // degrees, as CameraView::rollDegrees
    bool rests = false;
};

// The breakdown sweeps in front of the flat shapes (the camera keeps to +z, where they read the
// right way round) and swings out to see the cube in depth while it holds. From the act change
// at 12.75 s it orbits the metaballs close in, bobbing up and down, and backs off through the
// snare roll. After the hit it races round the cube arms rolling from side to side, then slows
// to rest at 55 s and holds still under the closing picture.
// NOTE: the metaballs' surface keeps well inside their 20-unit cube, some 12 to 18 units across,
// so the orbit comes nearer than the cube's size suggests.
constexpr OrbitView kFlightViews[] = {
    {0.0f, -35.0f, 12.0f, 25.0f, -6.0f},
    {2.5f, -22.0f, 6.0f, 23.0f, -3.0f},
    {5.0f, -2.0f, 0.0f, 20.0f, 0.0f},  // the 27 reads square on
    {6.5f, 22.0f, 10.0f, 20.0f, 3.0f},
    {8.0f, 38.0f, 32.0f, 22.0f, 5.0f},     // the cube seen in depth
    {9.5f, 12.0f, 6.0f, 20.0f, 2.0f},      // the arrow
    {11.0f, -10.0f, -4.0f, 19.5f, -2.0f},  // the ring
    {kSoftfaceCloudEnd, -35.0f, 8.0f, 20.0f, -4.0f},
    {15.0f, -75.0f, 20.0f, 18.0f, -2.0f},
    {17.5f, -120.0f, 28.0f, 17.0f, 0.0f},
    {20.0f, -165.0f, 12.0f, 16.5f, 3.0f},
    {22.5f, -210.0f, -10.0f, 16.0f, 4.0f},
    {25.0f, -255.0f, -22.0f, 17.0f, 0.0f},
    {27.5f, -300.0f, -5.0f, 17.5f, -4.0f},
    {30.0f, -340.0f, 15.0f, 18.5f, -2.0f},  // the snare roll: backing off
    {32.5f, -370.0f, 25.0f, 23.5f, 0.0f},
    {kSoftfaceHit, -395.0f, 18.0f, 30.0f, 4.0f},
    {37.5f, -455.0f, 5.0f, 31.0f, 8.0f},
    {40.0f, -525.0f, -20.0f, 33.0f, -6.0f},
    {42.5f, -590.0f, -5.0f, 30.0f, -8.0f},
    {45.0f, -650.0f, 25.0f, 32.0f, 6.0f},
    {47.5f, -705.0f, 32.0f, 34.0f, 4.0f},
    {50.0f, -745.0f, 20.0f, 35.0f, 1.0f},
    {52.5f, -765.0f, 14.0f, 36.0f, 0.0f},
    {kSoftfaceClosing, -772.0f, 12.0f, 36.0f, 0.0f, true},
    {kSoftfaceSeconds, -772.0f, 12.0f, 36.0f, 0.0f},
};
// Keys close enough that straight lines between them follow the curve without corners.
constexpr float kFlightKeySeconds = 0.2f;

CameraView cameraViewOf(const OrbitView& view) {
    const double azimuth = view.azimuth / 360.0, elevation = view.elevation / 360.0;
    const float across = static_cast<float>(cosTurns(elevation));
    const Vector3 direction = {across * static_cast<float>(sinTurns(azimuth)),
                               static_cast<float>(sinTurns(elevation)),
                               across * static_cast<float>(cosTurns(azimuth))};
    return {view.time, direction * view.distance, {0, 0, 0}, view.roll, view.rests};
}

bool fail(const char* file, std::string& error) {
    error = std::string(file) + ": " + error;
    return false;
}

bool writeMesh(const DataTree& tree, const char* file, const Mesh& mesh, std::string& error) {
    std::string text;
    if (!writeMeshText(mesh, text, error)) {
        return fail(file, error);
    }
    return tree.writeText(file, text, error);
}

// NOTE: no TextureFile: the scene binds Textures/Sky.png before drawing the sky, and an object
// without a picture of its own is drawn with whatever is bound.
bool writeSky(const DataTree& tree, std::string& error) {
    if (!writeMesh(tree, kSoftfaceSkyMeshFile, softfaceSkyMesh(), error)) {
        return false;
    }
    const ConfigEntries entries = {{kObjectFileKey, kSoftfaceSkyMeshFile},
                                   {kAnimationModeKey, kCleanMode},
                                   {kRenderShadeKey, kNo}};
    std::string text;
    if (!writeConfigText(entries, text, error)) {
        return fail(kSoftfaceEnvironment.name, error);
    }
    return tree.writeText(kSoftfaceEnvironment.name, text, error);
}

}  // namespace

const std::array<MorphShape, 4> kMorphShapes = {{
    {kSoftfaceShapes[0].name, morphDigitsMesh},
    {kSoftfaceShapes[1].name, morphCubeMesh},
    {kSoftfaceShapes[2].name, morphArrowMesh},
    {kSoftfaceShapes[3].name, morphRingMesh},
}};

std::vector<TrackKey> softfaceFlightPath() {
    std::vector<CameraView> views;
    for (const OrbitView& view : kFlightViews) {
        views.push_back(cameraViewOf(view));
    }
    return cameraPathThrough(views, kFlightKeySeconds);
}

bool writeSoftface(const DataTree& tree, std::string& error) {
    for (const MorphShape& shape : kMorphShapes) {
        if (!writeMesh(tree, shape.file, shape.build(), error)) {
            return false;
        }
    }
    if (!writeSky(tree, error)) {
        return false;
    }
    std::string text;
    if (!writeCameraPathText(softfaceFlightPath(), text, error)) {
        return fail(kSoftfaceFlight.name, error);
    }
    return tree.writeText(kSoftfaceFlight.name, text, error);
}
