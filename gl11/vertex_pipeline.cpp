#include "gl11/vertex_pipeline.h"

#include <algorithm>
#include <cmath>

namespace {

using Vector3 = std::array<float, 3>;

float dot(const Vector3& a, const Vector3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

Vector3 normalised(const Vector3& v) {
    const float length = std::sqrt(dot(v, v));
    if (length == 0.0f) {
        return v;
    }
    return {v[0] / length, v[1] / length, v[2] / length};
}

Vector4 clamped(const Vector4& colour) {
    Vector4 result{};
    for (size_t i = 0; i < 4; ++i) {
        result[i] = std::clamp(colour[i], 0.0f, 1.0f);
    }
    return result;
}

// Light i's direction from the vertex, unit length.
Vector3 towardsLight(const LightState& light, const Vector4& eye) {
    if (light.position[3] == 0.0f) {
        return normalised({light.position[0], light.position[1], light.position[2]});
    }
    const float lw = light.position[3];
    const float ew = eye[3] == 0.0f ? 1.0f : eye[3];
    return normalised({light.position[0] / lw - eye[0] / ew, light.position[1] / lw - eye[1] / ew,
                       light.position[2] / lw - eye[2] / ew});
}

}  // namespace

VertexPipeline::VertexPipeline(const VertexStage& given)
    : stage(given),
      modelViewProjection(given.projection * given.modelView),
      normals(normalMatrix(given.modelView)),
      identityTexture(given.texture.m == identityMatrix().m) {
    const TexturingState& texturing = *stage.texturing;
    sphereMap = (texturing.generateS && texturing.modeS == TexGenMode::SphereMap) ||
                (texturing.generateT && texturing.modeT == TexGenMode::SphereMap);
    // Texture coordinates matter only to a texture; OpenGL's are as good as undefined without.
    generates = texturing.enabled && (texturing.generateS || texturing.generateT);
    sphereMap = sphereMap && texturing.enabled;
    needsNormal = stage.lighting->enabled || sphereMap;
}

std::array<float, 3> VertexPipeline::eyeNormal(const std::array<float, 3>& n) const {
    const std::array<float, 9>& m = normals;
    const Vector3 eye = {m[0] * n[0] + m[3] * n[1] + m[6] * n[2],
                         m[1] * n[0] + m[4] * n[1] + m[7] * n[2],
                         m[2] * n[0] + m[5] * n[1] + m[8] * n[2]};
    return stage.lighting->normalize ? normalised(eye) : eye;
}

// colour = emission + ambient_model * ambient + sum over lights of
//          (ambient_l * ambient + max(n.l, 0) * diffuse_l * diffuse
//           + (n.l > 0 ? max(n.h, 0)^shininess : 0) * specular_l * specular),
// alpha = the diffuse alpha; h = normalise(l + (0, 0, 1)) for a viewer at infinity.
Vector4 VertexPipeline::light(const Vector4& eye, const std::array<float, 3>& normal,
                              const Vector4& colour) const {
    const LightingState& lighting = *stage.lighting;
    MaterialState material = lighting.material;
    if (lighting.colourMaterial) {
        writeColourMaterial(material, lighting.colourMaterialMode, colour);
    }
    Vector4 result{};
    for (size_t c = 0; c < 3; ++c) {
        result[c] = material.emission[c] + lighting.modelAmbient[c] * material.ambient[c];
    }
    for (const LightState& source : lighting.lights) {
        if (!source.enabled) {
            continue;
        }
        const Vector3 l = towardsLight(source, eye);
        const float diffuse = dot(normal, l);
        float specular = 0.0f;
        if (diffuse > 0.0f) {
            const Vector3 h = normalised({l[0], l[1], l[2] + 1.0f});
            const float nh = std::max(dot(normal, h), 0.0f);
            specular = material.shininess == 0.0f ? 1.0f : std::pow(nh, material.shininess);
        }
        const float lambert = std::max(diffuse, 0.0f);
        for (size_t c = 0; c < 3; ++c) {
            result[c] += source.ambient[c] * material.ambient[c] +
                         lambert * source.diffuse[c] * material.diffuse[c] +
                         specular * source.specular[c] * material.specular[c];
        }
    }
    result[3] = material.diffuse[3];
    return result;
}

// Sphere map: with u the unit vector to the vertex and n its eye normal,
// r = u - 2 n (n.u), m = 2 sqrt(rx^2 + ry^2 + (rz + 1)^2), (s, t) = (rx / m + 1/2, ry / m + 1/2).
// Eye linear: the coordinate is the eye position's dot product with the plane.
Vector4 VertexPipeline::generateTexCoord(const Vector4& eye, const std::array<float, 3>& normal,
                                         const Vector4& given) const {
    const TexturingState& texturing = *stage.texturing;
    Vector4 result = given;
    float sphereS = 0.0f;
    float sphereT = 0.0f;
    if (sphereMap) {
        const Vector3 u = normalised({eye[0], eye[1], eye[2]});
        const float nu = dot(normal, u);
        const Vector3 r = {u[0] - 2.0f * normal[0] * nu, u[1] - 2.0f * normal[1] * nu,
                           u[2] - 2.0f * normal[2] * nu};
        const float m = 2.0f * std::sqrt(r[0] * r[0] + r[1] * r[1] + (r[2] + 1.0f) * (r[2] + 1.0f));
        if (m != 0.0f) {
            sphereS = r[0] / m + 0.5f;
            sphereT = r[1] / m + 0.5f;
        }
    }
    const auto eyeLinear = [&](const Vector4& plane) {
        return plane[0] * eye[0] + plane[1] * eye[1] + plane[2] * eye[2] + plane[3] * eye[3];
    };
    if (texturing.generateS) {
        result[0] =
            texturing.modeS == TexGenMode::SphereMap ? sphereS : eyeLinear(texturing.eyePlaneS);
    }
    if (texturing.generateT) {
        result[1] =
            texturing.modeT == TexGenMode::SphereMap ? sphereT : eyeLinear(texturing.eyePlaneT);
    }
    return result;
}

void writeColourMaterial(MaterialState& material, ColourMaterialMode mode, const Vector4& colour) {
    switch (mode) {
        case ColourMaterialMode::Ambient:
            material.ambient = colour;
            break;
        case ColourMaterialMode::Diffuse:
            material.diffuse = colour;
            break;
        case ColourMaterialMode::AmbientAndDiffuse:
            material.ambient = colour;
            material.diffuse = colour;
            break;
        case ColourMaterialMode::Specular:
            material.specular = colour;
            break;
        case ColourMaterialMode::Emission:
            material.emission = colour;
            break;
    }
}

ShadedVertex VertexPipeline::shade(const LayerVertex& vertex) const {
    ShadedVertex result;
    result.clip = modelViewProjection * vertex.position;
    const Vector4 eye = stage.modelView * vertex.position;
    const std::array<float, 3> normal =
        needsNormal ? eyeNormal(vertex.normal) : std::array<float, 3>{0, 0, 1};
    result.colour =
        clamped(stage.lighting->enabled ? light(eye, normal, vertex.colour) : vertex.colour);
    const Vector4 texCoord =
        generates ? generateTexCoord(eye, normal, vertex.texCoord) : vertex.texCoord;
    result.texCoord = identityTexture ? texCoord : stage.texture * texCoord;
    result.fogCoord = std::fabs(eye[2]);
    return result;
}

void shadeVertices(const VertexStage& stage, const std::vector<LayerVertex>& vertices,
                   std::vector<ShadedVertex>& shaded) {
    const VertexPipeline pipeline(stage);
    shaded.resize(vertices.size());
    for (size_t i = 0; i < vertices.size(); ++i) {
        shaded[i] = pipeline.shade(vertices[i]);
    }
}
