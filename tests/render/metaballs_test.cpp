#include "render/metaballs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "scenes/softface_blobs.h"
#include "tests/support/metaballs_reference.h"

namespace {

// --- helpers -----------------------------------------------------------------------------------

uint32_t cornerBit(int32_t index, int32_t corner) {
    return (static_cast<uint32_t>(index) >> corner) & 1u;
}

// The edges a triangle-table row names, as a 12-bit mask, and how many entries precede its -1.
uint32_t rowEdges(const int8_t* row, int32_t* used) {
    uint32_t mask = 0;
    int32_t i = 0;
    while (i < 16 && row[i] >= 0) {
        mask |= 1u << row[i];
        ++i;
    }
    *used = i;
    return mask;
}

Vector3 edgeMidpoint(int32_t edge) {
    const float* a = kCornerOffsets[kEdgeCorners[edge][0]];
    const float* b = kCornerOffsets[kEdgeCorners[edge][1]];
    return {0.5f * (a[0] + b[0]), 0.5f * (a[1] + b[1]), 0.5f * (a[2] + b[2])};
}

Vector3 sub(const Vector3& a, const Vector3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vector3 add(const Vector3& a, const Vector3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vector3 cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float dot(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vector3 vec(const float* v) {
    return {v[0], v[1], v[2]};
}

struct Triangle {
    Vector3 points[3];
    Vector3 normals[3];
};

std::vector<Triangle> triangles(const Metaballs& metaballs) {
    std::vector<Triangle> out;
    int32_t corner = 0;
    forEachTriangleCorner(metaballs, [&](const float* normal, const float* point) {
        if (corner == 0) {
            out.emplace_back();
        }
        out.back().points[corner] = vec(point);
        out.back().normals[corner] = vec(normal);
        corner = (corner + 1) % 3;
    });
    return out;
}

Metaballs emptyGrid(uint32_t cells, float cellSize, float iso) {
    Metaballs metaballs;
    metaballs.cellsPerAxis = cells;
    metaballs.cellSize = cellSize;
    metaballs.iso = iso;
    metaballs.cells.resize(cells * cells * cells);
    return metaballs;
}

Metaballs softfaceAt(float t) {
    Metaballs metaballs;
    configureSoftfaceMetaballs(metaballs);
    placeSoftfaceBalls(metaballs, t);
    return metaballs;
}

const MetaCell& cellAt(const Metaballs& m, uint32_t x, uint32_t y, uint32_t z) {
    const uint32_t n = m.cellsPerAxis;
    return m.cells[x + n * (y + n * z)];
}

// Counts cells whose cube index, or any point or normal of an edge that index cuts, differs in
// a single bit between the two.
uint32_t differingCells(const Metaballs& a, const Metaballs& b) {
    uint32_t differing = 0;
    for (uint32_t i = 0; i < a.cells.size(); ++i) {
        const MetaCell& p = a.cells[i];
        const MetaCell& q = b.cells[i];
        bool same = std::memcmp(&p.cubeIndex, &q.cubeIndex, sizeof p.cubeIndex) == 0;
        for (int32_t e = 0; same && e < 12; ++e) {
            if (kEdgeTable[p.cubeIndex & 0xFF] & (1u << e)) {
                same = std::memcmp(p.points[e], q.points[e], sizeof p.points[e]) == 0 &&
                       std::memcmp(p.normals[e], q.normals[e], sizeof p.normals[e]) == 0;
            }
        }
        differing += same ? 0 : 1;
    }
    return differing;
}

// Shared-corner and per-cell rebuilds of the same sources; the shared one starts from stale
// cells so that anything it fails to write shows.
void expectSameAsPerCell(const Metaballs& sources) {
    Metaballs shared = sources;
    for (MetaCell& cell : shared.cells) {
        std::memset(&cell, 0xA5, sizeof cell);
    }
    Metaballs perCell = sources;
    polygonise(shared);
    polygonisePerCell(perCell);
    ASSERT_EQ(shared.cells.size(), perCell.cells.size());
    EXPECT_EQ(differingCells(shared, perCell), 0u);
    EXPECT_FALSE(triangles(perCell).empty()) << "a comparison without surface proves little";
}

// --- the tables --------------------------------------------------------------------------------

TEST(MetaballTables, StartAsPublished) {
    EXPECT_EQ(kEdgeTable[0], 0x0);
    EXPECT_EQ(kEdgeTable[1], 0x109);
    EXPECT_EQ(kEdgeTable[2], 0x203);
    EXPECT_EQ(kEdgeTable[3], 0x30a);
    const int8_t first[4] = {0, 8, 3, -1};
    EXPECT_EQ(std::memcmp(kTriangleTable[1], first, sizeof first), 0);
}

TEST(MetaballTables, EdgesJoinDistinctCornerPairsOneCellApart) {
    bool joined[8][8] = {};
    for (int32_t e = 0; e < 12; ++e) {
        const int32_t a = kEdgeCorners[e][0];
        const int32_t b = kEdgeCorners[e][1];
        float distance = 0.0f;
        for (int32_t axis = 0; axis < 3; ++axis) {
            distance += std::fabs(kCornerOffsets[b][axis] - kCornerOffsets[a][axis]);
        }
        EXPECT_EQ(distance, 1.0f) << "edge " << e;
        EXPECT_FALSE(joined[a][b] || joined[b][a]) << "edge " << e << " repeats";
        joined[a][b] = true;
    }
}

TEST(MetaballTables, EdgeMasksAreTheEdgesWhoseCornersDisagree) {
    for (int32_t i = 0; i < 256; ++i) {
        uint32_t expected = 0;
        for (int32_t e = 0; e < 12; ++e) {
            if (cornerBit(i, kEdgeCorners[e][0]) != cornerBit(i, kEdgeCorners[e][1])) {
                expected |= 1u << e;
            }
        }
        EXPECT_EQ(kEdgeTable[i], expected) << "cube index " << i;
    }
}

TEST(MetaballTables, TriangleRowsUseExactlyTheCutEdges) {
    for (int32_t i = 0; i < 256; ++i) {
        int32_t used = 0;
        EXPECT_EQ(rowEdges(kTriangleTable[i], &used), kEdgeTable[i]) << "cube index " << i;
        EXPECT_EQ(used % 3, 0) << "cube index " << i;
        EXPECT_LE(used, 15) << "more than five triangles at cube index " << i;
        for (int32_t j = used; j < 16; ++j) {
            EXPECT_EQ(kTriangleTable[i][j], -1) << "cube index " << i << " entry " << j;
        }
    }
}

TEST(MetaballTables, ComplementaryCubesCutTheSameEdges) {
    for (int32_t i = 0; i < 256; ++i) {
        int32_t used = 0;
        int32_t usedOther = 0;
        EXPECT_EQ(rowEdges(kTriangleTable[i], &used), rowEdges(kTriangleTable[255 - i], &usedOther))
            << "cube index " << i;
        EXPECT_EQ(used == 0, usedOther == 0) << "cube index " << i;
    }
}

// With vertices at the edge midpoints, every triangle's counter-clockwise side faces the corners
// at or below the iso level, so the surface's front is its outside.
TEST(MetaballTables, TrianglesFaceTheLowCorners) {
    for (int32_t i = 0; i < 256; ++i) {
        const int8_t* row = kTriangleTable[i];
        for (int32_t t = 0; t < 15 && row[t] >= 0; t += 3) {
            const Vector3 a = edgeMidpoint(row[t]);
            const Vector3 face =
                cross(sub(edgeMidpoint(row[t + 1]), a), sub(edgeMidpoint(row[t + 2]), a));
            Vector3 outward = {0.0f, 0.0f, 0.0f};
            for (int32_t j = t; j < t + 3; ++j) {
                const int32_t c0 = kEdgeCorners[row[j]][0];
                const int32_t c1 = kEdgeCorners[row[j]][1];
                const int32_t low = cornerBit(i, c0) ? c0 : c1;
                const int32_t high = low == c0 ? c1 : c0;
                outward = add(outward, sub(vec(kCornerOffsets[low]), vec(kCornerOffsets[high])));
            }
            EXPECT_GT(dot(face, outward), 0.0f) << "cube index " << i << " triangle " << t / 3;
        }
    }
}

// Within a cube the triangles form a consistently wound sheet: no side runs twice the same way,
// and a side no neighbour shares lies on a face of the cube, where the next cube continues it.
TEST(MetaballTables, OpenTriangleSidesLieOnCubeFaces) {
    for (int32_t i = 0; i < 256; ++i) {
        const int8_t* row = kTriangleTable[i];
        bool side[12][12] = {};
        for (int32_t t = 0; t < 15 && row[t] >= 0; t += 3) {
            for (int32_t j = 0; j < 3; ++j) {
                const int32_t from = row[t + j];
                const int32_t to = row[t + (j + 1) % 3];
                EXPECT_FALSE(side[from][to]) << "cube index " << i;
                side[from][to] = true;
            }
        }
        for (int32_t from = 0; from < 12; ++from) {
            for (int32_t to = 0; to < 12; ++to) {
                if (!side[from][to] || side[to][from]) {
                    continue;
                }
                const Vector3 p = edgeMidpoint(from);
                const Vector3 q = edgeMidpoint(to);
                const bool onFace = (p.x == q.x && p.x != 0.5f) || (p.y == q.y && p.y != 0.5f) ||
                                    (p.z == q.z && p.z != 0.5f);
                EXPECT_TRUE(onFace) << "cube index " << i << " side " << from << "-" << to;
            }
        }
    }
}

// --- the field ---------------------------------------------------------------------------------

TEST(MetaballField, ASourceCentreCountsItsStrengthOverOne) {
    Metaballs metaballs;
    metaballs.balls.resize(1);
    metaballs.balls[0] = {0.3f, 0.4f, 0.5f, 0.5f};
    EXPECT_EQ(fieldValue(metaballs, {0.3f, 0.4f, 0.5f}), 0.5f);

    Metaballs box;
    box.boxes.resize(1);
    box.boxes[0] = {0.5f, 0.5f, 0.5f, 1.2f};
    EXPECT_EQ(fieldValue(box, {0.5f, 0.5f, 0.5f}), 1.2f);
}

TEST(MetaballField, BallsFallOffWithTheSquaredDistance) {
    Metaballs metaballs;
    metaballs.balls.resize(1);
    metaballs.balls[0] = {0.25f, 0.5f, 0.75f, 0.5f};
    EXPECT_FLOAT_EQ(fieldValue(metaballs, {0.5f, 0.5f, 0.75f}), 8.0f);
    EXPECT_FLOAT_EQ(fieldValue(metaballs, {0.25f, 0.0f, 0.25f}), 1.0f);  // distance^2 = 0.5
}

TEST(MetaballField, BoxesFallOffWithTheLargestAxisDistance) {
    Metaballs metaballs;
    metaballs.boxes.resize(1);
    metaballs.boxes[0] = {0.5f, 0.5f, 0.5f, 1.2f};
    // Every point whose largest axis distance is 0.25 lies on one box-shaped level surface.
    for (const Vector3& p :
         {Vector3{0.75f, 0.5f, 0.5f}, Vector3{0.6f, 0.25f, 0.7f}, Vector3{0.75f, 0.75f, 0.25f}}) {
        EXPECT_FLOAT_EQ(fieldValue(metaballs, p), 19.2f) << p.x << " " << p.y << " " << p.z;
    }
}

TEST(MetaballField, SourcesAddAndNegativeOnesSubtract) {
    Metaballs metaballs;
    metaballs.balls.resize(2);
    metaballs.balls[0] = {0.0f, 0.0f, 0.0f, 0.5f};
    metaballs.balls[1] = {1.0f, 0.0f, 0.0f, -0.2f};
    metaballs.boxes.resize(1);
    metaballs.boxes[0] = {0.5f, 0.5f, 0.0f, 0.1f};
    EXPECT_FLOAT_EQ(fieldValue(metaballs, {0.5f, 0.0f, 0.0f}), 2.0f - 0.8f + 0.4f);
}

// --- edges and cells ---------------------------------------------------------------------------

TEST(MetaballEdges, EqualEndValuesGiveTheMidpoint) {
    EXPECT_EQ(edgeCrossing(32.0f, 10.0f, 10.0f), 0.5f);
    EXPECT_EQ(edgeCrossing(32.0f, 32.0f, 32.0f), 0.5f);
    EXPECT_EQ(edgeCrossing(32.0f, 16.0f, 48.0f), 0.5f);
}

TEST(MetaballEdges, CrossingsInterpolateLinearlyFromTheFirstEnd) {
    EXPECT_EQ(edgeCrossing(32.0f, 40.0f, 8.0f), 0.25f);
    EXPECT_EQ(edgeCrossing(32.0f, 0.0f, 128.0f), 0.25f);
    EXPECT_EQ(edgeCrossing(32.0f, 32.0f, 0.0f), 0.0f);
}

TEST(MetaballCells, ACellWithAllCornersOnOneSideEmitsNothing) {
    // No sources: the field is 0 everywhere, which an iso level of 0 counts as at-or-below.
    Metaballs low = emptyGrid(1, 1.0f, 0.0f);
    polygonise(low);
    EXPECT_EQ(low.cells[0].cubeIndex, 255);
    EXPECT_TRUE(triangles(low).empty());

    Metaballs high = emptyGrid(1, 1.0f, -1.0f);
    polygonise(high);
    EXPECT_EQ(high.cells[0].cubeIndex, 0);
    EXPECT_TRUE(triangles(high).empty());
}

// A ball just off grid point (1, 0, 1) of a 3-cell grid lifts that one corner above the iso
// level; each of the four cells sharing it cuts the three edges meeting there.
class OneHighCorner : public ::testing::Test {
protected:
    void SetUp() override {
        metaballs = emptyGrid(3, 1.0f, 32.0f);
        metaballs.balls.resize(1);
        metaballs.balls[0] = {1.1f, 0.1f, 1.1f, 8.0f};
        polygonise(metaballs);
    }
    Metaballs metaballs;
};

TEST_F(OneHighCorner, OnlyTheFourCellsRoundItSeeIt) {
    for (uint32_t z = 0; z < 3; ++z) {
        for (uint32_t y = 0; y < 3; ++y) {
            for (uint32_t x = 0; x < 3; ++x) {
                int32_t expected = 255;
                if (y == 0 && x <= 1 && z <= 1) {
                    const int32_t corner[2][2] = {{5, 4},
                                                  {1, 0}};  // [z][x] of grid point (1, 0, 1)
                    expected = 255 & ~(1 << corner[z][x]);
                }
                EXPECT_EQ(cellAt(metaballs, x, y, z).cubeIndex, expected)
                    << "cell " << x << " " << y << " " << z;
            }
        }
    }
    EXPECT_EQ(triangles(metaballs).size(), 4u);
}

TEST_F(OneHighCorner, CrossingsLieOnTheirEdgesWithNormalsAwayFromTheBall) {
    const MetaCell& cell = cellAt(metaballs, 1, 0, 1);  // the point is its corner 0
    const Vector3 ball = {1.1f, 0.1f, 1.1f};
    const int32_t axisOf[3] = {0, 1, 2};
    const int32_t edges[3] = {0, 3, 8};  // corner 0 to corners 1, 3 and 4: along x, y and z
    for (int32_t i = 0; i < 3; ++i) {
        const float* p = cell.points[edges[i]];
        for (int32_t axis = 0; axis < 3; ++axis) {
            const float start = axis == 1 ? 0.0f : 1.0f;
            if (axis == axisOf[i]) {
                EXPECT_GT(p[axis], start) << "edge " << edges[i];
                EXPECT_LT(p[axis], start + 1.0f) << "edge " << edges[i];
            } else {
                EXPECT_EQ(p[axis], start) << "edge " << edges[i];
            }
        }
        EXPECT_GT(dot(vec(cell.normals[edges[i]]), sub(vec(p), ball)), 0.0f) << "edge " << edges[i];
    }
    const float h = edgeCrossing(32.0f, fieldValue(metaballs, {1.0f, 0.0f, 1.0f}),
                                 fieldValue(metaballs, {2.0f, 0.0f, 1.0f}));
    EXPECT_FLOAT_EQ(cell.points[0][0], 1.0f + h);
}

TEST_F(OneHighCorner, TheWalkPairsEachPointWithItsNormalInCellOrder) {
    std::vector<const float*> points;
    std::vector<const float*> normals;
    forEachTriangleCorner(metaballs, [&](const float* normal, const float* point) {
        normals.push_back(normal);
        points.push_back(point);
    });
    ASSERT_EQ(points.size(), 12u);
    const uint32_t cells[4] = {0, 1, 9, 10};  // (0,0,0), (1,0,0), (0,0,1), (1,0,1)
    for (uint32_t c = 0; c < 4; ++c) {
        const MetaCell& cell = metaballs.cells[cells[c]];
        for (int32_t j = 0; j < 3; ++j) {
            const int32_t edge = kTriangleTable[cell.cubeIndex][j];
            EXPECT_EQ(points[3 * c + j], cell.points[edge]);
            EXPECT_EQ(normals[3 * c + j], cell.normals[edge]);
        }
    }
}

// --- negative strengths ------------------------------------------------------------------------

TEST(MetaballHoles, ANegativeBallDigsAHoleInsideTheBox) {
    Metaballs metaballs;
    configureSoftfaceMetaballs(metaballs);
    metaballs.balls.resize(0);
    polygonise(metaballs);
    const MetaCell& inside = cellAt(metaballs, 14, 12, 12);
    EXPECT_EQ(inside.cubeIndex, 0) << "the box alone fills this cell";
    const size_t boxOnly = triangles(metaballs).size();

    const Vector3 hole = {0.6f, 0.52f, 0.51f};  // in cell (14, 12, 12)
    metaballs.balls.resize(1);
    metaballs.balls[0] = {hole.x, hole.y, hole.z, -0.3f};
    polygonise(metaballs);
    EXPECT_NE(cellAt(metaballs, 14, 12, 12).cubeIndex, 0);
    EXPECT_GT(triangles(metaballs).size(), boxOnly);
    // The hole's walls face into it: the field falls towards the negative ball.
    uint32_t wallCorners = 0;
    for (const Triangle& t : triangles(metaballs)) {
        for (int32_t j = 0; j < 3; ++j) {
            const Vector3 towardsHole = sub(hole, t.points[j]);
            if (dot(towardsHole, towardsHole) < 0.1f * 0.1f) {
                EXPECT_GT(dot(t.normals[j], towardsHole), 0.0f);
                ++wallCorners;
            }
        }
    }
    EXPECT_GT(wallCorners, 0u);
}

TEST(MetaballHoles, AStrongerNegativeBallRemovesAPositiveBallsSurface) {
    Metaballs metaballs = emptyGrid(24, kSoftfaceCellSize, kSoftfaceIso);
    metaballs.balls.resize(1);
    metaballs.balls[0] = {0.31f, 0.29f, 0.27f, 0.5f};
    polygonise(metaballs);
    EXPECT_FALSE(triangles(metaballs).empty());

    metaballs.balls.resize(2);
    metaballs.balls[1] = {0.31f, 0.29f, 0.27f, -0.6f};
    polygonise(metaballs);
    EXPECT_TRUE(triangles(metaballs).empty());
}

// --- shared corners against the per-cell rebuild -----------------------------------------------

// Where a cell's far corner and the next cell's near corner round differently the shared corner
// field must keep both; the finale's grid has such seams, so the comparisons below cover them.
TEST(MetaballSharing, TheSoftfacesGridHasCornerSeams) {
    uint32_t seams = 0;
    for (uint32_t i = 0; i + 1 < kSoftfaceCellsPerAxis; ++i) {
        const float far = static_cast<float>(i) * kSoftfaceCellSize + kSoftfaceCellSize;
        const float near = static_cast<float>(i + 1) * kSoftfaceCellSize;
        seams += std::memcmp(&far, &near, sizeof far) != 0 ? 1 : 0;
    }
    EXPECT_GT(seams, 0u);
}

TEST(MetaballSharing, MatchesThePerCellRebuildThroughTheSoftface) {
    for (const float t : {0.0f, 0.37f, 1.5f, 2.25f, 4.0f, 7.77f, 12.5f, 20.0f, 31.4f}) {
        SCOPED_TRACE(t);
        expectSameAsPerCell(softfaceAt(t));
    }
}

TEST(MetaballSharing, MatchesWithSourcesOnGridCorners) {
    Metaballs metaballs = softfaceAt(0.0f);
    const float s = kSoftfaceCellSize;
    // Near corners of cells 9 and 12, and the far corner of cell 6 as that cell computes it.
    metaballs.balls[0] = {9.0f * s, 12.0f * s, 12.0f * s, 0.5f};
    metaballs.balls[1] = {6.0f * s + s, 12.0f * s, 9.0f * s, 0.4f};
    metaballs.balls[2] = {12.0f * s, 15.0f * s + s, 12.0f * s, -0.3f};
    metaballs.balls[3] = {16.0f * s, 16.0f * s, 16.0f * s, -0.2f};
    expectSameAsPerCell(metaballs);
}

TEST(MetaballSharing, MatchesOnOtherGrids) {
    Metaballs coarse = softfaceAt(1.0f);
    coarse.cellsPerAxis = 7;
    coarse.cellSize = 1.0f / 7.0f;
    expectSameAsPerCell(coarse);

    Metaballs offset = softfaceAt(2.0f);
    offset.cellsPerAxis = 11;
    offset.cellSize = 0.1f;
    offset.iso = 20.0f;
    expectSameAsPerCell(offset);
}

// --- the finale's surface ----------------------------------------------------------------------

// NOTE: the fast inverse square root with one Newton step undershoots by up to 0.175 %, so the
// lengths lie in [0.99825, 1]; a tighter tolerance would test the estimate, not the normals.
TEST(SoftfaceSurface, NormalsHaveUnitLength) {
    for (const float t : {0.0f, 3.3f, 17.0f}) {
        Metaballs metaballs = softfaceAt(t);
        polygonise(metaballs);
        for (const Triangle& tri : triangles(metaballs)) {
            for (const Vector3& n : tri.normals) {
                const float length = std::sqrt(dot(n, n));
                ASSERT_GT(length, 1.0f - 1.8e-3f) << "t " << t;
                ASSERT_LT(length, 1.0f + 1e-6f) << "t " << t;
            }
        }
    }
}

// Away from the grid's border the surface closes on itself: its triangles' area vectors cancel,
// it encloses a positive volume (its front is the outside) and faces along its normals.
TEST(SoftfaceSurface, IsClosedInsideTheUnitCubeAndFacesOutwards) {
    for (const float t : {0.0f, 5.0f, 11.0f, 23.0f}) {
        SCOPED_TRACE(t);
        Metaballs metaballs = softfaceAt(t);
        polygonise(metaballs);
        const std::vector<Triangle> surface = triangles(metaballs);
        EXPECT_GT(surface.size(), 800u);  // about 1,500 to 1,700 through the finale
        EXPECT_LT(surface.size(), 4000u);
        Vector3 areaSum = {0.0f, 0.0f, 0.0f};
        double area = 0.0;
        double volume = 0.0;
        uint32_t facingAway = 0;
        for (const Triangle& tri : surface) {
            for (const Vector3& p : tri.points) {
                for (const float c : {p.x, p.y, p.z}) {
                    ASSERT_GT(c, 0.0f);
                    ASSERT_LT(c, 1.0f);
                }
            }
            const Vector3 face =
                cross(sub(tri.points[1], tri.points[0]), sub(tri.points[2], tri.points[0]));
            areaSum = add(areaSum, face);
            area += std::sqrt(dot(face, face));
            volume += dot(tri.points[0], cross(tri.points[1], tri.points[2])) / 6.0;
            const Vector3 normal = add(add(tri.normals[0], tri.normals[1]), tri.normals[2]);
            facingAway += dot(face, normal) < 0.0f ? 1 : 0;
        }
        EXPECT_LT(std::sqrt(dot(areaSum, areaSum)), 1e-4 * area);
        EXPECT_GT(volume, 0.01);  // the box alone holds about 0.058
        EXPECT_LT(volume, 0.2);
        EXPECT_LE(facingAway, surface.size() / 100);
    }
}

}  // namespace
