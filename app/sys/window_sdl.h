#pragma once
// What the SDL backend keeps behind the portable window, for its GL context to reach, and its
// key mapping.

#include <SDL.h>

#include <cstdint>

#include "app/sys/window.h"

struct Window::Native {
    SDL_Window* window;
};

// The virtual-key code of an SDL key symbol: the keys of window.h's table by their codes,
// every other key a code of kKeyCodeCount or more.
uint32_t virtualKeyCode(int32_t sdlKey);

// Asks SDL for the kind of OpenGL context this build draws with (desktop OpenGL's
// compatibility profile, or OpenGL ES 3.0); set before the window is made, as SDL picks its
// GL interface with the window.
void requestContextProfile();
