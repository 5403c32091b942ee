#pragma once
// The OpenGL 1.1 state of one layer context as plain values: everything
// glPushAttrib(GL_ALL_ATTRIB_BITS) saves (the matrices and texture objects are not part of it),
// with OpenGL's initial values, and the client arrays glPushClientAttrib saves.

#include <GLES3/gl3.h>

#include <array>

#include "gl11/fixed_function_state.h"

// What ES keeps too; the layer sends it on before ES needs it.
struct RasterState {
    bool blend = false;
    bool cullFace = false;
    bool depthTest = false;
    bool scissorTest = false;
    bool stencilTest = false;
    bool polygonOffsetFill = false;
    GLenum blendSource = GL_ONE;
    GLenum blendDestination = GL_ZERO;
    GLenum depthFunc = GL_LESS;
    bool depthMask = true;
    std::array<bool, 4> colourMask = {true, true, true, true};
    GLenum cullFaceMode = GL_BACK;
    GLenum frontFace = GL_CCW;
    Vector4 clearColour = {0, 0, 0, 0};
    float clearDepth = 1;
    GLint clearStencil = 0;
    std::array<GLint, 4> viewport = {0, 0, 0, 0};
    GLuint boundTexture = 0;

    bool operator==(const RasterState&) const = default;
};

struct ContextState {
    Vector4 colour = {1, 1, 1, 1};
    std::array<float, 3> normal = {0, 0, 1};
    Vector4 texCoord = {0, 0, 0, 1};
    RasterState raster;
    LightingState lighting;
    FogState fog;
    TexturingState texturing;
    bool alphaTest = false;  // its function stays GL_ALWAYS, so it passes every fragment
    bool lineSmooth = false;
    float lineWidth = 1;
    bool polygonLines = false;   // glPolygonMode(GL_FRONT_AND_BACK, GL_LINE)
    GLenum matrixMode = 0x1700;  // GL_MODELVIEW
    GLenum shadeModel = 0x1D01;  // GL_SMOOTH
};

// One client array: the layer reads it on the CPU when glDrawArrays comes.
struct ClientArray {
    bool enabled = false;
    GLint size = 4;
    GLsizei stride = 0;  // bytes between elements
    const void* pointer = nullptr;
};

struct ClientArrayState {
    ClientArray vertex;
    ClientArray normal;
    ClientArray colour;
    ClientArray texCoord;
};
