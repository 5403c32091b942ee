#pragma once
// Which OpenGL the build draws with (ZENTROX_GL), for the backends that make its contexts:
// OpenGL ES 3.0 under the project's own OpenGL 1.1 layer, or desktop OpenGL's compatibility
// profile.

inline constexpr bool kOpenGLES = ZENTROX_OPENGL_ES != 0;
