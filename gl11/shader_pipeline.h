#pragma once
// The layer's ES 3.0 programs and buffers: they draw a DrawBatch's triangles with the fragment
// work OpenGL 1.1 does after interpolation, in its order: the texture environment (modulate or
// replace), fog, then a smooth line's coverage in alpha. Each combination of those is a program
// of its own, made when first drawn with, so that a fragment runs only the work its state asks
// for, as OpenGL's fixed function does. Blending, depth and culling are ES's own, set by the
// layer before each draw. GL objects are made on the first draw, so the pipeline needs a
// current ES 3.0 context only from then on.

#include <GLES3/gl3.h>

#include <array>
#include <cstddef>

#include "gl11/draw_batch.h"
#include "gl11/context_state.h"

enum class TextureStage { Off, Modulate, Replace };

struct FragmentSettings {
    TextureStage texture = TextureStage::Off;
    bool textureHasAlpha = false;
    bool lineCoverage = false;  // a smooth line's
    FogState fog;

    bool operator==(const FragmentSettings&) const = default;
};

class ShaderPipeline {
public:
    ShaderPipeline() = default;
    ShaderPipeline(const ShaderPipeline&) = delete;
    ShaderPipeline& operator=(const ShaderPipeline&) = delete;

    // The texture, if any, is the one bound to GL_TEXTURE_2D on unit 0.
    void draw(const DrawBatch& batch, const FragmentSettings& settings);

private:
    struct Program {
        GLuint name = 0;
        GLint fogRangeAt = -1;
        GLint fogColourAt = -1;
        FragmentSettings sent;
    };
    static constexpr size_t kProgramCount = 3 * 2 * 4 * 2;

    bool createBuffers();
    Program* programFor(const FragmentSettings& settings);
    void setUniforms(Program& program, const FragmentSettings& settings);
    static void sendFog(const Program& program, const FogState& fog);
    void setLineArrays(bool on);

    std::array<Program, kProgramCount> programs{};
    GLuint vertexShader = 0;
    GLuint used = 0;
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    GLuint lineBuffer = 0;
    GLuint indexBuffer = 0;
    bool lineArraysOn = true;
    bool failed = false;
};
