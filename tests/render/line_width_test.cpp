// Lines are as wide at any picture size as at 800x600, measured in the picture: a smoothed
// wireframe edge, drawn as the Deform scene draws its wireframe, is one pixel wide at 600 lines
// and as many pixels as the picture's height over 600 at 1200 and 2160 lines.

#include <gtest/gtest.h>

#include <string>

#include "app/sys/offscreen_context.h"
#include "base/gl.h"
#include "base/picture.h"
#include "render/projection.h"
#include "render/render_state.h"
#include "render/scene_object_drawing.h"
#include "resources/scene_object.h"

namespace {

// Two triangles of the square from (0.25, 0.25) to (0.75, 0.75) of the unit box.
Mesh squareMesh() {
    Mesh mesh;
    mesh.parts.resize(1);
    MeshPart& part = mesh.parts[0];
    part.vertices.resize(4);
    const float corners[4][2] = {{0.25f, 0.25f}, {0.75f, 0.25f}, {0.75f, 0.75f}, {0.25f, 0.75f}};
    for (uint32_t i = 0; i < 4; ++i) {
        part.vertices[i].x = corners[i][0];
        part.vertices[i].y = corners[i][1];
    }
    part.texCoords.resize(4);
    part.normals.resize(1);
    part.faces.resize(2);
    part.faces[0].a = 0;
    part.faces[0].b = 1;
    part.faces[0].c = 2;
    part.faces[1].a = 0;
    part.faces[1].b = 2;
    part.faces[1].c = 3;
    return mesh;
}

// The square's wireframe in white on black over the whole picture of a surface of that size;
// the width in pixels of its left edge, on a row below the middle, away from the diagonal: the
// sum of the edge's coverage across it.
double leftEdgeWidth(int32_t width, int32_t height) {
    OffscreenContext context;
    EXPECT_TRUE(context.create(width, height)) << context.error();
    const PictureLayout layout = layoutFor(width, height);
    setPictureLayout(layout);
    setBaseRenderState();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const Rectangle& area = layout.area;
    viewport = {area.x, area.y, area.width, area.height};
    setOrtho(viewport, 1, 1);
    SceneObject object;
    object.working = squareMesh();
    drawObjectWireframe(object, 1.0f);
    context.swap();
    const std::vector<uint8_t> pixels = context.readPixels();  // top row first

    const int32_t row = area.y + area.height * 6 / 10;
    const int32_t edge = area.x + area.width / 4;
    const auto reach = static_cast<int32_t>(8.0f * layout.scale) + 2;
    double coverage = 0.0;
    for (int32_t x = edge - reach; x <= edge + reach; ++x) {
        const size_t at = (static_cast<size_t>(row) * static_cast<size_t>(width) + x) * 3;
        coverage += pixels[at] / 255.0;
    }
    context.destroy();
    return coverage;
}

TEST(LineWidthTest, ALineScalesWithThePicturesHeight) {
    struct Size {
        int32_t width;
        int32_t height;
    };
    for (const Size size : {Size{800, 600}, Size{1600, 1200}, Size{3840, 2160}}) {
        const double expected = size.height / 600.0;
        // Measured to a hundredth of a pixel; half a pixel tells 2 from 1 at 1200 lines.
        EXPECT_NEAR(leftEdgeWidth(size.width, size.height), expected, 0.5)
            << size.width << "x" << size.height;
    }
    setPictureLayout(layoutFor(kPictureWidth, kPictureHeight));
}

}  // namespace
