#include "tools/generator/mesh_builder.h"

#include <cmath>

#include "tools/generator/portable_math.h"

namespace {

float turnsSin(float turns) {
    return static_cast<float>(sinTurns(turns));
}

float turnsCos(float turns) {
    return static_cast<float>(cosTurns(turns));
}

// Any unit vector at right angles to `direction` (a unit vector).
Vector3 perpendicularTo(Vector3 direction) {
    const Vector3 helper = std::fabs(direction.y) < 0.9f ? Vector3{0, 1, 0} : Vector3{1, 0, 0};
    return normalised(cross(direction, helper));
}

// The texture coordinate of a box face point: the two world axes lying in the face.
MeshCorner boxCorner(Vector3 p, Vector3 normal, float unit) {
    float s = p.x;
    float t = p.y;
    if (normal.x != 0.0f) {
        s = p.z;
    } else if (normal.y != 0.0f) {
        t = p.z;
    }
    return {p, s / unit, t / unit, normal};
}

}  // namespace

void MeshBuilder::addTriangle(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c) {
    corners.insert(corners.end(), {a, b, c});
}

void MeshBuilder::addQuad(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c,
                          const MeshCorner& d) {
    addTriangle(a, b, c);
    addTriangle(a, c, d);
}

void MeshBuilder::addTwoSidedQuad(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c,
                                  const MeshCorner& d) {
    addQuad(a, b, c, d);
    MeshCorner back[4] = {a, d, c, b};
    for (MeshCorner& corner : back) {
        corner.normal = corner.normal * -1.0f;
    }
    addQuad(back[0], back[1], back[2], back[3]);
}

void MeshBuilder::addBox(const Box& box, float unit) {
    const Vector3 l = box.low;
    const Vector3 h = box.high;
    // Each face: its normal and its corners counter-clockwise seen from outside.
    const struct {
        Vector3 normal;
        Vector3 p[4];
    } faces[6] = {
        {{1, 0, 0}, {{h.x, l.y, h.z}, {h.x, l.y, l.z}, {h.x, h.y, l.z}, {h.x, h.y, h.z}}},
        {{-1, 0, 0}, {{l.x, l.y, l.z}, {l.x, l.y, h.z}, {l.x, h.y, h.z}, {l.x, h.y, l.z}}},
        {{0, 1, 0}, {{l.x, h.y, h.z}, {h.x, h.y, h.z}, {h.x, h.y, l.z}, {l.x, h.y, l.z}}},
        {{0, -1, 0}, {{l.x, l.y, l.z}, {h.x, l.y, l.z}, {h.x, l.y, h.z}, {l.x, l.y, h.z}}},
        {{0, 0, 1}, {{l.x, l.y, h.z}, {h.x, l.y, h.z}, {h.x, h.y, h.z}, {l.x, h.y, h.z}}},
        {{0, 0, -1}, {{h.x, l.y, l.z}, {l.x, l.y, l.z}, {l.x, h.y, l.z}, {h.x, h.y, l.z}}},
    };
    for (const auto& face : faces) {
        addQuad(boxCorner(face.p[0], face.normal, unit), boxCorner(face.p[1], face.normal, unit),
                boxCorner(face.p[2], face.normal, unit), boxCorner(face.p[3], face.normal, unit));
    }
}

void MeshBuilder::addCylinder(Vector3 base, float radius, float height, int32_t segments) {
    const Vector3 top = base + Vector3{0, height, 0};
    const Vector3 up = {0, 1, 0};
    for (int32_t i = 0; i < segments; ++i) {
        const float u0 = static_cast<float>(i) / static_cast<float>(segments);
        const float u1 = static_cast<float>(i + 1) / static_cast<float>(segments);
        const Vector3 n0 = {turnsCos(u0), 0, -turnsSin(u0)};
        const Vector3 n1 = {turnsCos(u1), 0, -turnsSin(u1)};
        addQuad({base + n0 * radius, u0, 0, n0}, {base + n1 * radius, u1, 0, n1},
                {top + n1 * radius, u1, 1, n1}, {top + n0 * radius, u0, 1, n0});
        addTriangle({top, 0.5f, 0.5f, up},
                    {top + n0 * radius, 0.5f + 0.5f * n0.x, 0.5f + 0.5f * n0.z, up},
                    {top + n1 * radius, 0.5f + 0.5f * n1.x, 0.5f + 0.5f * n1.z, up});
    }
}

