#include "app/demo_window.h"

#include <gtest/gtest.h>

#include "app/sys/window_sdl.h"

namespace {

// The window is never opened: messages are handed to it as the pump would.
class DemoWindowTest : public ::testing::Test {
protected:
    void SetUp() override { window.running = true; }
    DemoWindow window;
};

TEST_F(DemoWindowTest, EscapeStopsAndItsReleaseClearsTheKey) {
    EXPECT_TRUE(window.handleMessage({MessageType::KeyDown, kKeyEscape}));
    EXPECT_TRUE(window.keyDown[27]);
    EXPECT_FALSE(window.running);
    EXPECT_TRUE(window.handleMessage({MessageType::KeyUp, kKeyEscape}));
    EXPECT_FALSE(window.keyDown[27]);
}

TEST_F(DemoWindowTest, OtherKeysAreRecordedButKeepTheDemoRunning) {
    EXPECT_TRUE(window.handleMessage({MessageType::KeyDown, 'A'}));
    EXPECT_TRUE(window.keyDown['A']);
    EXPECT_TRUE(window.running);
    window.handleMessage({MessageType::KeyUp, 'A'});
    EXPECT_FALSE(window.keyDown['A']);
}

TEST_F(DemoWindowTest, CodesBeyondTheTableAreIgnored) {
    const std::array<bool, kKeyCodeCount> none = {};
    EXPECT_TRUE(window.handleMessage({MessageType::KeyDown, 256}));
    EXPECT_TRUE(window.handleMessage({MessageType::KeyDown, 0xFFFFFFFFu}));
    EXPECT_TRUE(window.handleMessage({MessageType::KeyUp, 300}));
    EXPECT_EQ(window.keyDown, none);
    EXPECT_TRUE(window.running);
}

TEST_F(DemoWindowTest, CloseRequestStopsTheDemo) {
    EXPECT_TRUE(window.handleMessage({MessageType::Close, 0}));
    EXPECT_FALSE(window.running);
}

TEST_F(DemoWindowTest, OtherMessagesAreLeftUnhandled) {
    EXPECT_FALSE(window.handleMessage({MessageType::Other, 0}));
    EXPECT_TRUE(window.running);
}

TEST(VirtualKeyCode, MapsSdlKeysToWindowsCodes) {
    EXPECT_EQ(virtualKeyCode(SDLK_ESCAPE), 27u);
    EXPECT_EQ(virtualKeyCode(SDLK_a), static_cast<uint32_t>('A'));
    EXPECT_EQ(virtualKeyCode(SDLK_z), static_cast<uint32_t>('Z'));
    EXPECT_EQ(virtualKeyCode(SDLK_0), static_cast<uint32_t>('0'));
    EXPECT_EQ(virtualKeyCode(SDLK_SPACE), 32u);
    EXPECT_EQ(virtualKeyCode(SDLK_RETURN), 13u);
    EXPECT_EQ(virtualKeyCode(SDLK_LEFT), 37u);
    EXPECT_EQ(virtualKeyCode(SDLK_DOWN), 40u);
    EXPECT_EQ(virtualKeyCode(SDLK_F1), 112u);
    EXPECT_EQ(virtualKeyCode(SDLK_F12), 123u);
    EXPECT_GE(virtualKeyCode(SDLK_LSHIFT), kKeyCodeCount);
    EXPECT_GE(virtualKeyCode(SDLK_KP_5), kKeyCodeCount);
}

}  // namespace
