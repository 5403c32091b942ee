#pragma once
// The finale's blobby surface: a scalar field of point and box sources, sampled on a cubic grid
// of cells and cut at an iso level by marching cubes. polygonise rebuilds every cell's cube index
// and, for the edges that index cuts, the crossing point and its unit normal (pointing down the
// field, out of the blob). forEachTriangleCorner walks the triangles without GL; draw emits them
// in one GL_TRIANGLES block and changes no GL state but the current normal.

#include <cstdint>

#include "resources/array.h"
#include "resources/track_key.h"

// The cube's corners and edges. Corner k sits at kCornerOffsets[k] (0 or 1 per axis, in cells);
// edge e runs from corner kEdgeCorners[e][0] to kEdgeCorners[e][1].
extern const float kCornerOffsets[8][3];
extern const int32_t kEdgeCorners[12][2];
// Marching cubes tables: for cube index i (bit k set when corner k lies at or below the iso
// level), kEdgeTable[i] has bit e set when edge e is cut, and kTriangleTable[i] lists up to five
// triangles as edge numbers, three per triangle, ended by -1.
extern const uint16_t kEdgeTable[256];
extern const int8_t kTriangleTable[256][16];

struct MetaCell {
    float points[12][3];   // crossing point on each edge, grid units
    float normals[12][3];  // unit normal at each crossing point
    int32_t cubeIndex;     // 8 corner bits; only the edges kEdgeTable[cubeIndex] cuts are valid
};

// A point source (field strength / distance^2) or a box source (strength / the largest of the
// three axis distances, squared); a negative strength digs into the surface.
struct MetaSource {
    float x;
    float y;
    float z;
    float strength;
};

struct Metaballs {
    Array<MetaCell> cells;  // cellsPerAxis^3; cell (x, y, z) at x + N * (y + z * N)
    Array<MetaSource> balls;
    Array<MetaSource> boxes;
    uint32_t cellsPerAxis = 0;  // N; cell (x, y, z) spans [x, x + 1] * cellSize, and so on
    float cellSize = 0.0f;      // grid units per cell
    float iso = 0.0f;           // field value of the surface; higher values lie inside the blob
};

// Sum over the sources at p, grid units. A point exactly on a source's centre counts the source's
// strength divided by 1 rather than by 0.
float fieldValue(const Metaballs& metaballs, const Vector3& p);

// Where the iso level crosses an edge whose ends have the given field values, as a fraction from
// the first end: linear, and 0.5 when the two values are equal.
float edgeCrossing(float iso, float first, float second);

// Rebuilds every cell from the field. Each distinct grid corner is evaluated once per rebuild.
void polygonise(Metaballs& metaballs);

// Calls visit(normal, point) with two const float[3] for every triangle corner, three per
// triangle, cells in index order and triangles in table order.
template <typename Visit>
void forEachTriangleCorner(const Metaballs& metaballs, Visit&& visit) {
    for (const MetaCell& cell : metaballs.cells) {
        const int8_t* row = kTriangleTable[cell.cubeIndex & 0xFF];
        for (int32_t i = 0; i < 15 && row[i] >= 0; i += 3) {
            for (int32_t j = i; j < i + 3; ++j) {
                visit(cell.normals[row[j]], cell.points[row[j]]);
            }
        }
    }
}

// The surface as lit triangles; texture, lighting and the model-view matrix are the caller's.
void draw(const Metaballs& metaballs);
