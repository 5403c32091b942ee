#include "tests/support/metaballs_reference.h"

#include "base/fast_math.h"

namespace {

constexpr float kStep = 0.01f;  // grid units, central differences

Vector3 normalAt(const Metaballs& metaballs, const Vector3& q) {
    const float nx = fieldValue(metaballs, {q.x - kStep, q.y, q.z}) -
                     fieldValue(metaballs, {q.x + kStep, q.y, q.z});
    const float ny = fieldValue(metaballs, {q.x, q.y - kStep, q.z}) -
                     fieldValue(metaballs, {q.x, q.y + kStep, q.z});
    const float nz = fieldValue(metaballs, {q.x, q.y, q.z - kStep}) -
                     fieldValue(metaballs, {q.x, q.y, q.z + kStep});
    const float r = fastInverseSquareRoot(nx * nx + ny * ny + nz * nz);
    return {nx * r, ny * r, nz * r};
}

void storeEdge(const Metaballs& metaballs, const float origin[3], const float values[8], int32_t e,
               MetaCell& cell) {
    const int32_t a = kEdgeCorners[e][0];
    const int32_t b = kEdgeCorners[e][1];
    const float h =
        values[b] == values[a] ? 0.5f : (metaballs.iso - values[a]) / (values[b] - values[a]);
    float q[3];
    for (int32_t axis = 0; axis < 3; ++axis) {
        const float direction = kCornerOffsets[b][axis] - kCornerOffsets[a][axis];
        q[axis] = origin[axis] + metaballs.cellSize * (kCornerOffsets[a][axis] + h * direction);
        cell.points[e][axis] = q[axis];
    }
    const Vector3 n = normalAt(metaballs, {q[0], q[1], q[2]});
    cell.normals[e][0] = n.x;
    cell.normals[e][1] = n.y;
    cell.normals[e][2] = n.z;
}

void polygoniseOneCell(const Metaballs& metaballs, uint32_t x, uint32_t y, uint32_t z,
                       MetaCell& cell) {
    const float size = metaballs.cellSize;
    const float origin[3] = {static_cast<float>(x) * size, static_cast<float>(y) * size,
                             static_cast<float>(z) * size};
    float values[8];
    int32_t index = 0;
    for (int32_t k = 0; k < 8; ++k) {
        const Vector3 corner = {origin[0] + size * kCornerOffsets[k][0],
                                origin[1] + size * kCornerOffsets[k][1],
                                origin[2] + size * kCornerOffsets[k][2]};
        values[k] = fieldValue(metaballs, corner);
        if (metaballs.iso >= values[k]) {
            index |= 1 << k;
        }
    }
    cell.cubeIndex = index;
    for (int32_t e = 0; e < 12; ++e) {
        if (kEdgeTable[index] & (1u << e)) {
            storeEdge(metaballs, origin, values, e, cell);
        }
    }
}

}  // namespace

void polygonisePerCell(Metaballs& metaballs) {
    const uint32_t n = metaballs.cellsPerAxis;
    metaballs.cells.resize(n * n * n);
    for (uint32_t z = 0; z < n; ++z) {
        for (uint32_t y = 0; y < n; ++y) {
            for (uint32_t x = 0; x < n; ++x) {
                polygoniseOneCell(metaballs, x, y, z, metaballs.cells[x + n * (y + n * z)]);
            }
        }
    }
}
