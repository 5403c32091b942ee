// The finale's schedule and its morph, without drawing.

#include "scenes/softface.h"

#include <gtest/gtest.h>

#include <cmath>

#include "resources/text_file.h"

namespace {

// One part of `count` vertices at (base + i, 2 base, -i), with texture coordinates, normals and
// one face, so a copy can be told from a blend.
Mesh lineOfVertices(uint32_t count, float base) {
    Mesh mesh;
    mesh.parts.resize(1);
    MeshPart& part = mesh.parts[0];
    part.vertices.resize(count);
    part.texCoords.resize(count);
    part.normals.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        const float k = static_cast<float>(i);
        part.vertices[i] = {base + k, 2.0f * base, -k, {0.0f, 0.0f, 0.0f}};
        part.texCoords[i] = {base, k};
        part.normals[i] = {base, 0.0f, 1.0f};
    }
    part.faces.resize(1);
    part.faces[0].a = 0;
    mesh.transform[12] = base;
    mesh.loaded = true;
    return mesh;
}

void expectSameVertices(const Mesh& a, const Mesh& b) {
    ASSERT_EQ(a.parts.size(), b.parts.size());
    for (uint32_t p = 0; p < a.parts.size(); ++p) {
        ASSERT_EQ(a.parts[p].vertices.size(), b.parts[p].vertices.size());
        for (uint32_t i = 0; i < a.parts[p].vertices.size(); ++i) {
            EXPECT_EQ(a.parts[p].vertices[i].x, b.parts[p].vertices[i].x);
            EXPECT_EQ(a.parts[p].vertices[i].y, b.parts[p].vertices[i].y);
            EXPECT_EQ(a.parts[p].vertices[i].z, b.parts[p].vertices[i].z);
        }
    }
}

TEST(Morph, AtZeroIsACopyOfFromAndAtOneHasTheTargetsPlaces) {
    const Mesh from = lineOfVertices(5, 1.0f);
    const Mesh to = lineOfVertices(5, 10.0f);
    Mesh dst;
    morph(dst, from, to, 0.0f);
    expectSameVertices(dst, from);
    EXPECT_EQ(dst.transform, from.transform);
    EXPECT_TRUE(dst.loaded);
    morph(dst, from, to, 1.0f);
    expectSameVertices(dst, to);
    // Everything but the positions stays from's.
    EXPECT_EQ(dst.parts[0].normals[2].x, 1.0f);
    EXPECT_EQ(dst.parts[0].texCoords[2].s, 1.0f);
    EXPECT_EQ(dst.transform[12], 1.0f);
    morph(dst, from, to, 0.25f);
    EXPECT_FLOAT_EQ(dst.parts[0].vertices[3].x, 4.0f + 0.25f * 9.0f);
    EXPECT_FLOAT_EQ(dst.parts[0].vertices[3].y, 2.0f + 0.25f * 18.0f);
}

TEST(Morph, UnmatchedMeshesNeverReadPastAnArray) {
    const Mesh from = lineOfVertices(5, 1.0f);
    Mesh twoParts = lineOfVertices(5, 10.0f);
    twoParts.parts.resize(2);
    Mesh dst = lineOfVertices(3, 7.0f);
    morph(dst, from, twoParts, 0.5f);
    EXPECT_EQ(dst.parts[0].vertices.size(), 3u);  // untouched
    EXPECT_EQ(dst.parts[0].vertices[0].x, 7.0f);

    // Same part count, different vertex counts: the copy of `from` stays unblended.
    morph(dst, from, lineOfVertices(9, 10.0f), 0.5f);
    expectSameVertices(dst, from);
}

TEST(Morph, StopsAtTheFirstPartThatDoesNotMatch) {
    Mesh from = lineOfVertices(2, 0.0f);
    Mesh to = lineOfVertices(2, 4.0f);
    from.parts.resize(3);
    to.parts.resize(3);
    from.parts[1] = lineOfVertices(3, 0.0f).parts[0];
    to.parts[1] = lineOfVertices(4, 4.0f).parts[0];
    from.parts[2] = lineOfVertices(2, 0.0f).parts[0];
    to.parts[2] = lineOfVertices(2, 4.0f).parts[0];
    Mesh dst;
    morph(dst, from, to, 0.5f);
    EXPECT_EQ(dst.parts[0].vertices[0].x, 2.0f);  // blended
    EXPECT_EQ(dst.parts[1].vertices[0].x, 0.0f);  // the mismatch stops the blend
    EXPECT_EQ(dst.parts[2].vertices[0].x, 0.0f);  // and the parts after it stay as copied
}

class SoftfaceScheduleTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (size_t i = 0; i < scene.morphMeshes.size(); ++i) {
            scene.morphMeshes[i] = lineOfVertices(4, 10.0f * static_cast<float>(i + 1));
        }
    }
    float firstX() const { return scene.workMesh.parts[0].vertices[0].x; }
    ESoftface scene;
};

TEST_F(SoftfaceScheduleTest, AdvanceCopiesAndMorphsTheShapesInTheirWindowsAndRestartForgets) {
    const struct {
        float t;
        float x;  // of the first vertex
    } steps[] = {
        {-0.1f, 10.0f}, {4.9f, 10.0f},   // the figures
        {6.5f, 15.0f},                   // half way to the cube
        {7.5f, 20.0f},  {8.25f, 22.5f},  // the cube, a quarter to the arrow
        {9.5f, 30.0f},  {10.5f, 35.0f},  // the arrow, half way to the circle
        {12.5f, 40.0f},                  // the circle
    };
    for (const auto& step : steps) {
        scene.advance(step.t, 1.0f / 30.0f);
        ASSERT_EQ(scene.workMesh.parts.size(), 1u) << "at " << step.t << " s";
        EXPECT_FLOAT_EQ(firstX(), step.x) << "at " << step.t << " s";
    }
    scene.restart();
    EXPECT_EQ(scene.workMesh.parts.size(), 0u);
}

TEST_F(SoftfaceScheduleTest, BetweenTheWindowsAdvanceHoldsTheLastShape) {
    for (const float hold : {5.0f, 5.5f, 6.0f, 11.0f, 11.5f, 12.0f}) {
        scene.workMesh = lineOfVertices(4, -3.0f);
        scene.advance(hold, 1.0f / 30.0f);
        EXPECT_EQ(firstX(), -3.0f) << "at " << hold << " s";
    }
}

TEST(SoftfaceActs, FollowTheirOpenWindows) {
    EXPECT_EQ(softfaceActAt(-0.1f), SoftfaceAct::CubeCloud);
    EXPECT_EQ(softfaceActAt(12.7f), SoftfaceAct::CubeCloud);
    EXPECT_EQ(softfaceActAt(12.75f), SoftfaceAct::CubeArms);  // one frame of arms on the limit
    EXPECT_EQ(softfaceActAt(12.8f), SoftfaceAct::Metaballs);
    EXPECT_EQ(softfaceActAt(34.99f), SoftfaceAct::Metaballs);
    EXPECT_EQ(softfaceActAt(35.0f), SoftfaceAct::CubeArms);
    EXPECT_EQ(softfaceActAt(59.9f), SoftfaceAct::CubeArms);
}

TEST(SoftfaceFlashes, AtMostOneFiresAndEachPeaksHalfWayThrough) {
    EXPECT_EQ(flashPulseAt(34.5f), nullptr);
    EXPECT_EQ(flashPulseAt(34.75f), nullptr);  // the limits between pulses are dark
    EXPECT_EQ(flashPulseAt(35.25f), nullptr);
    EXPECT_EQ(flashPulseAt(35.5f), nullptr);
    const struct {
        float peak;
        float duration;
    } pulses[] = {{34.625f, 0.25f}, {35.0f, 0.5f}, {35.375f, 0.25f}};
    for (const auto& expected : pulses) {
        const FlashPulse* pulse = flashPulseAt(expected.peak);
        ASSERT_NE(pulse, nullptr) << expected.peak;
        EXPECT_EQ(pulse->duration, expected.duration);
        EXPECT_EQ(expected.peak - pulse->start, 0.5f * pulse->duration);
    }
}

}  // namespace
