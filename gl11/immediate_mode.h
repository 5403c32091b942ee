#pragma once
// OpenGL 1.1's immediate mode for the layer that gives it on OpenGL ES 3.0: the current
// colour, normal and texture coordinates, kept across blocks as OpenGL keeps them, and the
// vertices of one glBegin/glEnd block, each with the values current when its glVertex came.
// glEnd hands the block over with its mode, for primitive assembly (gl11/primitive_assembly.h).

#include <array>
#include <cstdint>
#include <vector>

#include "gl11/matrix.h"
#include "gl11/primitive_assembly.h"

struct LayerVertex {
    Vector4 position;
    Vector4 colour;
    std::array<float, 3> normal;
    Vector4 texCoord;
};

struct PrimitiveBatch {
    PrimitiveMode mode = PrimitiveMode::Points;
    std::vector<LayerVertex> vertices;  // as gathered
};

class ImmediateMode {
public:
    // False, and nothing starts, inside a block already: OpenGL's invalid operation.
    bool begin(PrimitiveMode mode);
    // Outside a block a vertex does nothing.
    void vertex(float x, float y, float z = 0.0f, float w = 1.0f);
    void colour(float red, float green, float blue, float alpha = 1.0f);
    void normal(float x, float y, float z);
    void texCoord(float s, float t, float r = 0.0f, float q = 1.0f);
    // The block's vertices, swapped into `batch` so that both keep their memory for the next
    // block; false, with nothing handed over, outside a block.
    bool end(PrimitiveBatch& batch);

    bool insideBlock() const { return inside; }
    const Vector4& currentColour() const { return current.colour; }
    const std::array<float, 3>& currentNormal() const { return current.normal; }
    const Vector4& currentTexCoord() const { return current.texCoord; }

private:
    LayerVertex current = {{0, 0, 0, 1}, {1, 1, 1, 1}, {0, 0, 1}, {0, 0, 0, 1}};
    PrimitiveMode mode = PrimitiveMode::Points;
    std::vector<LayerVertex> gathered;
    bool inside = false;
};
