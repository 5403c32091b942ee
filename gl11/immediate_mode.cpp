#include "gl11/immediate_mode.h"

#include <utility>

bool ImmediateMode::begin(PrimitiveMode primitive) {
    if (inside) {
        return false;
    }
    inside = true;
    mode = primitive;
    gathered.clear();
    return true;
}

void ImmediateMode::vertex(float x, float y, float z, float w) {
    if (!inside) {
        return;
    }
    LayerVertex next = current;
    next.position = {x, y, z, w};
    gathered.push_back(next);
}

void ImmediateMode::colour(float red, float green, float blue, float alpha) {
    current.colour = {red, green, blue, alpha};
}

void ImmediateMode::normal(float x, float y, float z) {
    current.normal = {x, y, z};
}

void ImmediateMode::texCoord(float s, float t, float r, float q) {
    current.texCoord = {s, t, r, q};
}

bool ImmediateMode::end(PrimitiveBatch& batch) {
    if (!inside) {
        return false;
    }
    inside = false;
    batch.mode = mode;
    batch.vertices.swap(gathered);
    gathered.clear();
    return true;
}
