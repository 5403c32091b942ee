#pragma once
// OpenGL ES 3.0 under the project's own OpenGL 1.1 layer: the portable code's OpenGL 1.1 and
// GLU calls reach the layer, which draws with ES.

#include "gl11/gl.h"
