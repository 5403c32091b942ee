#pragma once
// OpenGL 1.1's per-vertex work, done on the CPU for the layer that gives OpenGL 1.1 on OpenGL
// ES 3.0: the model-view and projection transforms, fixed-function lighting (front material,
// infinite viewer, no attenuation), texture-coordinate generation (eye-linear and sphere map)
// and the texture matrix, and the fog coordinate (the eye-space depth's magnitude). ES then
// only interpolates, textures, fogs and blends what this gives.

#include <vector>

#include "gl11/fixed_function_state.h"
#include "gl11/immediate_mode.h"
#include "gl11/matrix.h"

struct ShadedVertex {
    Vector4 clip;
    Vector4 colour;  // clamped to [0, 1]
    Vector4 texCoord;
    float fogCoord = 0;
};

// The matrices and state one batch of vertices goes through.
struct VertexStage {
    Matrix4 modelView;
    Matrix4 projection;
    Matrix4 texture;
    const LightingState* lighting = nullptr;
    const TexturingState* texturing = nullptr;
};

class VertexPipeline {
public:
    explicit VertexPipeline(const VertexStage& stage);
    ShadedVertex shade(const LayerVertex& vertex) const;

private:
    Vector4 light(const Vector4& eye, const std::array<float, 3>& normal,
                  const Vector4& colour) const;
    Vector4 generateTexCoord(const Vector4& eye, const std::array<float, 3>& normal,
                             const Vector4& given) const;
    std::array<float, 3> eyeNormal(const std::array<float, 3>& normal) const;

    VertexStage stage;
    Matrix4 modelViewProjection;
    std::array<float, 9> normals;  // column-major 3x3
    bool identityTexture;
    bool needsNormal;
    bool sphereMap;
    bool generates;
};

// What glColor does to the material while GL_COLOR_MATERIAL is on.
void writeColourMaterial(MaterialState& material, ColourMaterialMode mode, const Vector4& colour);

// Every vertex through the stage, into `shaded` (its old contents replaced, its memory kept).
void shadeVertices(const VertexStage& stage, const std::vector<LayerVertex>& vertices,
                   std::vector<ShadedVertex>& shaded);
