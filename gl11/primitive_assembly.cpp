#include "gl11/primitive_assembly.h"

#include <cstddef>
#include <initializer_list>

namespace {

void addTriangle(std::vector<uint32_t>& indices, uint32_t a, uint32_t b, uint32_t c) {
    indices.insert(indices.end(), {a, b, c});
}

// v0..v3 in the quad's own order, v3 provoking: both triangles end on it.
void addQuad(std::vector<uint32_t>& indices, uint32_t v0, uint32_t v1, uint32_t v2, uint32_t v3) {
    addTriangle(indices, v0, v1, v3);
    addTriangle(indices, v1, v2, v3);
}

void assembleLines(PrimitiveMode mode, uint32_t count, std::vector<uint32_t>& indices) {
    if (mode == PrimitiveMode::Lines) {
        for (uint32_t i = 0; i + 1 < count; i += 2) {
            indices.insert(indices.end(), {i, i + 1});
        }
        return;
    }
    for (uint32_t i = 0; i + 1 < count; ++i) {
        indices.insert(indices.end(), {i, i + 1});
    }
    if (mode == PrimitiveMode::LineLoop && count >= 2) {
        indices.insert(indices.end(), {count - 1, 0});
    }
}

void assembleTriangles(PrimitiveMode mode, uint32_t count, std::vector<uint32_t>& indices) {
    switch (mode) {
        case PrimitiveMode::Triangles:
            for (uint32_t i = 0; i + 2 < count; i += 3) {
                addTriangle(indices, i, i + 1, i + 2);
            }
            break;
        case PrimitiveMode::TriangleStrip:
            // Every other triangle swaps its first two vertices, so all face the same way.
            for (uint32_t i = 0; i + 2 < count; ++i) {
                if (i % 2 == 0) {
                    addTriangle(indices, i, i + 1, i + 2);
                } else {
                    addTriangle(indices, i + 1, i, i + 2);
                }
            }
            break;
        case PrimitiveMode::TriangleFan:
            for (uint32_t i = 1; i + 1 < count; ++i) {
                addTriangle(indices, 0, i, i + 1);
            }
            break;
        case PrimitiveMode::Quads:
            for (uint32_t i = 0; i + 3 < count; i += 4) {
                addQuad(indices, i, i + 1, i + 2, i + 3);
            }
            break;
        case PrimitiveMode::QuadStrip:
            // Quad i runs 2i, 2i+1, 2i+3, 2i+2 around its edge; 2i+3 is provoking.
            for (uint32_t i = 0; i + 3 < count; i += 2) {
                addQuad(indices, i + 2, i, i + 1, i + 3);
            }
            break;
        case PrimitiveMode::Polygon:
            // A fan whose triangles all end on the first vertex, the polygon's provoking one.
            for (uint32_t i = 1; i + 1 < count; ++i) {
                addTriangle(indices, i, i + 1, 0);
            }
            break;
        default:
            break;
    }
}

}  // namespace

bool isPrimitiveMode(uint32_t value) {
    return value <= static_cast<uint32_t>(PrimitiveMode::Polygon);
}

PrimitiveKind kindOf(PrimitiveMode mode) {
    switch (mode) {
        case PrimitiveMode::Points:
            return PrimitiveKind::Points;
        case PrimitiveMode::Lines:
        case PrimitiveMode::LineLoop:
        case PrimitiveMode::LineStrip:
            return PrimitiveKind::Lines;
        default:
            return PrimitiveKind::Triangles;
    }
}

std::vector<uint32_t> assemble(PrimitiveMode mode, uint32_t count) {
    std::vector<uint32_t> indices;
    switch (kindOf(mode)) {
        case PrimitiveKind::Points:
            for (uint32_t i = 0; i < count; ++i) {
                indices.push_back(i);
            }
            break;
        case PrimitiveKind::Lines:
            assembleLines(mode, count, indices);
            break;
        case PrimitiveKind::Triangles:
            assembleTriangles(mode, count, indices);
            break;
    }
    return indices;
}

PolygonList polygonsOf(PrimitiveMode mode, uint32_t count) {
    PolygonList result;
    const auto add = [&](std::initializer_list<uint32_t> polygon) {
        result.indices.insert(result.indices.end(), polygon);
        result.sizes.push_back(static_cast<uint32_t>(polygon.size()));
    };
    switch (mode) {
        case PrimitiveMode::Quads:
            for (uint32_t i = 0; i + 3 < count; i += 4) {
                add({i, i + 1, i + 2, i + 3});
            }
            break;
        case PrimitiveMode::QuadStrip:
            for (uint32_t i = 0; i + 3 < count; i += 2) {
                add({i, i + 1, i + 3, i + 2});
            }
            break;
        case PrimitiveMode::Polygon:
            if (count >= 3) {
                for (uint32_t i = 0; i < count; ++i) {
                    result.indices.push_back(i);
                }
                result.sizes.push_back(count);
            }
            break;
        case PrimitiveMode::Triangles:
        case PrimitiveMode::TriangleStrip:
        case PrimitiveMode::TriangleFan: {
            const std::vector<uint32_t> triangles = assemble(mode, count);
            for (std::size_t i = 0; i + 2 < triangles.size(); i += 3) {
                add({triangles[i], triangles[i + 1], triangles[i + 2]});
            }
            break;
        }
        default:
            break;
    }
    return result;
}
