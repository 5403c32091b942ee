#include "gl11/immediate_mode.h"

#include <gtest/gtest.h>

namespace {

TEST(ImmediateMode, EachVertexTakesTheValuesCurrentWhenItCameAndTheyLastAcrossBlocks) {
    ImmediateMode gl;
    EXPECT_EQ(gl.currentColour(), (Vector4{1, 1, 1, 1}));
    EXPECT_EQ(gl.currentNormal(), (std::array<float, 3>{0, 0, 1}));
    ASSERT_TRUE(gl.begin(PrimitiveMode::Quads));
    gl.colour(1.0f, 0.0f, 0.0f);  // once, for the first three vertices
    gl.normal(0.0f, 1.0f, 0.0f);
    gl.texCoord(0.25f, 0.5f);
    gl.vertex(0, 0);
    gl.vertex(1, 0);
    gl.vertex(1, 1, 2);
    gl.colour(0.0f, 0.0f, 1.0f, 0.5f);
    gl.vertex(0, 1);
    PrimitiveBatch batch;
    ASSERT_TRUE(gl.end(batch));
    EXPECT_EQ(batch.mode, PrimitiveMode::Quads);
    ASSERT_EQ(batch.vertices.size(), 4u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(batch.vertices[i].colour, (Vector4{1, 0, 0, 1})) << i;
        EXPECT_EQ(batch.vertices[i].normal, (std::array<float, 3>{0, 1, 0})) << i;
        EXPECT_EQ(batch.vertices[i].texCoord, (Vector4{0.25f, 0.5f, 0, 1})) << i;
    }
    EXPECT_EQ(batch.vertices[2].position, (Vector4{1, 1, 2, 1}));
    EXPECT_EQ(batch.vertices[3].colour, (Vector4{0, 0, 1, 0.5f}));

    // The next block starts from what the last one left current.
    ASSERT_TRUE(gl.begin(PrimitiveMode::Lines));
    gl.vertex(0, 0);
    gl.vertex(5, 5);
    ASSERT_TRUE(gl.end(batch));
    EXPECT_EQ(batch.mode, PrimitiveMode::Lines);
    ASSERT_EQ(batch.vertices.size(), 2u);  // the block's own, none of the last one's
    EXPECT_EQ(batch.vertices[1].colour, (Vector4{0, 0, 1, 0.5f}));
}

TEST(ImmediateMode, BlocksDoNotNestAndVerticesOutsideOneDoNothing) {
    ImmediateMode gl;
    gl.vertex(1, 2);  // no block: dropped
    PrimitiveBatch batch;
    EXPECT_FALSE(gl.end(batch));
    ASSERT_TRUE(gl.begin(PrimitiveMode::Triangles));
    EXPECT_FALSE(gl.begin(PrimitiveMode::Quads));  // the open block goes on
    gl.vertex(0, 0);
    gl.vertex(1, 0);
    gl.vertex(0, 1);
    gl.vertex(7, 7);  // an incomplete second triangle
    ASSERT_TRUE(gl.end(batch));
    EXPECT_EQ(batch.vertices.size(), 4u);
    EXPECT_EQ(batch.mode, PrimitiveMode::Triangles);
    EXPECT_FALSE(gl.insideBlock());
}

}  // namespace
