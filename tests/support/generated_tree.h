#pragma once
// The frame tests' setting: the generated data tree as the working folder, as the demo has it,
// and an offscreen context with the demo's render state and texture table prepared.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/demo.h"
#include "app/scene_table.h"
#include "app/sys/offscreen_context.h"
#include "resources/texture_table.h"

inline void enterGeneratedTree(OffscreenContext& context) {
    ASSERT_TRUE(std::filesystem::is_directory(ZENTROX_GENERATED_DATA));
    std::filesystem::current_path(ZENTROX_GENERATED_DATA);
    ASSERT_TRUE(context.create()) << context.error();
    startDemo(demoTimeline(), 1);
}

inline void leaveGeneratedTree(OffscreenContext& context) {
    releaseScenes(demoScenes());
    context.destroy();
}
