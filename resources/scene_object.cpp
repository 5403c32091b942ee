#include "resources/scene_object.h"

#include <cmath>

#include "base/kernel_profile.h"
#include "resources/config_file.h"

namespace {

constexpr float kRadiansPerDegree = 0.017453292f;

// The 3x3 block of a column-major matrix applied to (x, y, z).
void transformPoint(const Matrix4& m, const float in[3], float out[3]) {
    for (int row = 0; row < 3; ++row) {
        out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2];
    }
}

float squaredCosine(float angle) {
    const float c = std::cos(angle);
    return c * c;
}

Deformer deformerNamed(const std::string& mode, bool& deforming) {
    deforming = mode == kTwistMode || mode == kSlinkMode;
    if (mode == kTwistMode) {
        return deformTwist;
    }
    if (mode == kSlinkMode) {
        return deformSlink;
    }
    return deformNone;
}

}  // namespace

void writeRotationX(Matrix4& m, float a) {
    m[5] = std::cos(a);
    m[6] = std::sin(a);
    m[9] = -std::sin(a);
    m[10] = std::cos(a);
}

void writeRotationY(Matrix4& m, float b) {
    m[0] = std::cos(b);
    m[10] = std::cos(b);
    m[8] = std::sin(b);
    m[2] = -std::sin(b);
}

void writeRotationZ(Matrix4& m, float c) {
    m[0] = std::cos(c);
    m[5] = std::cos(c);
    m[1] = std::sin(c);
    m[4] = -std::sin(c);
}

void deformNone(const Mesh&, Mesh&, float) {}

namespace {

// Calls write(source vertex, destination vertex) for every vertex both meshes share.
template <typename Write>
void forEachVertexPair(const Mesh& source, Mesh& destination, Write write) {
    const uint32_t parts = std::min(source.parts.size(), destination.parts.size());
    for (uint32_t p = 0; p < parts; ++p) {
        const Array<MeshVertex>& from = source.parts[p].vertices;
        Array<MeshVertex>& to = destination.parts[p].vertices;
        const uint32_t count = std::min(from.size(), to.size());
        for (uint32_t i = 0; i < count; ++i) {
            write(from[i], to[i]);
        }
    }
}

}  // namespace

void deformTwist(const Mesh& source, Mesh& destination, float t) {
    forEachVertexPair(source, destination, [t](const MeshVertex& v, MeshVertex& out) {
        Matrix4 r = kIdentity;
        writeRotationX(r, squaredCosine(0.8f * t + 0.25f * v.y));
        writeRotationY(r, squaredCosine(0.25f * v.z + t));
        writeRotationZ(r, squaredCosine(1.2f * t + 0.25f * v.x));
        const float position[3] = {v.x, v.y, v.z};
        float turned[3];
        transformPoint(r, position, turned);
        out.x = turned[0];
        out.y = turned[1];
        out.z = turned[2];
        transformPoint(r, v.extra, out.extra);
    });
}

void deformSlink(const Mesh& source, Mesh& destination, float t) {
    forEachVertexPair(source, destination, [t](const MeshVertex& v, MeshVertex& out) {
        const float u = (8.0f * t + v.y) * 0.2f;
        const float w = (4.0f * t + v.y) * 0.5f;
        out.x = v.x + std::cos(u) * v.x * 0.33f + std::cos(w) * v.x * 0.33f;
        out.z = v.z + std::cos(u) * v.z * 0.33f + std::cos(w) * v.z * 0.33f;
    });
}

void SceneObject::loadPicture(const std::string& file, Texture& into, bool& has) {
    has = !file.empty();
    if (has) {
        into.load(file.c_str());
        into.upload(1, 0);
        into.releasePixels();
    }
}

void SceneObject::load(const char* configName) {
    ConfigFile config;
    config.load(configName);
    const std::string objectFile = config.get(kObjectFileKey, "");
    loadMesh(source, objectFile.c_str());
    loadMesh(working, objectFile.c_str());
    loadPicture(config.get(kTextureFileKey, ""), texture, hasTexture);
    loadPicture(config.get(kEnvironmentFileKey, ""), environment, hasEnvironment);
    const std::string animationFile = config.get(kAnimationFileKey, "");
    if (!animationFile.empty()) {
        animation.load(animationFile.c_str());
    }
    animation.loop = config.get(kAnimationLoopKey, kYes) == kYes;
    deformer = deformerNamed(config.get(kAnimationModeKey, ""), isDeforming);
    castsShadow = config.get(kRenderShadowKey, kNo) == kYes;
    lit = config.get(kRenderShadeKey, kNo) == kYes;
    config.clear();
}

void SceneObject::update(float t) {
    {
        const KernelScope scope(Kernel::Deformers);
        deformer(source, working, t);
    }
    animation.sample(t);
    pose = animation.current;
    resetTransform();
    translate(pose.first);
    rotateX(pose.second.x * kRadiansPerDegree);
    rotateY(pose.second.y * kRadiansPerDegree);
    rotateZ(pose.second.z * kRadiansPerDegree);
}

void SceneObject::resetTransform() {
    source.transform = kIdentity;
    working.transform = kIdentity;
}

void SceneObject::translate(const Vector3& v) {
    for (Mesh* mesh : {&source, &working}) {
        Matrix4& m = mesh->transform;
        for (int row = 0; row < 4; ++row) {
            m[12 + row] += m[row] * v.x + m[4 + row] * v.y + m[8 + row] * v.z;
        }
    }
}

void SceneObject::rotateX(float radians) {
    writeRotationX(source.transform, radians);
    writeRotationX(working.transform, radians);
}

void SceneObject::rotateY(float radians) {
    writeRotationY(source.transform, radians);
    writeRotationY(working.transform, radians);
}

void SceneObject::rotateZ(float radians) {
    writeRotationZ(source.transform, radians);
    writeRotationZ(working.transform, radians);
}

bool SceneObject::isTranslucent() const {
    const Image* picture = texture.picture();
    const Image* map = environment.picture();
    return (picture != nullptr && picture->components == 4) ||
           (map != nullptr && map->components == 4);
}

void SceneObject::releaseTextures() {
    texture.release();
    environment.release();
}
