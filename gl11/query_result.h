#pragma once
// The samples a finished occlusion query counted. Where the platform cannot wait for a query
// (a browser's WebGL 2 answers only after the frame has returned to the page), the answer is 1,
// as though some samples had passed: whatever the query would have let the caller skip is drawn
// instead, and the picture is the same.

#include <GLES3/gl3.h>

GLuint queryResult(GLuint query);
