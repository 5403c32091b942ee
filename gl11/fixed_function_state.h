#pragma once
// OpenGL 1.1's fixed-function lighting, fog and texture-coordinate state as plain values with
// OpenGL's initial ones, for the layer that gives OpenGL 1.1 on OpenGL ES 3.0 to compute on the
// CPU. Light positions are kept in eye space, as OpenGL keeps them once given.

#include <array>
#include <cstdint>

#include "gl11/matrix.h"

struct LightState {
    Vector4 ambient = {0, 0, 0, 1};
    Vector4 diffuse = {0, 0, 0, 1};
    Vector4 specular = {0, 0, 0, 1};
    Vector4 position = {0, 0, 1, 0};  // eye space; w = 0 for a direction towards the light
    bool enabled = false;
};

struct MaterialState {
    Vector4 ambient = {0.2f, 0.2f, 0.2f, 1};
    Vector4 diffuse = {0.8f, 0.8f, 0.8f, 1};
    Vector4 specular = {0, 0, 0, 1};
    Vector4 emission = {0, 0, 0, 1};
    float shininess = 0;
};

enum class ColourMaterialMode { Ambient, Diffuse, AmbientAndDiffuse, Specular, Emission };
enum class FogMode { Linear, Exp, Exp2 };
enum class TexGenMode { EyeLinear, SphereMap };
enum class TextureEnvMode { Modulate, Replace };

constexpr int kLightCount = 8;

struct LightingState {
    bool enabled = false;
    bool normalize = false;
    bool colourMaterial = false;
    ColourMaterialMode colourMaterialMode = ColourMaterialMode::AmbientAndDiffuse;
    std::array<LightState, kLightCount> lights = [] {
        std::array<LightState, kLightCount> result{};
        result[0].diffuse = {1, 1, 1, 1};
        result[0].specular = {1, 1, 1, 1};
        return result;
    }();
    MaterialState material;  // front and back alike
    Vector4 modelAmbient = {0.2f, 0.2f, 0.2f, 1};
};

struct FogState {
    bool enabled = false;
    FogMode mode = FogMode::Exp;
    float density = 1;
    float start = 0;
    float end = 1;
    Vector4 colour = {0, 0, 0, 0};

    bool operator==(const FogState&) const = default;
};

struct TexturingState {
    bool enabled = false;  // GL_TEXTURE_2D
    TextureEnvMode envMode = TextureEnvMode::Modulate;
    bool generateS = false;
    bool generateT = false;
    TexGenMode modeS = TexGenMode::EyeLinear;
    TexGenMode modeT = TexGenMode::EyeLinear;
    Vector4 eyePlaneS = {1, 0, 0, 0};
    Vector4 eyePlaneT = {0, 1, 0, 0};
};
