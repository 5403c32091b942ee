#include "scenes/welcome.h"

// The scene's picture and data come with its content; until then it draws nothing and the
// render target keeps the scene pass's clear.
void EWelcome::render(float, float) {}

void EWelcome::load() {}
