#include "tools/capture/pinned_renderer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

// The variables as they were, put back after each test.
class PinnedRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const RendererSetting& setting : pinnedRendererSettings()) {
            const char* value = std::getenv(setting.name.c_str());
            saved.push_back(value != nullptr ? std::optional<std::string>(value) : std::nullopt);
        }
    }
    void TearDown() override {
        const std::vector<RendererSetting> settings = pinnedRendererSettings();
        for (size_t i = 0; i < settings.size(); ++i) {
            if (saved[i]) {
                setenv(settings[i].name.c_str(), saved[i]->c_str(), 1);
            } else {
                unsetenv(settings[i].name.c_str());
            }
        }
    }
    std::vector<std::optional<std::string>> saved;
};

TEST_F(PinnedRendererTest, PinsLlvmpipeAtItsWidestVectorsThroughMesasOwnEgl) {
    std::vector<std::string> pairs;
    for (const RendererSetting& setting : pinnedRendererSettings()) {
        pairs.push_back(setting.name + "=" + setting.value);
    }
    EXPECT_EQ(pairs,
              (std::vector<std::string>{
                  "LIBGL_ALWAYS_SOFTWARE=1",
                  "LP_NATIVE_VECTOR_WIDTH=256",
                  "__EGL_VENDOR_LIBRARY_FILENAMES=/usr/share/glvnd/egl_vendor.d/50_mesa.json",
              }));
}

TEST_F(PinnedRendererTest, ReplacesWhatTheEnvironmentSaysAndPrintsWhatItPinned) {
    // What a machine with 128-bit vectors and a GPU's vendor file first would otherwise use.
    setenv("LP_NATIVE_VECTOR_WIDTH", "128", 1);
    setenv("__EGL_VENDOR_LIBRARY_FILENAMES", "/usr/share/glvnd/egl_vendor.d/10_nvidia.json", 1);
    unsetenv("LIBGL_ALWAYS_SOFTWARE");
    std::string error;
    ASSERT_TRUE(pinRenderer(error)) << error;  // Mesa's EGL is installed wherever this builds
    std::string described;
    for (const RendererSetting& setting : pinnedRendererSettings()) {
        const char* value = std::getenv(setting.name.c_str());
        ASSERT_NE(value, nullptr) << setting.name;
        EXPECT_EQ(value, setting.value) << setting.name;
        described += "pinned " + setting.name + "=" + setting.value + "\n";
    }
    EXPECT_EQ(describePinnedRenderer(), described);
}

}  // namespace
