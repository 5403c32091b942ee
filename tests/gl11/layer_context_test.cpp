// The layer's own state, which needs no ES context: ES only receives it when something draws.

#include "gl11/layer_context.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LayerContextAttributes, PopRestoresEverythingThePushSavedButNotTheMatrices) {
    LayerContext context;
    context.setCapability(GL_BLEND, true);
    context.raster().blendSource = GL_SRC_ALPHA;
    context.colour(0.5f, 0.25f, 1.0f, 0.75f);
    context.raster().boundTexture = 7;
    context.pushAttributes(GL_ALL_ATTRIB_BITS);
    context.setCapability(GL_BLEND, false);
    context.setCapability(GL_LIGHTING, true);
    context.setCapability(GL_LIGHT0 + 3, true);
    context.raster().blendSource = GL_ONE;
    context.raster().boundTexture = 9;
    context.colour(1, 1, 1, 1);
    context.setPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    context.state().lineWidth = 4;
    context.setMatrixMode(GL_PROJECTION);
    context.multiplyMatrix(translationMatrix(1, 2, 3));
    context.popAttributes();

    EXPECT_TRUE(context.isEnabled(GL_BLEND));
    EXPECT_FALSE(context.isEnabled(GL_LIGHTING));
    EXPECT_FALSE(context.isEnabled(GL_LIGHT0 + 3));
    EXPECT_EQ(context.raster().blendSource, static_cast<GLenum>(GL_SRC_ALPHA));
    EXPECT_EQ(context.raster().boundTexture, 7u);
    EXPECT_FALSE(context.state().polygonLines);
    EXPECT_FLOAT_EQ(context.state().lineWidth, 1.0f);
    GLfloat colour[4] = {};
    context.getFloats(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[1], 0.25f);
    GLint mode = 0;
    context.getIntegers(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);  // the matrix mode is saved state...
    GLfloat projection[16] = {};
    context.getFloats(GL_PROJECTION_MATRIX, projection);
    EXPECT_FLOAT_EQ(projection[12], 1.0f);  // ...the matrices are not
}

TEST(LayerContextAttributes, APopOfAnEmptyStackOrAPushPastItsDepthChangesNothing) {
    LayerContext context;
    context.popAttributes();
    EXPECT_FALSE(context.isEnabled(GL_BLEND));
    for (int i = 0; i < 40; ++i) {
        context.pushAttributes(GL_ALL_ATTRIB_BITS);
    }
    context.setCapability(GL_FOG, true);
    for (int i = 0; i < 40; ++i) {
        context.popAttributes();
    }
    EXPECT_FALSE(context.isEnabled(GL_FOG));
}

// While GL_COLOR_MATERIAL is on the material follows the current colour, from the moment it
// goes on; once off, the material keeps what the colour last wrote.
TEST(LayerContextLighting, ColourMaterialWritesTheCurrentColourIntoTheMaterial) {
    LayerContext context;
    context.colour(0.1f, 0.2f, 0.3f, 0.4f);
    const MaterialState& material = context.state().lighting.material;
    EXPECT_FLOAT_EQ(material.diffuse[0], 0.8f);
    context.setCapability(GL_COLOR_MATERIAL, true);
    EXPECT_FLOAT_EQ(material.diffuse[0], 0.1f);
    EXPECT_FLOAT_EQ(material.ambient[3], 0.4f);
    context.colour(0.9f, 0.9f, 0.9f, 1.0f);
    context.setCapability(GL_COLOR_MATERIAL, false);
    context.colour(0.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(material.ambient[0], 0.9f);
    EXPECT_FLOAT_EQ(material.specular[0], 0.0f);
}

TEST(LayerContextLighting, ALightsPositionIsTakenToEyeSpaceWhenGiven) {
    LayerContext context;
    context.multiplyMatrix(translationMatrix(0, 0, -5));
    const GLfloat position[4] = {1, 2, 3, 1};
    context.setLight(GL_LIGHT0 + 1, GL_POSITION, position);
    context.loadMatrix(identityMatrix());
    const Vector4& eye = context.state().lighting.lights[1].position;
    EXPECT_FLOAT_EQ(eye[2], -2.0f);
    EXPECT_FLOAT_EQ(eye[3], 1.0f);
}

// In a release build the call is ignored and named on stderr; a debug build stops at it.
TEST(LayerContextCalls, AValueOutsideTheImplementedOnesIsNamedAndChangesNothing) {
    LayerContext context;
    constexpr GLenum kLineStipple = 0x0B24;
    ::testing::internal::CaptureStderr();
    context.setCapability(kLineStipple, true);
    context.setTexGen(GL_S, GL_TEXTURE_GEN_MODE, 0x2401);  // GL_OBJECT_LINEAR
    context.setPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("glEnable does not implement 0x0B24"), std::string::npos) << said;
    EXPECT_NE(said.find("glTexGeni does not implement 0x2401"), std::string::npos) << said;
    EXPECT_NE(said.find("glPolygonMode does not implement 0x1B00"), std::string::npos) << said;
    EXPECT_EQ(context.state().texturing.modeS, TexGenMode::EyeLinear);
    EXPECT_FALSE(context.state().polygonLines);
}

TEST(LayerContextArrays, InterleavedArraysSetTheirPointersAndAClientPopRestoresThem) {
    LayerContext context;
    context.setClientArray(GL_COLOR_ARRAY, true);
    context.pushClientAttributes(GL_CLIENT_VERTEX_ARRAY_BIT);
    const float vertices[10] = {};
    context.interleavedArrays(GL_T2F_V3F, 0, vertices);
    const ClientArrayState& arrays = context.clientState();
    EXPECT_TRUE(arrays.vertex.enabled);
    EXPECT_EQ(arrays.vertex.stride, 20);
    EXPECT_EQ(arrays.vertex.pointer, static_cast<const void*>(vertices + 2));
    EXPECT_EQ(arrays.texCoord.size, 2);
    EXPECT_FALSE(arrays.colour.enabled);
    context.popClientAttributes();
    EXPECT_FALSE(arrays.vertex.enabled);
    EXPECT_TRUE(arrays.colour.enabled);
}

}  // namespace
