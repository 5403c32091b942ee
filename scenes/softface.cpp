#include "scenes/softface.h"

// The scene's picture and data come with its content; until then it draws nothing and the
// render target keeps the scene pass's clear.
void ESoftface::render(float, float) {}

void ESoftface::load() {}
