#pragma once
// Building ".rob" meshes in code: a MeshBuilder collects triangles with one normal and one
// texture coordinate per corner, then becomes one MeshPart. Shapes are added in world units;
// angles go through the portable sine, so every machine writes the same mesh bytes.
// Quads are given counter-clockwise as seen from the side their normal points to.

#include <cstdint>
#include <vector>

#include "base/geometry.h"
#include "resources/mesh.h"

struct MeshCorner {
    Vector3 position;
    float s, t;  // texture coordinate
    Vector3 normal;
};

class MeshBuilder {
public:
    void addTriangle(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c);
    // Two triangles a b c and a c d.
    void addQuad(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c,
                 const MeshCorner& d);
    // The same quad seen from both sides: the second copy turns the other way round with the
    // normal reversed, for surfaces drawn with back faces culled.
    void addTwoSidedQuad(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c,
                         const MeshCorner& d);
    // The six faces of a box facing out, texture mapped by world position: one texture per
    // `unit` world units on every face.
    void addBox(const Box& box, float unit);
    // An upright cylinder (axis along +y) from `base` up by `height`, `segments` sides and a
    // closed top; u goes once round, v from 0 at the base to 1 at the top.
    void addCylinder(Vector3 base, float radius, float height, int32_t segments);
    // A sphere of `rings` bands from its bottom pole to its top and `segments` round, facing
    // out, or facing its centre when `inward` (a sky seen from inside). u goes once round so
    // that a picture reads the right way round from the side the sphere faces; v goes from 0
    // at the bottom pole to 1 at the top, evenly in latitude.
    void addSphere(Vector3 centre, float radius, int32_t rings, int32_t segments, bool inward);
    // A tube of `sides` sides round the polyline `path` (at least two points); u runs along
    // the path from 0 to `lengthRepeats`, v once round.
    void addTube(const std::vector<Vector3>& path, float radius, int32_t sides,
                 float lengthRepeats);

    int32_t triangleCount() const { return static_cast<int32_t>(corners.size() / 3); }
    // One part holding every triangle; vertex k uses normal k and texture coordinate k.
    MeshPart toPart() const;

private:
    std::vector<MeshCorner> corners;  // three per triangle
};

// A mesh of the given parts, as it is written to a file.
Mesh meshOf(const std::vector<MeshPart>& parts);
