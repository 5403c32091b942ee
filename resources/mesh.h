#pragma once
// Polygon models of the ".rob" text format (magic word TROB): parts of vertices with one
// texture coordinate each, a list of normals, and triangles indexing both. Loading never
// trusts the file: counts are limited to what the file's lines can hold, missing items are
// zero, and a face whose indices fall outside its part's arrays is not drawable
// (render/mesh_drawing.h draws the rest).

#include <array>
#include <cstdint>

#include "base/geometry.h"
#include "resources/array.h"
#include "resources/string.h"

struct MeshVertex {
    float x, y, z;
    float extra[3];  // a second triple: zero on load, carried along by the deformers
};

struct TexCoord {
    float s, t;
};

using Normal = Vector3;

struct MeshFace {
    int32_t a, b, c;     // vertex (and texture coordinate) indices
    int32_t na, nb, nc;  // normal indices
    // Shadow bookkeeping: neighbour face per edge (edge k joins corners k and k + 1), a lit
    // flag and a plane. Nothing fills or reads them.
    int32_t neighbours[3];
    bool visible;
    float plane[4];
    float triple[3];  // read from the file, kept, not drawn
};

struct MeshPart {
    Array<MeshVertex> vertices;
    Array<TexCoord> texCoords;  // by vertex index
    Array<Normal> normals;
    Array<MeshFace> faces;
};

using Matrix4 = std::array<float, 16>;  // OpenGL column-major: element 4 * column + row

constexpr Matrix4 kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

struct Mesh {
    Array<MeshPart> parts;
    Matrix4 transform = kIdentity;
    bool loaded = false;  // drawing applies transform only when set
};

// False, leaving the mesh as it was, when the file cannot be opened or does not start with
// "TROB"; otherwise the mesh holds exactly the file's parts.
bool loadMesh(Mesh& mesh, const String& path);
bool loadMeshLines(Mesh& mesh, const Array<String>& lines);

// Whether every index of the face lies inside the part's arrays.
bool faceIsDrawable(const MeshPart& part, const MeshFace& face);
