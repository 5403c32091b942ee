// The cube and the cube arms drawn for real and read back through GL's feedback buffer.

#include "render/cube_arms.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/gl.h"
#include "support/gl_test.h"

namespace {

struct FedVertex {
    float x, y, z;
};
using FedPolygon = std::vector<FedVertex>;

// Runs draw in feedback mode under a 1:1 box of +-100 world units in x and y round the
// origin (so window coordinates are world ones offset by 100), and returns its polygons.
template <typename Draw>
std::vector<FedPolygon> feedback(Draw draw) {
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    glViewport(0, 0, 200, 200);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-100.0, 100.0, -100.0, 100.0, -100.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<FedPolygon> polygons;
    for (GLint i = 0; i < used;) {
        const GLint token = static_cast<GLint>(buffer[i++]);
        if (token != GL_POLYGON_TOKEN) {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
        const GLint count = static_cast<GLint>(buffer[i++]);
        FedPolygon polygon;
        for (GLint k = 0; k < count; ++k, i += 3) {
            polygon.push_back({buffer[i] - 100.0f, buffer[i + 1] - 100.0f, buffer[i + 2]});
        }
        polygons.push_back(polygon);
    }
    return polygons;
}

float widthInX(const std::vector<FedPolygon>& polygons, size_t first, size_t count) {
    float low = 1e9f, high = -1e9f;
    for (size_t p = first; p < first + count; ++p) {
        for (const FedVertex& v : polygons[p]) {
            low = std::min(low, v.x);
            high = std::max(high, v.x);
        }
    }
    return high - low;
}

float centreInX(const std::vector<FedPolygon>& polygons, size_t first, size_t count) {
    float low = 1e9f, high = -1e9f;
    for (size_t p = first; p < first + count; ++p) {
        for (const FedVertex& v : polygons[p]) {
            low = std::min(low, v.x);
            high = std::max(high, v.x);
        }
    }
    return 0.5f * (low + high);
}

// The cubes of a drawing, in drawing order: each cube's x centre and width. Every cube sends
// the same number of vertices (six quads, which feedback may hand back split in triangles).
std::vector<std::pair<float, float>> cubesAlongX(const std::vector<FedPolygon>& polygons,
                                                 size_t cubeCount) {
    std::vector<FedVertex> vertices;
    for (const FedPolygon& polygon : polygons) {
        vertices.insert(vertices.end(), polygon.begin(), polygon.end());
    }
    std::vector<std::pair<float, float>> cubes;
    if (cubeCount == 0 || vertices.size() % cubeCount != 0) {
        ADD_FAILURE() << vertices.size() << " vertices do not split into " << cubeCount;
        return cubes;
    }
    const size_t perCube = vertices.size() / cubeCount;
    EXPECT_TRUE(perCube == 24 || perCube == 36) << perCube << " vertices per cube";
    for (size_t first = 0; first < vertices.size(); first += perCube) {
        float low = 1e9f, high = -1e9f;
        for (size_t k = first; k < first + perCube; ++k) {
            low = std::min(low, vertices[k].x);
            high = std::max(high, vertices[k].x);
        }
        cubes.push_back({0.5f * (low + high), high - low});
    }
    return cubes;
}

using CubeTest = GLTest;

TEST(CubeCorners, FacesAndCornersComeInTheirFixedOrder) {
    const std::array<CubeCorner, 24> corners = cubeCorners(2.0f, {10.0f, 20.0f, 30.0f});
    // The first face is z - h, the last y + h; every face runs (0,0), (0,1), (1,1), (1,0).
    EXPECT_EQ(corners[0].position.z, 29.0f);
    EXPECT_EQ(corners[3].position.z, 29.0f);
    EXPECT_EQ(corners[4].position.z, 31.0f);
    EXPECT_EQ(corners[8].position.x, 9.0f);
    EXPECT_EQ(corners[12].position.x, 11.0f);
    EXPECT_EQ(corners[16].position.y, 19.0f);
    EXPECT_EQ(corners[20].position.y, 21.0f);
    EXPECT_EQ(corners[23].position.y, 21.0f);
    for (int32_t f = 0; f < 6; ++f) {
        EXPECT_EQ(corners[4 * f + 1].s, 0.0f);
        EXPECT_EQ(corners[4 * f + 1].t, 1.0f);
        EXPECT_EQ(corners[4 * f + 3].s, 1.0f);
        EXPECT_EQ(corners[4 * f + 3].t, 0.0f);
    }
    // Face y - h: (x-h, y-h, z-h), (x+h, y-h, z-h), (x+h, y-h, z+h), (x-h, y-h, z+h).
    EXPECT_EQ(corners[17].position.x, 11.0f);
    EXPECT_EQ(corners[17].position.z, 29.0f);
    EXPECT_EQ(corners[18].position.z, 31.0f);
}

TEST(CubeCorners, SizeZeroGivesTwentyFourCornersOnTheCentre) {
    for (const CubeCorner& corner : cubeCorners(0.0f, {1.0f, -2.0f, 3.0f})) {
        EXPECT_EQ(corner.position.x, 1.0f);
        EXPECT_EQ(corner.position.y, -2.0f);
        EXPECT_EQ(corner.position.z, 3.0f);
    }
}

TEST_F(CubeTest, DrawsSixQuads) {
    const std::vector<FedPolygon> polygons = feedback([] { drawCube(4.0f, {5.0f, 0.0f, 0.0f}); });
    ASSERT_EQ(cubesAlongX(polygons, 1).size(), 1u);
    EXPECT_FLOAT_EQ(widthInX(polygons, 0, polygons.size()), 4.0f);
    EXPECT_FLOAT_EQ(centreInX(polygons, 0, polygons.size()), 5.0f);
}

TEST_F(CubeTest, AnArmHasNineteenShrinkingCubesAndATipOfTwo) {
    const Vector3 still = {0.0f, 0.0f, 0.0f};
    const std::vector<FedPolygon> polygons = feedback([&] {
        drawArmSegment(19, 2.0249999f, still, {1.0f, 0.0f, 0.0f});
    });
    const std::vector<std::pair<float, float>> cubes = cubesAlongX(polygons, 20);
    ASSERT_EQ(cubes.size(), 20u);
    float size = 2.0249999f;
    float centre = 0.0f;
    for (size_t k = 0; k < 19; ++k) {
        centre += 1.1f * size;
        EXPECT_NEAR(cubes[k].second, size, 2e-4f) << "cube " << k;
        EXPECT_NEAR(cubes[k].first, centre, 2e-3f) << "cube " << k;
        size *= 0.9f;
    }
    centre += 1.1f * size;
    EXPECT_NEAR(cubes[19].second, 2.0f, 2e-4f);  // the tip keeps edge 2.0
    EXPECT_NEAR(cubes[19].first, centre, 2e-3f);
}

TEST_F(CubeTest, DepthZeroDrawsOnlyTheTipOneStepOut) {
    const std::vector<FedPolygon> polygons = feedback([] {
        drawArmSegment(0, 3.0f, {0.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f});
    });
    const std::vector<std::pair<float, float>> cubes = cubesAlongX(polygons, 1);
    ASSERT_EQ(cubes.size(), 1u);
    EXPECT_NEAR(cubes[0].first, 3.3f, 1e-4f);
    EXPECT_NEAR(cubes[0].second, 2.0f, 1e-4f);
}

TEST_F(CubeTest, TheFigureHasACentreAndSixArmsOfTwentyOneCubes) {
    const std::vector<FedPolygon> polygons = feedback([] { drawCubeArms(0.0f); });
    // The centre cube and six arms of a root, nineteen shrinking cubes and a tip.
    EXPECT_EQ(cubesAlongX(polygons, 1 + 6 * 21).size(), 1u + 6 * 21);
    // About 45 units across.
    const float width = widthInX(polygons, 0, polygons.size());
    EXPECT_GT(width, 30.0f);
    EXPECT_LT(width, 60.0f);
}

TEST(ArmSwing, FollowsEachArmsPhase) {
    const Vector3 first = armSwing(0, 0.0f);
    EXPECT_EQ(first.x, 0.0f);
    EXPECT_EQ(first.y, 0.0f);
    EXPECT_EQ(first.z, 0.0f);
    const Vector3 second = armSwing(1, 0.0f);
    EXPECT_FLOAT_EQ(second.x, 30.0f * std::sin(2.0f));
    EXPECT_FLOAT_EQ(second.y, 20.0f * std::sin(1.5f));
    EXPECT_FLOAT_EQ(second.z, 10.0f * std::sin(1.0f));
}

}  // namespace
