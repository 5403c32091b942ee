#include "scenes/deform.h"

// The scene's picture and data come with its content; until then it draws nothing and the
// render target keeps the scene pass's clear.
void EDeform::render(float, float) {}

void EDeform::load() {}
