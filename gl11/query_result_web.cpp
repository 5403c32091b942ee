#include "gl11/query_result.h"

GLuint queryResult(GLuint query) {
    GLuint available = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT_AVAILABLE, &available);
    if (available == 0) {
        return 1;
    }
    GLuint samples = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &samples);
    return samples;
}
