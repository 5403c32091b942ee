#include "gl11/vertex_pipeline.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Stage {
    LightingState lighting;
    TexturingState texturing;
    Matrix4 modelView = identityMatrix();

    ShadedVertex shade(const Vector4& position, const std::array<float, 3>& normal,
                       const Vector4& colour = {1, 1, 1, 1}) const {
        const VertexStage stage = {modelView, identityMatrix(), identityMatrix(), &lighting,
                                   &texturing};
        return VertexPipeline(stage).shade({position, colour, normal, {0, 0, 0, 1}});
    }
};

Stage litStage() {
    Stage stage;
    stage.lighting.enabled = true;
    stage.lighting.lights[0].enabled = true;  // white, shining along -z from +z
    return stage;
}

std::array<float, 3> tilted(float degrees) {
    const float radians = degrees * 3.14159265f / 180.0f;
    return {std::sin(radians), 0.0f, std::cos(radians)};
}

// With OpenGL's initial material and light model: 0.2 * 0.2 ambient plus 0.8 * n.l diffuse.
TEST(VertexPipelineLighting, FollowsLambertWithOpenGLsInitialMaterial) {
    const Stage stage = litStage();
    EXPECT_NEAR(stage.shade({0, 0, 0, 1}, {0, 0, 1}).colour[0], 0.84f, 1e-5f);
    EXPECT_NEAR(stage.shade({0, 0, 0, 1}, tilted(60)).colour[1], 0.44f, 1e-5f);
    EXPECT_NEAR(stage.shade({0, 0, 0, 1}, tilted(120)).colour[2], 0.04f, 1e-5f);
    EXPECT_FLOAT_EQ(stage.shade({0, 0, 0, 1}, tilted(120)).colour[3], 1.0f);
}

TEST(VertexPipelineLighting, ColourMaterialLightsWithEachVertexsColourAndClamps) {
    Stage stage = litStage();
    stage.lighting.colourMaterial = true;
    const Vector4 colour = stage.shade({0, 0, 0, 1}, {0, 0, 1}, {1, 0.5f, 0, 0.25f}).colour;
    EXPECT_FLOAT_EQ(colour[0], 1.0f);     // 0.2 + 1.0, clamped
    EXPECT_NEAR(colour[1], 0.6f, 1e-5f);  // 0.1 + 0.5
    EXPECT_FLOAT_EQ(colour[2], 0.0f);
    EXPECT_FLOAT_EQ(colour[3], 0.25f);  // the diffuse alpha
}

TEST(VertexPipelineLighting, SpecularPeaksWhereTheNormalIsTheHalfVector) {
    Stage stage = litStage();
    stage.lighting.material.diffuse = {0, 0, 0, 1};
    stage.lighting.material.ambient = {0, 0, 0, 1};
    stage.lighting.material.specular = {1, 1, 1, 1};
    stage.lighting.material.shininess = 25;
    stage.lighting.lights[0].position = {1, 0, 0, 0};  // from +x: h lies at 45 degrees
    EXPECT_NEAR(stage.shade({0, 0, 0, 1}, tilted(45)).colour[0], 1.0f, 1e-5f);
    const float off = std::pow(std::cos(10.0f * 3.14159265f / 180.0f), 25.0f);
    EXPECT_NEAR(stage.shade({0, 0, 0, 1}, tilted(55)).colour[0], off, 1e-4f);
    // A surface facing away from the light has no highlight, whatever its half vector.
    EXPECT_FLOAT_EQ(stage.shade({0, 0, 0, 1}, tilted(-60)).colour[0], 0.0f);
}

// A scaled model-view scales normals by its inverse; GL_NORMALIZE restores their length.
TEST(VertexPipelineLighting, NormalsScaleWithTheModelViewUnlessNormalised) {
    Stage stage = litStage();
    stage.modelView = scalingMatrix(2, 2, 2);
    EXPECT_NEAR(stage.shade({0, 0, 0, 1}, {0, 0, 1}).colour[0], 0.44f, 1e-5f);
    stage.lighting.normalize = true;
    EXPECT_NEAR(stage.shade({0, 0, 0, 1}, {0, 0, 1}).colour[0], 0.84f, 1e-5f);
}

TEST(VertexPipelineTexGen, SphereMapReflectsTheViewAboutTheNormal) {
    Stage stage;
    stage.texturing.enabled = true;
    stage.texturing.generateS = stage.texturing.generateT = true;
    stage.texturing.modeS = stage.texturing.modeT = TexGenMode::SphereMap;
    // Looking straight at a surface facing the eye: the map's centre.
    const Vector4 centre = stage.shade({0, 0, -1, 1}, {0, 0, 1}).texCoord;
    EXPECT_NEAR(centre[0], 0.5f, 1e-6f);
    EXPECT_NEAR(centre[1], 0.5f, 1e-6f);
    // A surface at 45 degrees reflects the view along +x: s = 1 / (2 sqrt 2) + 1/2.
    const float half = std::sqrt(0.5f);
    const Vector4 side = stage.shade({0, 0, -1, 1}, {half, 0, half}).texCoord;
    EXPECT_NEAR(side[0], 0.5f + 1.0f / (2.0f * std::sqrt(2.0f)), 1e-5f);
    EXPECT_NEAR(side[1], 0.5f, 1e-6f);
    EXPECT_FLOAT_EQ(side[3], 1.0f);
}

TEST(VertexPipelineTexGen, EyeLinearTakesTheEyePositionAndOnlyTheGeneratedCoordinates) {
    Stage stage;
    stage.modelView = translationMatrix(1, 2, 3);
    stage.texturing.enabled = true;
    stage.texturing.generateS = true;  // t stays as given
    const Vector4 texCoord = stage.shade({0.5f, 0, 0, 1}, {0, 0, 1}).texCoord;
    EXPECT_FLOAT_EQ(texCoord[0], 1.5f);
    EXPECT_FLOAT_EQ(texCoord[1], 0.0f);
}

TEST(VertexPipelineFog, TheFogCoordinateIsTheEyeDepthsMagnitude) {
    Stage stage;
    stage.modelView = translationMatrix(3, 4, -5);
    EXPECT_FLOAT_EQ(stage.shade({0, 0, -1, 1}, {0, 0, 1}).fogCoord, 6.0f);
    EXPECT_FLOAT_EQ(stage.shade({0, 0, 7, 1}, {0, 0, 1}).fogCoord, 2.0f);
}

}  // namespace
