#pragma once
// The one way into OpenGL for every layer above. The build picks which OpenGL (ZENTROX_GL):
// base/gl_desktop.h, the system's desktop OpenGL, or base/gl_es3.h, OpenGL ES 3.0 under the
// project's own OpenGL 1.1 layer. Either gives the same OpenGL 1.1 and GLU calls.

#include ZENTROX_GL_HEADER
