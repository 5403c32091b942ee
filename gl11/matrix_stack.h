#pragma once
// One of OpenGL 1.1's matrix stacks (model-view, projection, texture) for the layer that gives
// OpenGL 1.1 on OpenGL ES 3.0: never empty, at most `depth` matrices deep. A push past the
// depth or a pop of the last matrix changes nothing and answers false, where OpenGL records
// a stack overflow or underflow.

#include <cstddef>
#include <vector>

#include "gl11/matrix.h"

class MatrixStack {
public:
    explicit MatrixStack(size_t depth);

    const Matrix4& top() const { return matrices.back(); }
    void load(const Matrix4& matrix) { matrices.back() = matrix; }
    // The top becomes top * matrix, as every glTranslate, glRotate, glMultMatrix does.
    void multiply(const Matrix4& matrix) { matrices.back() = matrices.back() * matrix; }
    bool push();
    bool pop();
    size_t size() const { return matrices.size(); }

private:
    size_t depth;
    std::vector<Matrix4> matrices;
};
