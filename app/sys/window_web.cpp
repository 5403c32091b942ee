// The window in a browser: the page's canvas. Its drawing buffer follows the canvas's size on
// the page times the device's pixel ratio, at most 4K; keys come from the page's key events,
// and the title is the document's.

#include <emscripten/html5.h>

#include <vector>

#include "app/sys/window.h"
#include "base/picture.h"

namespace {

constexpr const char* kCanvas = "#canvas";
// The drawing buffer for the canvas's size on the page: device pixels, at most 4K.
SurfaceSize bufferSizeFor(double cssWidth, double cssHeight) {
    const double ratio = emscripten_get_device_pixel_ratio();
    return cappedSurfaceSize(cssWidth * ratio, cssHeight * ratio);
}

// NOTE: a browser's keyCode is the Windows virtual-key code for every key the program names.
uint32_t virtualKeyCode(const EmscriptenKeyboardEvent& event) {
    return event.keyCode > 0 && event.keyCode < kKeyCodeCount
               ? event.keyCode
               : kKeyCodeCount + (event.keyCode & 0xFFFF);
}

}  // namespace

struct Window::Native {
    std::vector<WindowMessage> pending;  // what the page sent since the last pump
};

namespace {

EM_BOOL onKey(int eventType, const EmscriptenKeyboardEvent* event, void* data) {
    auto* native = static_cast<Window::Native*>(data);
    // A held key repeats in the browser; a desktop's key table sees one press.
    if (event->repeat) {
        return EM_TRUE;
    }
    const MessageType type =
        eventType == EMSCRIPTEN_EVENT_KEYDOWN ? MessageType::KeyDown : MessageType::KeyUp;
    native->pending.push_back({type, virtualKeyCode(*event)});
    // The page must not scroll on space or the arrows, which the player takes.
    return EM_TRUE;
}

void followPageSize() {
    double cssWidth = 0.0;
    double cssHeight = 0.0;
    if (emscripten_get_element_css_size(kCanvas, &cssWidth, &cssHeight) !=
        EMSCRIPTEN_RESULT_SUCCESS) {
        return;
    }
    const SurfaceSize wanted = bufferSizeFor(cssWidth, cssHeight);
    int32_t width = 0;
    int32_t height = 0;
    emscripten_get_canvas_element_size(kCanvas, &width, &height);
    if (wanted.width != width || wanted.height != height) {
        emscripten_set_canvas_element_size(kCanvas, wanted.width, wanted.height);
    }
}

}  // namespace

Window::Window() = default;

Window::~Window() {
    destroy();
}

bool Window::create(int32_t, int32_t, const String& title) {
    double cssWidth = 0.0;
    double cssHeight = 0.0;
    if (emscripten_get_element_css_size(kCanvas, &cssWidth, &cssHeight) !=
        EMSCRIPTEN_RESULT_SUCCESS) {
        return false;
    }
    handle = std::make_unique<Native>();
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, handle.get(), EM_TRUE, onKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, handle.get(), EM_TRUE, onKey);
    followPageSize();
    setTitle(title.c_str());
    return true;
}

void Window::destroy() {
    if (!handle) {
        return;
    }
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    handle.reset();
}

void Window::pumpMessages() {
    if (!handle) {
        return;
    }
    followPageSize();
    std::vector<WindowMessage> messages;
    messages.swap(handle->pending);
    for (const WindowMessage& message : messages) {
        handleMessage(message);
    }
}

bool Window::handleMessage(const WindowMessage&) {
    return false;
}

void Window::setTitle(const char* title) {
    if (handle) {
        emscripten_set_window_title(title);
    }
}

void Window::drawableSize(int32_t& width, int32_t& height) const {
    width = 0;
    height = 0;
    if (handle) {
        emscripten_get_canvas_element_size(kCanvas, &width, &height);
    }
}
