#include "tools/generator/mesh_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

Vector3 positionOf(const MeshPart& part, int32_t index) {
    const MeshVertex& v = part.vertices[index];
    return {v.x, v.y, v.z};
}

// Every triangle turns counter-clockwise seen from the side its corners' normals point to.
void expectWindingFollowsNormals(const MeshPart& part) {
    for (const MeshFace& face : part.faces) {
        const Vector3 a = positionOf(part, face.a);
        const Vector3 facing = cross(positionOf(part, face.b) - a, positionOf(part, face.c) - a);
        const Normal& n = part.normals[face.na];
        EXPECT_GT(dot(facing, {n.x, n.y, n.z}), 0.0f)
            << "face at " << a.x << " " << a.y << " " << a.z;
    }
}

// Every normal points away from `centre` (for convex shapes round it).
void expectNormalsPointOutOf(const MeshPart& part, Vector3 centre) {
    for (const MeshFace& face : part.faces) {
        const Normal& n = part.normals[face.na];
        EXPECT_GT(dot(positionOf(part, face.a) - centre, {n.x, n.y, n.z}), -1e-4f);
    }
}

TEST(MeshBuilder, BoxFacesOutwardsAndMapsByWorldPosition) {
    MeshBuilder builder;
    builder.addBox({{1, 2, 3}, {3, 6, 4}}, 2.0f);
    const MeshPart part = builder.toPart();
    EXPECT_EQ(builder.triangleCount(), 12);
    expectWindingFollowsNormals(part);
    expectNormalsPointOutOf(part, {2, 4, 3.5f});
    for (uint32_t k = 0; k < part.vertices.size(); ++k) {
        const TexCoord uv = part.texCoords[k];
        EXPECT_TRUE(uv.s == part.vertices[k].x / 2 || uv.s == part.vertices[k].z / 2);
    }
}

TEST(MeshBuilder, CylinderAndTubeFaceOutwards) {
    MeshBuilder cylinder;
    cylinder.addCylinder({0, 0, 0}, 1.0f, 2.0f, 12);
    EXPECT_EQ(cylinder.triangleCount(), 36);
    expectWindingFollowsNormals(cylinder.toPart());
    expectNormalsPointOutOf(cylinder.toPart(), {0, 1, 0});

    MeshBuilder tube;
    tube.addTube({{0, 0, 0}, {0, 0, 2}, {0, 0, 4}}, 0.5f, 8, 1.0f);
    const MeshPart part = tube.toPart();
    EXPECT_EQ(tube.triangleCount(), 2 * 8 * 2);
    expectWindingFollowsNormals(part);
    for (uint32_t k = 0; k < part.vertices.size(); ++k) {
        const MeshVertex& v = part.vertices[k];
        EXPECT_NEAR(std::hypot(v.x, v.y), 0.5f, 1e-5f);  // on the tube's surface
    }
}

// The equator's vertex at u = 0 and its neighbour round the sphere.
void equatorStep(const MeshPart& part, float du, Vector3& start, Vector3& next) {
    for (uint32_t k = 0; k < part.vertices.size(); ++k) {
        const TexCoord uv = part.texCoords[k];
        if (uv.t == 0.5f && uv.s == 0.0f) {
            start = positionOf(part, static_cast<int32_t>(k));
        }
        if (uv.t == 0.5f && uv.s == du) {
            next = positionOf(part, static_cast<int32_t>(k));
        }
    }
}

TEST(MeshBuilder, SphereLiesOnItsSurfaceFacingEitherWay) {
    const Vector3 centre = {1, 2, 3};
    for (const bool inward : {false, true}) {
        MeshBuilder builder;
        builder.addSphere(centre, 5.0f, 6, 8, inward);
        EXPECT_EQ(builder.triangleCount(), 2 * 8 + 2 * 8 * 4);
        const MeshPart part = builder.toPart();
        expectWindingFollowsNormals(part);
        for (const MeshFace& face : part.faces) {
            const Normal& n = part.normals[face.na];
            const float outward = dot(positionOf(part, face.a) - centre, {n.x, n.y, n.z});
            EXPECT_TRUE(inward ? outward < 0.0f : outward > 0.0f);
        }
        float lowest = 1.0f, highest = 0.0f;
        for (uint32_t k = 0; k < part.vertices.size(); ++k) {
            const Vector3 p = positionOf(part, static_cast<int32_t>(k));
            EXPECT_NEAR(std::sqrt(dot(p - centre, p - centre)), 5.0f, 1e-4f);
            const float v = part.texCoords[k].t;
            lowest = std::min(lowest, v);
            highest = std::max(highest, v);
            EXPECT_NEAR(v, 0.5f + std::asin((p.y - centre.y) / 5.0f) / 3.14159265f, 1e-4f);
        }
        EXPECT_EQ(lowest, 0.0f);
        EXPECT_EQ(highest, 1.0f);
        // A picture reads left to right as seen from the side the sphere faces, upright.
        Vector3 start = centre, next = centre;
        equatorStep(part, 1.0f / 8.0f, start, next);
        const Vector3 forward = inward ? start - centre : centre - start;
        EXPECT_GT(dot(next - start, cross(forward, {0, 1, 0})), 0.0f) << "inward " << inward;
    }
}

TEST(MeshBuilder, TwoSidedQuadShowsEachSideItsOwnWay) {
    MeshBuilder builder;
    const Vector3 n = {0, 0, 1};
    builder.addTwoSidedQuad({{0, 0, 0}, 0, 0, n}, {{1, 0, 0}, 1, 0, n}, {{1, 1, 0}, 1, 1, n},
                            {{0, 1, 0}, 0, 1, n});
    const MeshPart part = builder.toPart();
    ASSERT_EQ(part.faces.size(), 4u);
    expectWindingFollowsNormals(part);
    EXPECT_EQ(part.normals[part.faces[3].na].z, -1.0f);
}

TEST(MeshBuilder, PartIndexesEachCornerOnce) {
    MeshBuilder builder;
    builder.addBox({{0, 0, 0}, {1, 1, 1}}, 1.0f);
    const MeshPart part = builder.toPart();
    ASSERT_EQ(part.vertices.size(), 36u);
    ASSERT_EQ(part.texCoords.size(), 36u);
    ASSERT_EQ(part.normals.size(), 36u);
    for (uint32_t f = 0; f < part.faces.size(); ++f) {
        const MeshFace& face = part.faces[f];
        EXPECT_TRUE(faceIsDrawable(part, face));
        EXPECT_EQ(face.a, static_cast<int32_t>(3 * f));
        EXPECT_EQ(face.nc, static_cast<int32_t>(3 * f + 2));
    }
}

}  // namespace
