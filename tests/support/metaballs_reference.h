#pragma once
// Marching cubes the plain way, for checking polygonise: every cell evaluates the field at its own
// eight corners, with nothing shared between cells. Writes the same cells polygonise writes.

#include "render/metaballs.h"

void polygonisePerCell(Metaballs& metaballs);
