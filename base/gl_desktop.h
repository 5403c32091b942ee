#pragma once
// Desktop OpenGL: libepoxy resolves every entry point (1.1 and the framebuffer objects beyond
// it) for whichever context is current, GLX or EGL. GLU comes after it so that its declarations
// see epoxy's types.

#include <epoxy/gl.h>
#include <GL/glu.h>
