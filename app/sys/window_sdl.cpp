#include "app/sys/window_sdl.h"

#include <array>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "app/sys/quiet_stderr.h"

namespace {

struct KeyRange {
    SDL_Keycode first;
    SDL_Keycode last;
    uint32_t firstCode;
};

// NOTE: SDL reports letters as lower-case ASCII symbols; the program's codes are the
// upper-case ones, as Windows sends them.
constexpr std::array<KeyRange, 3> kKeyRanges = {{
    {SDLK_a, SDLK_z, 'A'},
    {SDLK_0, SDLK_9, '0'},
    {SDLK_F1, SDLK_F12, 112},
}};

struct KeyPair {
    SDL_Keycode key;
    uint32_t code;
};

constexpr std::array<KeyPair, 10> kKeyPairs = {{
    {SDLK_BACKSPACE, 8},
    {SDLK_TAB, 9},
    {SDLK_RETURN, 13},
    {SDLK_ESCAPE, kKeyEscape},
    {SDLK_SPACE, 32},
    {SDLK_LEFT, 37},
    {SDLK_UP, 38},
    {SDLK_RIGHT, 39},
    {SDLK_DOWN, 40},
    {SDLK_DELETE, 46},
}};

// Set by SIGINT, SIGTERM and SIGHUP; the message pump turns it into a close request, so that
// Ctrl-C, `kill` and a closed terminal all end the run with the normal shutdown and exit 0.
volatile std::sig_atomic_t stopRequested = 0;

extern "C" void requestStop(int) {
    stopRequested = 1;
}

// NOTE: our own handlers rather than SDL's, which cover SIGINT and SIGTERM only. SIGPIPE is
// ignored: an audio device or pipe that goes away makes a write fail, not end the program.
void catchStopSignals() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    struct sigaction action = {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
    std::signal(SIGPIPE, SIG_IGN);
}

// Whether SDL found a display to show the window on. Without one it falls back to drivers
// that show nothing ("offscreen", "dummy"), and the demo would play unseen; such a driver counts
// only when asked for by name through SDL_VIDEODRIVER.
bool showsAnything() {
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (driver == nullptr) {
        return false;
    }
    const bool unseen = std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
    return !unseen || (asked != nullptr && std::strstr(asked, driver) != nullptr);
}

WindowMessage translate(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
            return {MessageType::KeyDown, virtualKeyCode(event.key.keysym.sym)};
        case SDL_KEYUP:
            return {MessageType::KeyUp, virtualKeyCode(event.key.keysym.sym)};
        case SDL_QUIT:
            return {MessageType::Close, 0};
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                return {MessageType::Close, 0};
            }
            break;
        default:
            break;
    }
    return {MessageType::Other, 0};
}

}  // namespace

uint32_t virtualKeyCode(int32_t sdlKey) {
    for (const KeyRange& range : kKeyRanges) {
        if (sdlKey >= range.first && sdlKey <= range.last) {
            return range.firstCode + static_cast<uint32_t>(sdlKey - range.first);
        }
    }
    for (const KeyPair& pair : kKeyPairs) {
        if (pair.key == sdlKey) {
            return pair.code;
        }
    }
    return kKeyCodeCount + static_cast<uint32_t>(sdlKey & 0xFFFF);
}

Window::Window() = default;

Window::~Window() = default;

bool Window::create(int32_t width, int32_t height, const String& title) {
    catchStopSignals();
    {
        const QuietStderr quiet;
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            return false;
        }
    }
    if (!showsAnything()) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    // The window only ever receives the finished picture; its own framebuffer needs colour
    // alone.
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    requestContextProfile();
    SDL_Rect area = {SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height};
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE;
    if (!wantResizable) {
        // NOTE: the window starts at the desktop's size too, so that it covers the screen even
        // where no window manager is there to honour the full-screen request.
        SDL_Rect desktop;
        if (SDL_GetDisplayBounds(0, &desktop) == 0 && desktop.w > 0 && desktop.h > 0) {
            area = desktop;
        }
        flags = SDL_WINDOW_OPENGL | SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    SDL_Window* window = SDL_CreateWindow(title.c_str(), area.x, area.y, area.w, area.h, flags);
    if (window == nullptr) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    handle = std::make_unique<Native>(Native{window});
    if (!wantResizable) {
        SDL_ShowCursor(SDL_DISABLE);
    }
    SDL_RaiseWindow(window);
    return true;
}

void Window::destroy() {
    if (!handle) {
        return;
    }
    SDL_DestroyWindow(handle->window);
    handle.reset();
    SDL_ShowCursor(SDL_ENABLE);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void Window::pumpMessages() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        handleMessage(translate(event));
    }
    if (stopRequested != 0) {
        stopRequested = 0;
        handleMessage({MessageType::Close, 0});
    }
}

bool Window::handleMessage(const WindowMessage&) {
    return false;
}

void Window::setTitle(const char* title) {
    if (handle) {
        SDL_SetWindowTitle(handle->window, title);
    }
}

void Window::drawableSize(int32_t& width, int32_t& height) const {
    width = 0;
    height = 0;
    if (handle) {
        SDL_GL_GetDrawableSize(handle->window, &width, &height);
    }
}
