#pragma once
// The demo's window: a table of held keys, and the running flag the main loop tests. Escape
// and a close request clear the flag; the window itself stays until shutdown destroys it.

#include <array>

#include "app/sys/window.h"

class DemoWindow : public Window {
public:
    // Clears the key table, opens the window; running becomes the result.
    bool create(int32_t width, int32_t height, const String& title) override;
    bool handleMessage(const WindowMessage& message) override;

    std::array<bool, kKeyCodeCount> keyDown = {};
    bool running = false;
};
