#include "app/scene_table.h"

#include <unistd.h>

#include <filesystem>

#include "resources/texture_table.h"
#include "support/gl_test.h"

namespace {

using SceneTableTest = GLTest;

TEST_F(SceneTableTest, SetupLoadsTheScenesAndMakesATargetForEach) {
    // An empty data tree: every picture is missing, and the demo goes on all the same.
    const std::filesystem::path previous = std::filesystem::current_path();
    const std::filesystem::path empty =
        std::filesystem::temp_directory_path() / ("zentrox-empty-" + std::to_string(::getpid()));
    std::filesystem::create_directories(empty);
    std::filesystem::current_path(empty);
    setupScenes(demoScenes());
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(empty);

    const std::span<const SceneEntry> scenes = demoScenes();
    ASSERT_EQ(scenes.size(), 4u);
    EXPECT_EQ(scenes[kWelcomeScene].scene, &welcomeScene);
    EXPECT_EQ(scenes[kDeformScene].scene, &deformScene);
    EXPECT_EQ(scenes[kTunnelScene].scene, &tunnelScene);
    EXPECT_EQ(scenes[kSoftfaceScene].scene, &softfaceScene);
    EXPECT_EQ(textureCount(), kSoftfaceTarget);
    for (int32_t number = 1; number <= kImageTextureCount; ++number) {
        EXPECT_EQ(textureEntry(number).name(), 0u) << number;
    }
    for (int32_t number = kBlurTarget; number <= kSoftfaceTarget; ++number) {
        const Image* picture = textureEntry(number).picture();
        ASSERT_NE(picture, nullptr) << number;
        EXPECT_EQ(picture->width, 512);
        EXPECT_EQ(picture->height, 512);
        EXPECT_EQ(picture->components, 4);
        EXPECT_NE(textureEntry(number).name(), 0u);
    }
    releaseTextureTable();
}

}  // namespace
