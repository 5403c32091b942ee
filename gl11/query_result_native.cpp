#include "gl11/query_result.h"

// OpenGL ES waits for the result.
GLuint queryResult(GLuint query) {
    GLuint samples = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &samples);
    return samples;
}
