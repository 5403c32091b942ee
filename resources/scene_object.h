#pragma once
// One drawable thing of a scene, described by a ".cfg" key/value file: a mesh with an
// optional texture, an optional sphere-mapped environment, an optional keyframed pose, an
// optional per-vertex deformation over time, and optional lighting. The mesh is loaded twice:
// `source` as in the file, `working` as deformed and drawn (render/scene_object_drawing.h).
// Nothing is reported: a missing file leaves its part empty (no geometry, texture name 0, a
// pose at the origin).

#include <array>
#include <string>

#include "resources/animation_track.h"
#include "resources/data_manifest.h"
#include "resources/mesh.h"
#include "resources/texture.h"

// The configuration's keys, in the order they are applied, and the words of their values.
inline constexpr const char* kObjectFileKey = "ObjectFile";
inline constexpr const char* kTextureFileKey = "TextureFile";
inline constexpr const char* kEnvironmentFileKey = "EnvironmentFile";
inline constexpr const char* kAnimationFileKey = "AnimationFile";
inline constexpr const char* kAnimationLoopKey = "AnimationLoop";
inline constexpr const char* kAnimationModeKey = "AnimationMode";
inline constexpr const char* kRenderShadowKey = "RenderShadow";
inline constexpr const char* kRenderShadeKey = "RenderShade";
inline constexpr const char* kYes = "YES";
inline constexpr const char* kNo = "NO";
inline constexpr const char* kTwistMode = "AF_TWIST";
inline constexpr const char* kSlinkMode = "AF_SLINK";
inline constexpr const char* kCleanMode = "AF_CLEAN";

// The keys that name further files of the data tree, with the kind of each, in the order the
// object reads them.
struct FileKey {
    const char* key;
    DataKind kind;
};
inline constexpr std::array<FileKey, 4> kFileKeys = {{
    {kObjectFileKey, DataKind::Mesh},
    {kTextureFileKey, DataKind::Picture},
    {kEnvironmentFileKey, DataKind::Picture},
    {kAnimationFileKey, DataKind::Animation},
}};

// Writes the deformed shape of `source` at time t (seconds) into `destination`.
using Deformer = void (*)(const Mesh& source, Mesh& destination, float t);

void deformNone(const Mesh& source, Mesh& destination, float t);
// Every vertex turned by angles cos(0.8t + 0.25y)^2, cos(0.25z + t)^2, cos(1.2t + 0.25x)^2
// written into one matrix as the transform rotations write them.
void deformTwist(const Mesh& source, Mesh& destination, float t);
// x and z swell and shrink with two waves travelling along y; y stays.
void deformSlink(const Mesh& source, Mesh& destination, float t);

// The element writes of the rotations, angles in radians (they replace, not multiply: the
// data was authored with this matrix).
void writeRotationX(Matrix4& m, float a);
void writeRotationY(Matrix4& m, float b);
void writeRotationZ(Matrix4& m, float c);

class SceneObject {
public:
    void load(const char* configName);
    // Deforms, samples the animation into `pose` and sets the transform from it.
    void update(float t);
    // Whether its texture or environment map has an alpha channel: it is then blended.
    bool isTranslucent() const;
    // Frees the GL textures; the object then draws untextured.
    void releaseTextures();

    void resetTransform();
    void translate(const Vector3& v);
    void rotateX(float radians);
    void rotateY(float radians);
    void rotateZ(float radians);

    Mesh source;
    Mesh working;
    Deformer deformer = deformNone;
    Texture texture;
    Texture environment;
    AnimationTrack animation;
    TrackKey pose = {};  // time, position, rotation (degrees), scale (kept, not applied)
    bool hasTexture = false;
    bool hasEnvironment = false;
    bool castsShadow = false;
    bool isDeforming = false;
    bool lit = false;

private:
    void loadPicture(const std::string& file, Texture& into, bool& has);
};
