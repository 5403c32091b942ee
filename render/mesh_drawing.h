#pragma once
// Drawing a mesh (resources/mesh.h) in immediate mode: triangles part by part, each corner with
// its texture coordinate, normal and position; faces with an index outside their part's arrays
// are skipped. Texture, lighting, blending and material are the caller's; the model-view
// matrix is pushed and popped around each part.

#include "resources/mesh.h"

// Every part in order. The mesh's transform is applied when the mesh is loaded and
// applyTransform is set.
void drawMesh(const Mesh& mesh, bool applyTransform = true);
void drawPart(const Mesh& mesh, const MeshPart& part, bool applyTransform = true);
