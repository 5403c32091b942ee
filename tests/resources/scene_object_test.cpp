#include "resources/scene_object.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// Applies an object's transform to a point, as GL would.
Vector3 transformed(const Matrix4& m, const Vector3& p) {
    return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
            m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
            m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
}

class SceneObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = fs::current_path();
        tree = fs::temp_directory_path() / ("zentrox-objects-" + std::to_string(::getpid()));
        fs::create_directories(tree / "Objects");
        fs::current_path(tree);
        std::ofstream("Objects/quad.rob") << "TROB\n1\nq\nm\n2\n"
                                             "2 0 3\n0 0\n1 5 1\n1 1\n0\n0\n";
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(tree);
    }
    void writeConfig(const std::string& text) { std::ofstream("object.cfg") << text; }
    fs::path previous;
    fs::path tree;
};

TEST_F(SceneObjectTest, OnlyAnObjectFileGivesAPlainStillObject) {
    writeConfig("ObjectFile \"Objects\\quad.rob\"\n");
    SceneObject object;
    object.load("object.cfg");
    EXPECT_EQ(object.working.parts.size(), 1u);
    EXPECT_FALSE(object.hasTexture);
    EXPECT_FALSE(object.hasEnvironment);
    EXPECT_FALSE(object.lit);
    EXPECT_FALSE(object.isDeforming);
    EXPECT_FALSE(object.castsShadow);
    EXPECT_TRUE(object.animation.loop);
    object.update(3.0f);
    const Vector3 p = transformed(object.working.transform, {1.0f, 2.0f, 3.0f});
    EXPECT_EQ(p.x, 1.0f);
    EXPECT_EQ(p.y, 2.0f);
    EXPECT_EQ(p.z, 3.0f);
    EXPECT_EQ(object.working.parts[0].vertices[0].x, 2.0f);
}

TEST_F(SceneObjectTest, ValuesAreCaseSensitive) {
    for (const char* mode : {"AF_CLEAN", "af_slink", "af_twist", ""}) {
        writeConfig(std::string("ObjectFile \"Objects/quad.rob\"\nAnimationMode \"") + mode +
                    "\"\nRenderShade \"yes\"\nAnimationLoop \"no\"\n");
        SceneObject object;
        object.load("object.cfg");
        EXPECT_FALSE(object.isDeforming) << mode;
        EXPECT_EQ(object.deformer, &deformNone);
        EXPECT_FALSE(object.lit);
        EXPECT_FALSE(object.animation.loop);
    }
}

TEST_F(SceneObjectTest, UnreadableConfigurationTakesEveryDefault) {
    SceneObject object;
    object.load("missing.cfg");
    EXPECT_TRUE(object.working.parts.empty());
    EXPECT_FALSE(object.working.loaded);
    EXPECT_TRUE(object.animation.loop);
    object.update(1.0f);
}

TEST_F(SceneObjectTest, SlinkKeepsYAndSwellsByTwoThirdsAtZero) {
    writeConfig("ObjectFile \"Objects/quad.rob\"\nAnimationMode \"AF_SLINK\"\n");
    SceneObject object;
    object.load("object.cfg");
    ASSERT_TRUE(object.isDeforming);
    object.update(0.0f);
    const MeshVertex& v = object.working.parts[0].vertices[0];  // at y = 0
    EXPECT_FLOAT_EQ(v.x, 2.0f * 1.66f);
    EXPECT_FLOAT_EQ(v.z, 3.0f * 1.66f);
    for (const float t : {0.3f, 1.7f, 42.0f}) {
        object.update(t);
        EXPECT_EQ(object.working.parts[0].vertices[1].y, 5.0f);
        EXPECT_EQ(object.source.parts[0].vertices[1].x, 1.0f);  // the source never changes
    }
}

TEST_F(SceneObjectTest, TwistMatchesItsMatrix) {
    writeConfig("ObjectFile \"Objects/quad.rob\"\nAnimationMode \"AF_TWIST\"\n");
    SceneObject object;
    object.load("object.cfg");
    object.update(0.5f);
    const float x = 1.0f, y = 5.0f, z = 1.0f, t = 0.5f;
    const float a = std::pow(std::cos(0.8f * t + 0.25f * y), 2.0f);
    const float b = std::pow(std::cos(0.25f * z + t), 2.0f);
    const float c = std::pow(std::cos(1.2f * t + 0.25f * x), 2.0f);
    const MeshVertex& v = object.working.parts[0].vertices[1];
    EXPECT_NEAR(v.x, std::cos(c) * x - std::sin(c) * y + std::sin(b) * z, 1e-5f);
    EXPECT_NEAR(v.y, std::sin(c) * x + std::cos(c) * y - std::sin(a) * z, 1e-5f);
    EXPECT_NEAR(v.z, -std::sin(b) * x + std::sin(a) * y + std::cos(b) * z, 1e-5f);
}

TEST_F(SceneObjectTest, RotationsWriteElementsRatherThanMultiply) {
    std::ofstream("Animations.txt") << "0 (10 20 30) (0 90 0) (1 1 1)\n"
                                       "1 (10 20 30) (0 0 90) (1 1 1)\n";
    writeConfig(
        "ObjectFile \"Objects/quad.rob\"\nAnimationFile \"Animations.txt\"\n"
        "AnimationLoop \"NO\"\n");
    SceneObject object;
    object.load("object.cfg");
    object.update(0.0f);
    Vector3 p = transformed(object.working.transform, {1.0f, 0.0f, 0.0f});
    EXPECT_NEAR(p.x - 10.0f, 1.0f, 1e-6f);
    EXPECT_NEAR(p.y - 20.0f, 0.0f, 1e-6f);
    EXPECT_NEAR(p.z - 30.0f, -1.0f, 1e-6f);  // (1, 0, 0) goes to (1, 0, -1): not a rotation
    object.update(1.0f);
    p = transformed(object.working.transform, {1.0f, 0.0f, 0.0f});
    EXPECT_NEAR(p.x - 10.0f, 0.0f, 1e-6f);
    EXPECT_NEAR(p.y - 20.0f, 1.0f, 1e-6f);
    EXPECT_NEAR(p.z - 30.0f, 0.0f, 1e-6f);
    EXPECT_EQ(object.source.transform, object.working.transform);
}

}  // namespace