void MeshBuilder::addSphere(Vector3 centre, float radius, int32_t rings, int32_t segments,
                            bool inward) {
    // Seen from inside, the way round that reads a picture unmirrored is the other one.
    const float turning = inward ? -1.0f : 1.0f;
    const auto corner = [&](float u, float v) {
        const float latitude = 0.5f * (v - 0.5f);  // turns
        const float across = turnsCos(latitude);
        const Vector3 out = {across * turnsCos(turning * u), turnsSin(latitude),
                             -across * turnsSin(turning * u)};
        return MeshCorner{centre + out * radius, u, v, out * turning};
    };
    for (int32_t ring = 0; ring < rings; ++ring) {
        const float v0 = static_cast<float>(ring) / static_cast<float>(rings);
        const float v1 = static_cast<float>(ring + 1) / static_cast<float>(rings);
        for (int32_t i = 0; i < segments; ++i) {
            const float u0 = static_cast<float>(i) / static_cast<float>(segments);
            const float u1 = static_cast<float>(i + 1) / static_cast<float>(segments);
            const float middle = 0.5f * (u0 + u1);
            if (ring == 0) {
                addTriangle(corner(middle, v0), corner(u1, v1), corner(u0, v1));
            } else if (ring + 1 == rings) {
                addTriangle(corner(u0, v0), corner(u1, v0), corner(middle, v1));
            } else {
                addQuad(corner(u0, v0), corner(u1, v0), corner(u1, v1), corner(u0, v1));
            }
        }
    }
}

void MeshBuilder::addTube(const std::vector<Vector3>& path, float radius, int32_t sides,
                          float lengthRepeats) {
    if (path.size() < 2) {
        return;
    }
    // Rings carried along the path by the smallest turn from one tangent to the next, so the
    // tube does not twist.
    const size_t count = path.size();
    Vector3 tangent = normalised(path[1] - path[0]);
    Vector3 side = perpendicularTo(tangent);
    std::vector<std::vector<MeshCorner>> rings(count);
    for (size_t k = 0; k < count; ++k) {
        const Vector3 next = k + 1 < count ? path[k + 1] : path[k];
        const Vector3 previous = k > 0 ? path[k - 1] : path[k];
        tangent = normalised(next - previous);
        side = normalised(cross(cross(tangent, side), tangent));
        const Vector3 other = cross(tangent, side);
        const float u = lengthRepeats * static_cast<float>(k) / static_cast<float>(count - 1);
        for (int32_t j = 0; j <= sides; ++j) {
            const float v = static_cast<float>(j) / static_cast<float>(sides);
            const Vector3 normal = side * turnsCos(v) + other * turnsSin(v);
            rings[k].push_back({path[k] + normal * radius, u, v, normal});
        }
    }
    for (size_t k = 0; k + 1 < count; ++k) {
        for (int32_t j = 0; j < sides; ++j) {
            addQuad(rings[k][j], rings[k][j + 1], rings[k + 1][j + 1], rings[k + 1][j]);
        }
    }
}

MeshPart MeshBuilder::toPart() const {
    MeshPart part;
    const uint32_t count = static_cast<uint32_t>(corners.size());
    part.vertices.resize(count);
    part.texCoords.resize(count);
    part.normals.resize(count);
    part.faces.resize(count / 3);
    for (uint32_t k = 0; k < count; ++k) {
        const MeshCorner& corner = corners[k];
        part.vertices[k] = {corner.position.x, corner.position.y, corner.position.z, {0, 0, 0}};
        part.texCoords[k] = {corner.s, corner.t};
        part.normals[k] = {corner.normal.x, corner.normal.y, corner.normal.z};
    }
    for (uint32_t f = 0; f < count / 3; ++f) {
        const int32_t first = static_cast<int32_t>(3 * f);
        MeshFace& face = part.faces[f];
        face.a = face.na = first;
        face.b = face.nb = first + 1;
        face.c = face.nc = first + 2;
    }
    return part;
}

Mesh meshOf(const std::vector<MeshPart>& parts) {
    Mesh mesh;
    mesh.parts.resize(static_cast<uint32_t>(parts.size()));
    for (uint32_t p = 0; p < mesh.parts.size(); ++p) {
        mesh.parts[p] = parts[p];
    }
    return mesh;
}
