#pragma once
// The program's only window: full screen on the desktop, cursor hidden while it exists, and a
// message pump that never blocks; or, when asked before create, an ordinary resizable window.
// Messages reach the object through handleMessage, which a derived window overrides; this base
// class handles none of them.

#include <cstdint>
#include <memory>

#include "resources/string.h"

enum class MessageType { KeyDown, KeyUp, Close, Other };

struct WindowMessage {
    MessageType type;
    uint32_t code;  // virtual-key code of a key message; 0 otherwise
};

// Virtual-key codes of the keys the program knows by name: letters as their upper-case codes,
// digits, space, Escape, Return, Backspace, Tab, arrows and F1..F12 as on Windows. A backend
// maps every other key to a code of kKeyCodeCount or more.
constexpr uint32_t kKeyEscape = 27;
constexpr uint32_t kKeyCodeCount = 256;  // codes at or above this are not keys of the table

class Window {
public:
    // What the platform backend keeps of its window; only the backend sees inside.
    struct Native;

    Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    // Opens a full-screen window on the desktop at its current mode; width x height is the
    // size it falls back to where full screen is refused, and the size of a resizable one.
    // The title is only borrowed. From then on the platform's requests to end the program
    // (on a desktop: Ctrl-C, kill, a closed terminal) arrive as a close request.
    virtual bool create(int32_t width, int32_t height, const String& title);
    // Makes the next create open a resizable window, cursor shown, instead of full screen.
    void setResizable(bool resizable) { wantResizable = resizable; }
    virtual void destroy();
    // Hands every pending message to handleMessage and returns without waiting.
    virtual void pumpMessages();
    // True when the message was handled.
    virtual bool handleMessage(const WindowMessage& message);

    void setTitle(const char* title);
    // The size of the window's drawable area in pixels (larger than its size on high-DPI
    // screens).
    void drawableSize(int32_t& width, int32_t& height) const;
    // Null while the window is not open.
    Native* native() const { return handle.get(); }

private:
    std::unique_ptr<Native> handle;
    bool wantResizable = false;
};
