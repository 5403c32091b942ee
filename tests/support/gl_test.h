#pragma once
// A test fixture with a current offscreen OpenGL context and the demo's 800x600 surface bound.
// One context serves the whole test program; each test starts from a cleared surface.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "app/sys/offscreen_context.h"

class GLTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;

    static OffscreenContext& context();
    // RGB of the pixel at (x, y), y counted from the bottom as GL does.
    static std::array<uint8_t, 3> pixelAt(int32_t x, int32_t y);
};
