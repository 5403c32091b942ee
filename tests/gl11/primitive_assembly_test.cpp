#include "gl11/primitive_assembly.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "base/gl.h"
#include "support/gl_test.h"

namespace {

using Indices = std::vector<uint32_t>;

TEST(PrimitiveAssembly, EachModeGivesOpenGLsPrimitivesAndDropsWhatIsIncomplete) {
    EXPECT_EQ(assemble(PrimitiveMode::Points, 3), (Indices{0, 1, 2}));
    EXPECT_EQ(assemble(PrimitiveMode::Lines, 5), (Indices{0, 1, 2, 3}));
    EXPECT_EQ(assemble(PrimitiveMode::LineStrip, 3), (Indices{0, 1, 1, 2}));
    EXPECT_EQ(assemble(PrimitiveMode::LineLoop, 3), (Indices{0, 1, 1, 2, 2, 0}));
    EXPECT_EQ(assemble(PrimitiveMode::Triangles, 7), (Indices{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(assemble(PrimitiveMode::TriangleStrip, 5), (Indices{0, 1, 2, 2, 1, 3, 2, 3, 4}));
    EXPECT_EQ(assemble(PrimitiveMode::TriangleFan, 4), (Indices{0, 1, 2, 0, 2, 3}));
    EXPECT_EQ(assemble(PrimitiveMode::Quads, 7), (Indices{0, 1, 3, 1, 2, 3}));
    EXPECT_EQ(assemble(PrimitiveMode::QuadStrip, 6), (Indices{2, 0, 3, 0, 1, 3, 4, 2, 5, 2, 3, 5}));
    EXPECT_EQ(assemble(PrimitiveMode::Polygon, 5), (Indices{1, 2, 0, 2, 3, 0, 3, 4, 0}));
    EXPECT_TRUE(assemble(PrimitiveMode::Quads, 3).empty());
    EXPECT_TRUE(assemble(PrimitiveMode::Polygon, 2).empty());
    EXPECT_TRUE(isPrimitiveMode(GL_POLYGON));
    EXPECT_FALSE(isPrimitiveMode(GL_POLYGON + 1));
}

// The same vertices drawn by the desktop OpenGL in their own mode and as the triangles the
// layer makes of them give the same pixels, flat shading included: the layer keeps OpenGL's
// provoking vertex (a quad's fourth, a polygon's first) and each primitive's facing.
struct Corner {
    float x;
    float y;
    std::array<float, 3> colour;
};

// Vertices that make proper primitives in `mode`, each its own colour: a zigzag for the strips
// and lists of triangles, squares for quads, a convex fan or polygon around a centre.
std::vector<Corner> corners(PrimitiveMode mode) {
    std::vector<Corner> result;
    const auto add = [&](float x, float y) {
        const float i = static_cast<float>(result.size());
        result.push_back({x, y, {0.1f * i, 1.0f - 0.1f * i, std::fmod(i * 0.4f, 1.0f)}});
    };
    switch (mode) {
        case PrimitiveMode::Quads:
            for (const float left : {-0.9f, 0.1f}) {
                add(left, -0.6f);
                add(left + 0.7f, -0.7f);
                add(left + 0.8f, 0.5f);
                add(left + 0.05f, 0.6f);
            }
            break;
        case PrimitiveMode::TriangleFan:
        case PrimitiveMode::Polygon:
            add(0.0f, 0.0f);
            for (int i = 0; i < 7; ++i) {
                const float angle = 0.8f * static_cast<float>(i);
                add(0.8f * std::cos(angle), 0.8f * std::sin(angle));
            }
            if (mode == PrimitiveMode::Polygon) {
                result.erase(result.begin());  // the arc alone is convex
            }
            break;
        default:
            for (int i = 0; i < 10; ++i) {
                add(-0.9f + 0.2f * static_cast<float>(i / 2 * 2) +
                        0.05f * static_cast<float>(i % 3),
                    (i % 2 == 0 ? 0.6f : -0.7f) + 0.03f * static_cast<float>(i));
            }
            break;
    }
    return result;
}

class PrimitiveAssemblyDrawTest : public GLTest,
                                  public ::testing::WithParamInterface<PrimitiveMode> {
protected:
    static std::vector<uint8_t> drawn(GLenum mode, const std::vector<Corner>& vertices,
                                      const std::vector<uint32_t>& order, GLenum shading);
};

std::vector<uint8_t> PrimitiveAssemblyDrawTest::drawn(GLenum mode,
                                                      const std::vector<Corner>& vertices,
                                                      const std::vector<uint32_t>& order,
                                                      GLenum shading) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glShadeModel(shading);
    // Back faces in red outline, so a triangle that turns over shows.
    glPolygonMode(GL_FRONT, GL_FILL);
    glPolygonMode(GL_BACK, GL_POINT);
    glBegin(mode);
    for (const uint32_t i : order) {
        glColor3fv(vertices[i].colour.data());
        glVertex2f(vertices[i].x, vertices[i].y);
    }
    glEnd();
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glShadeModel(GL_SMOOTH);
    return context().readPixels();
}

TEST_P(PrimitiveAssemblyDrawTest, TheTrianglesDrawWhatTheModeDraws) {
    const PrimitiveMode mode = GetParam();
    const std::vector<Corner> vertices = corners(mode);
    std::vector<uint32_t> all;
    for (uint32_t i = 0; i < vertices.size(); ++i) {
        all.push_back(i);
    }
    const std::vector<uint32_t> triangles = assemble(mode, static_cast<uint32_t>(vertices.size()));
    ASSERT_FALSE(triangles.empty());
    for (const GLenum shading : {GL_FLAT, GL_SMOOTH}) {
        const std::vector<uint8_t> reference =
            drawn(static_cast<GLenum>(mode), vertices, all, shading);
        ASSERT_GT(
            std::count_if(reference.begin(), reference.end(), [](uint8_t v) { return v > 0; }),
            10000);
        EXPECT_TRUE(drawn(GL_TRIANGLES, vertices, triangles, shading) == reference)
            << (shading == GL_FLAT ? "flat" : "smooth");
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFilledMode, PrimitiveAssemblyDrawTest,
                         ::testing::Values(PrimitiveMode::Triangles, PrimitiveMode::TriangleStrip,
                                           PrimitiveMode::TriangleFan, PrimitiveMode::Quads,
                                           PrimitiveMode::QuadStrip, PrimitiveMode::Polygon));

}  // namespace
