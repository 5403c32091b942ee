// The laboratory scene rendered alone from the generated data tree: its files, its pictures
// over the tour, the wireframe and the glow.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/demo.h"
#include "app/sys/offscreen_context.h"
#include "render/projection.h"
#include "base/gl.h"
#include "resources/animation_track.h"
#include "resources/config_file.h"
#include "resources/image_loader.h"
#include "resources/mesh.h"
#include "resources/text_file.h"
#include "resources/texture_table.h"
#include "scenes/deform.h"
#include "tests/support/frame_probe.h"
#include "tests/support/generated_tree.h"

namespace {

class DeformFramesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        enterGeneratedTree(context);
        if (HasFatalFailure()) {
            return;
        }
        scene = new EDeform;
        scene->load();
    }
    static void TearDownTestSuite() {
        delete scene;
        leaveGeneratedTree(context);
    }

    // The scene drawn straight onto the screen at scene time t.
    static Frame frameAt(float t, float dt) {
        viewport = {0, 0, kPictureWidth, kPictureHeight};
        scene->render(t, dt);
        context.swap();
        return context.readPixels();
    }
    static int64_t differingPixels(const Frame& a, const Frame& b) {
        int64_t count = 0;
        for (size_t i = 0; i < a.size(); i += 3) {
            count += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
        }
        return count;
    }

    // New pixels for an uploaded picture, of which only the GL keeps a copy.
    static void repaint(const Texture& texture, const uint8_t* pixels) {
        const Image& image = *texture.picture();
        const GLenum format = image.components == 4 ? GL_RGBA : GL_RGB;
        glBindTexture(GL_TEXTURE_2D, texture.name());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(format), image.width, image.height,
                          format, GL_UNSIGNED_BYTE, pixels);
    }

    static OffscreenContext context;
    static EDeform* scene;
};

OffscreenContext DeformFramesTest::context;
EDeform* DeformFramesTest::scene = nullptr;

TEST_F(DeformFramesTest, EveryFileTheConfigurationsNameLoads) {
    for (const DataFile& object : kDeformObjects) {
        const char* file = object.name;
        SCOPED_TRACE(file);
        ConfigFile config;
        ASSERT_EQ(config.load(file), 0);
        Mesh mesh;
        ASSERT_TRUE(loadMesh(mesh, config.get(kObjectFileKey, "").c_str()));
        ASSERT_GT(mesh.parts.size(), 0u);
        EXPECT_GT(mesh.parts[0].faces.size(), 0u);
        for (const char* key : {kTextureFileKey, kEnvironmentFileKey}) {
            const std::string picture = config.get(key, "");
            if (!picture.empty()) {
                EXPECT_NE(loadImage(picture.c_str()), nullptr) << picture;
            }
        }
        const std::string animation = config.get(kAnimationFileKey, "");
        if (!animation.empty()) {
            AnimationTrack track;
            EXPECT_TRUE(track.load(animation.c_str()));
            EXPECT_GT(track.keys.size(), 1u);
        }
    }
    EXPECT_GT(scene->tourPath.keys.size(), 300u);
    EXPECT_GT(scene->wireCurve.points.size(), 4u);
}

TEST_F(DeformFramesTest, TheSameTimeGivesTheSamePictureWhateverTheFrameTime) {
    const Frame slow = frameAt(30.0f, 0.1f);
    EXPECT_EQ(frameAt(30.0f, 0.001f), slow);
    frameAt(61.0f, 0.02f);
    EXPECT_EQ(frameAt(30.0f, 0.5f), slow);
}

TEST_F(DeformFramesTest, TheWireframeShowsOnlyWhileItsCurveIsAboveZero) {
    const Curve authored = scene->wireCurve;
    const float shown = 20.0f;   // past the window
    const float hidden = 40.0f;  // in the passage
    ASSERT_GT(scene->wireCurve.valueAt(shown), 0.0f);
    ASSERT_EQ(scene->wireCurve.valueAt(hidden), 0.0f);
    const Frame withWire = frameAt(shown, 0.02f);
    const Frame plain = frameAt(hidden, 0.02f);
    scene->wireCurve.loadLines(splitLines("0 0\n80 0\n"));
    EXPECT_GT(differingPixels(withWire, frameAt(shown, 0.02f)), 2000);
    EXPECT_EQ(frameAt(hidden, 0.02f), plain);
    scene->wireCurve = authored;
}

TEST_F(DeformFramesTest, TheEndOfTheTourLooksAtAGlowingSlinky) {
    const float end = 77.0f;
    const Frame lit = frameAt(end, 0.02f);
    // The same view with the slinky's picture black: its glow adds nothing then.
    const Texture& picture = scene->objects[kSlinkyObject].texture;
    ConfigFile config;
    config.load(kDeformObjects[kSlinkyObject].name);
    const std::unique_ptr<Image> colours = loadImage(config.get(kTextureFileKey, "").c_str());
    ASSERT_TRUE(colours);
    const std::vector<uint8_t> black(static_cast<size_t>(colours->byteCount()), 0);
    repaint(picture, black.data());
    const Frame dark = frameAt(end, 0.02f);
    repaint(picture, colours->data);
    // The glow brightens a broad area round the slinky in the middle of the picture.
    const Colour glowing = areaMean(lit, kPictureWidth / 2, kPictureHeight / 2, 60);
    const Colour unlit = areaMean(dark, kPictureWidth / 2, kPictureHeight / 2, 60);
    EXPECT_GT(distance(glowing, unlit), 90.0);
    EXPECT_GT(differingPixels(lit, dark), kPictureWidth * kPictureHeight / 8);
}

}  // namespace

namespace {

TEST_F(DeformFramesTest, UnloadDeletesTheObjectsTexturesWhileTheContextLives) {
    EDeform second;
    second.load();
    std::vector<GLuint> names;
    for (const SceneObject& object : second.objects) {
        for (const Texture* texture : {&object.texture, &object.environment}) {
            if (texture->name() != 0) {
                names.push_back(texture->name());
            }
        }
    }
    ASSERT_GT(names.size(), 10u);
    for (const GLuint name : names) {
        EXPECT_TRUE(glIsTexture(name)) << name;
    }
    second.unload();
    for (const SceneObject& object : second.objects) {
        EXPECT_EQ(object.texture.name(), 0u);
        EXPECT_EQ(object.environment.name(), 0u);
    }
    for (const GLuint name : names) {
        EXPECT_FALSE(glIsTexture(name)) << name;
    }
}

}  // namespace
