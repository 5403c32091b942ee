#include "gl11/draw_batch.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr std::array<int32_t, 4> kViewport = {0, 0, 100, 100};

// A vertex at window position (x, y) in kViewport, depth z in clip space.
ShadedVertex at(float x, float y, float z = 0.0f, float w = 1.0f) {
    ShadedVertex v;
    v.clip = {(x / 50.0f - 1.0f) * w, (y / 50.0f - 1.0f) * w, z, w};
    v.colour = {1, 1, 1, 1};
    v.texCoord = {0, 0, 0, 1};
    return v;
}

float windowX(const ShadedVertex& v) {
    return (v.clip[0] / v.clip[3] + 1.0f) * 50.0f;
}

float windowY(const ShadedVertex& v) {
    return (v.clip[1] / v.clip[3] + 1.0f) * 50.0f;
}

// Half a pixel past each end, a pixel past its coverage across.
TEST(DrawBatchLines, ASmoothLineIsAQuadReachingPastItsCoverage) {
    DrawBatch batch;
    addLine(batch, at(10, 20), at(40, 20), {kViewport, 3.0f, true});
    ASSERT_EQ(batch.vertices.size(), 4u);
    ASSERT_EQ(batch.indices.size(), 6u);
    float left = 1e9f, right = -1e9f, bottom = 1e9f, top = -1e9f;
    ASSERT_EQ(batch.lines.size(), 4u);
    for (const ShadedVertex& v : batch.vertices) {
        left = std::min(left, windowX(v));
        right = std::max(right, windowX(v));
        bottom = std::min(bottom, windowY(v));
        top = std::max(top, windowY(v));
    }
    for (const LineAttributes& line : batch.lines) {
        EXPECT_FLOAT_EQ(line.halfWidth, 1.5f);  // for the coverage
        EXPECT_FLOAT_EQ(line.smooth, 1.0f);
        EXPECT_NEAR(line.ends[0], 10.0f, 1e-4f);
        EXPECT_NEAR(line.ends[2], 40.0f, 1e-4f);
    }
    EXPECT_NEAR(left, 9.5f, 1e-4f);
    EXPECT_NEAR(right, 40.5f, 1e-4f);
    EXPECT_NEAR(bottom, 17.5f, 1e-4f);
    EXPECT_NEAR(top, 22.5f, 1e-4f);
}

TEST(DrawBatchLines, AnAliasedLineWidensAcrossItsMinorAxisOnly) {
    DrawBatch batch;
    addLine(batch, at(10, 20), at(40, 30), {kViewport, 2.0f, false});  // x-major
    ASSERT_EQ(batch.vertices.size(), 4u);
    EXPECT_NEAR(windowX(batch.vertices[0]), 10.0f, 1e-4f);
    EXPECT_NEAR(windowY(batch.vertices[0]), 19.0f, 1e-4f);
    EXPECT_NEAR(windowY(batch.vertices[1]), 21.0f, 1e-4f);
    EXPECT_FLOAT_EQ(batch.lines[0].smooth, 0.0f);
}

// Clip-space interpolation puts the cut where z = -w, and the colour there.
TEST(DrawBatchLines, ALineIsCutAtTheNearPlaneAndWhollyBehindItIsDropped) {
    ShadedVertex front = at(50, 50, 0.0f, 1.0f);
    ShadedVertex behind = at(50, 50, -3.0f, 1.0f);
    behind.colour = {0, 0, 0, 1};
    DrawBatch batch;
    addLine(batch, behind, front, {kViewport, 1.0f, true});
    EXPECT_TRUE(batch.vertices.empty());  // both ends project to one point: nothing to draw
    behind.clip[0] = -1.0f;
    addLine(batch, behind, front, {kViewport, 1.0f, true});
    ASSERT_EQ(batch.vertices.size(), 4u);
    // z + w runs from -2 behind to 1 in front: the cut lies two thirds of the way along.
    const ShadedVertex& cut = batch.vertices[0];
    EXPECT_NEAR(cut.clip[2] + cut.clip[3], 0.0f, 1e-5f);
    EXPECT_NEAR(cut.colour[0], 2.0f / 3.0f, 1e-5f);
    DrawBatch none;
    addLine(none, behind, at(50, 50, -2.0f), {kViewport, 1.0f, true});
    EXPECT_TRUE(none.vertices.empty());
}

TEST(DrawBatchOutlines, OutlinesAreCulledByTheirFacingBeforeTheyAreDrawn) {
    // Counter-clockwise in window space: front-facing.
    const std::vector<ShadedVertex> square = {at(10, 10), at(30, 10), at(30, 30), at(10, 30)};
    const PolygonList quad = polygonsOf(PrimitiveMode::Quads, 4);
    const LineStyle line = {kViewport, 1.0f, true};
    const auto linesDrawn = [&](const CullStyle& cull) {
        DrawBatch batch;
        addPolygonOutlines(batch, square, quad, line, cull);
        return batch.vertices.size() / 4;
    };
    EXPECT_EQ(linesDrawn({false, false, false}), 4u);
    EXPECT_EQ(linesDrawn({false, true, false}), 4u);  // culling back faces keeps it
    EXPECT_EQ(linesDrawn({true, false, false}), 0u);
    EXPECT_EQ(linesDrawn({false, true, true}), 0u);  // glFrontFace(GL_CW) makes it a back face
    EXPECT_EQ(linesDrawn({true, true, false}), 0u);
}

TEST(DrawBatchTriangles, TrianglesKeepTheirVerticesAndIndicesAfterEarlierOnes) {
    DrawBatch batch;
    addTriangles(batch, {at(0, 0), at(10, 0), at(0, 10)}, {0, 1, 2});
    addTriangles(batch, {at(0, 0), at(10, 0), at(0, 10)}, {2, 1, 0});
    EXPECT_EQ(batch.indices, (std::vector<uint32_t>{0, 1, 2, 5, 4, 3}));
    EXPECT_TRUE(batch.lines.empty());
}

}  // namespace
