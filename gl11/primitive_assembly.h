#pragma once
// How the layer that gives OpenGL 1.1 on OpenGL ES 3.0 turns the vertices of one glBegin/glEnd
// block or glDrawArrays call into the independent points, lines and triangles ES draws, in
// the order and with the provoking vertex (the last of each, as ES has it) that OpenGL 1.1
// gives: a quad's is its fourth vertex, a polygon's its first. Incomplete primitives at the
// end are dropped, as OpenGL drops them.

#include <cstdint>
#include <vector>

// OpenGL 1.1's primitive modes, with their enum values.
enum class PrimitiveMode : uint32_t {
    Points = 0x0000,
    Lines = 0x0001,
    LineLoop = 0x0002,
    LineStrip = 0x0003,
    Triangles = 0x0004,
    TriangleStrip = 0x0005,
    TriangleFan = 0x0006,
    Quads = 0x0007,
    QuadStrip = 0x0008,
    Polygon = 0x0009,
};

enum class PrimitiveKind { Points, Lines, Triangles };

// False for a value that names no OpenGL 1.1 primitive.
bool isPrimitiveMode(uint32_t value);
PrimitiveKind kindOf(PrimitiveMode mode);

// Indices into the `count` vertices: one per point, two per line or three per triangle.
std::vector<uint32_t> assemble(PrimitiveMode mode, uint32_t count);

// The polygons of a block of `count` vertices in `mode`, as glPolygonMode(GL_LINE) outlines
// them: each triangle, quad or the one polygon, its vertices in winding order. Points and lines
// give none.
struct PolygonList {
    std::vector<uint32_t> indices;  // the polygons' vertices, one after the other
    std::vector<uint32_t> sizes;    // how many vertices each polygon has
};
PolygonList polygonsOf(PrimitiveMode mode, uint32_t count);
