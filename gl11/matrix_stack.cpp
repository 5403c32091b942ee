#include "gl11/matrix_stack.h"

MatrixStack::MatrixStack(size_t depth) : depth(depth < 1 ? 1 : depth) {
    matrices.reserve(this->depth);
    matrices.push_back(identityMatrix());
}

bool MatrixStack::push() {
    if (matrices.size() >= depth) {
        return false;
    }
    matrices.push_back(matrices.back());
    return true;
}

bool MatrixStack::pop() {
    if (matrices.size() <= 1) {
        return false;
    }
    matrices.pop_back();
    return true;
}
