#include "app/scene_registry.h"

#include <unistd.h>

#include <filesystem>

#include "resources/texture_table.h"
#include "support/gl_test.h"

namespace {

using SceneRegistryTest = GLTest;

TEST_F(SceneRegistryTest, SetupRegistersTheScenesInLoadOrderAndMakesTheTargets) {
    // An empty data tree: every picture is missing, and the demo goes on all the same.
    const std::filesystem::path previous = std::filesystem::current_path();
    const std::filesystem::path empty =
        std::filesystem::temp_directory_path() / ("zentrox-empty-" + std::to_string(::getpid()));
    std::filesystem::create_directories(empty);
    std::filesystem::current_path(empty);
    setupScenes();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(empty);

    ASSERT_EQ(sceneRegistry.size(), 4u);
    EXPECT_EQ(sceneRegistry[kWelcomeScene], &welcomeScene);
    EXPECT_EQ(sceneRegistry[kDeformScene], &deformScene);
    EXPECT_EQ(sceneRegistry[kTunnelScene], &tunnelScene);
    EXPECT_EQ(sceneRegistry[kSoftfaceScene], &softfaceScene);
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
