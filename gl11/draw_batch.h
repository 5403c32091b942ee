#pragma once
// What the layer hands ES for one draw: shaded vertices as triangles, ES's only primitive here.
// Filled primitives go as they are; lines of any width become a quad each, drawn wide by the
// layer since ES draws lines one pixel wide at most, carrying their ends in window coordinates
// so that the fragment stage can give GL_LINE_SMOOTH's coverage. Outlines of glPolygonMode
// (GL_LINE) are culled by their facing first, as OpenGL culls polygons before outlining them.

#include <array>
#include <cstdint>
#include <vector>

#include "gl11/primitive_assembly.h"
#include "gl11/vertex_pipeline.h"

// What a line's vertices carry besides their shading, for its coverage.
struct LineAttributes {
    Vector4 ends;         // the line's two ends in window coordinates
    float halfWidth = 0;  // pixels
    float smooth = 0;     // 1 where the fragment stage gives GL_LINE_SMOOTH's coverage
};

// Filled primitives' vertices as shaded, or lines' quads with one LineAttributes a vertex.
struct DrawBatch {
    std::vector<ShadedVertex> vertices;
    std::vector<LineAttributes> lines;  // empty, or one for each vertex
    std::vector<uint32_t> indices;      // three per triangle; empty: the vertices in order
};

struct LineStyle {
    std::array<int32_t, 4> viewport;  // x, y, width, height
    float width = 1;                  // pixels
    bool smooth = false;
};

// Which polygons glCullFace drops, when GL_CULL_FACE is on.
struct CullStyle {
    bool front = false;
    bool back = false;
    bool clockwiseFront = false;  // glFrontFace(GL_CW)
};

void addTriangles(DrawBatch& batch, const std::vector<ShadedVertex>& vertices,
                  const std::vector<uint32_t>& indices);
// One line from a to b, cut at the near plane first.
void addLine(DrawBatch& batch, const ShadedVertex& a, const ShadedVertex& b,
             const LineStyle& style);
void addPolygonOutlines(DrawBatch& batch, const std::vector<ShadedVertex>& vertices,
                        const PolygonList& polygons, const LineStyle& line, const CullStyle& cull);
