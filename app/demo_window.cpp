#include "app/demo_window.h"

bool DemoWindow::create(int32_t width, int32_t height, const String& title) {
    keyDown.fill(false);
    running = Window::create(width, height, title);
    return running;
}

bool DemoWindow::handleMessage(const WindowMessage& message) {
    switch (message.type) {
        case MessageType::KeyDown:
            if (message.code < kKeyCodeCount) {
                keyDown[message.code] = true;
                if (message.code == kKeyEscape) {
                    running = false;
                }
            }
            return true;
        case MessageType::KeyUp:
            if (message.code < kKeyCodeCount) {
                keyDown[message.code] = false;
            }
            return true;
        case MessageType::Close:
            running = false;
            return true;
        case MessageType::Other:
            break;
    }
    return false;
}
