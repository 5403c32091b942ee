// The finale's meshes: the four morph shapes as clouds of points, and the sky sphere.

#include <algorithm>
#include <cmath>

#include "tools/generator/softface.h"
#include "tools/generator/mesh_builder.h"
#include "tools/generator/portable_math.h"

namespace {

// Rows of points lie this far apart across a stroke and from layer to layer in z, a little
// more than the 1.1-unit cubes drawn on them, so the cubes read as a shape without merging.
constexpr float kRowSpacing = 1.4f;
// Centrelines are walked in steps this short (world units).
constexpr float kPathStep = 0.05f;
// Texture coordinates map this square round the origin (world units) onto the picture.
constexpr float kTextureSpan = 26.0f;
// Points ordered by angle round the z axis are then ordered by radius within runs of this many,
// so vertex i of every shape sits in the same sector and in the same place across it.
constexpr size_t kSectorPoints = 16;

using Path = std::vector<Vector3>;

// A stroke of a flat shape: `rows` parallel rows of points round its centreline.
struct Stroke {
    Path centre;
    int32_t rows;
    bool closed;
};

// A stretch of a row that points are spread along.
struct Run {
    Path path;
    bool closed;
};

float lengthOf(Vector3 v) {
    return std::sqrt(dot(v, v));
}

Vector3 onCircle(Vector3 centre, float radius, float turns) {
    return centre +
           Vector3{static_cast<float>(cosTurns(turns)), static_cast<float>(sinTurns(turns)), 0.0f} *
               radius;
}

void appendSegment(Path& path, Vector3 from, Vector3 to) {
    const int32_t steps =
        std::max(1, static_cast<int32_t>(std::ceil(lengthOf(to - from) / kPathStep)));
    if (path.empty()) {
        path.push_back(from);
    }
    for (int32_t k = 1; k <= steps; ++k) {
        path.push_back(from + (to - from) * (static_cast<float>(k) / static_cast<float>(steps)));
    }
}

// Counter-clockwise for toTurns > fromTurns.
void appendArc(Path& path, Vector3 centre, float radius, float fromTurns, float toTurns) {
    const float sweep = toTurns - fromTurns;
    const float arc = std::fabs(sweep) * 2.0f * static_cast<float>(kPi) * radius;
    const int32_t steps = std::max(1, static_cast<int32_t>(std::ceil(arc / kPathStep)));
    for (int32_t k = path.empty() ? 0 : 1; k <= steps; ++k) {
        const float f = static_cast<float>(k) / static_cast<float>(steps);
        path.push_back(onCircle(centre, radius, fromTurns + sweep * f));
    }
}

float pathLength(const Path& path, bool closed) {
    float length = 0.0f;
    for (size_t k = 1; k < path.size(); ++k) {
        length += lengthOf(path[k] - path[k - 1]);
    }
    return closed ? length + lengthOf(path.front() - path.back()) : length;
}

// The path moved sideways by `offset`, to the left of its direction in the x-y plane.
Path offsetPath(const Path& path, float offset, bool closed) {
    Path moved;
    const size_t count = path.size();
    for (size_t k = 0; k < count; ++k) {
        const size_t before = k > 0 ? k - 1 : (closed ? count - 1 : k);
        const size_t after = k + 1 < count ? k + 1 : (closed ? 0 : k);
        const Vector3 along = normalised(path[after] - path[before]);
        moved.push_back(path[k] + Vector3{-along.y, along.x, 0.0f} * offset);
    }
    return moved;
}

float distanceToSegment(Vector3 p, Vector3 a, Vector3 b) {
    const Vector3 ab = b - a;
    const float span = dot(ab, ab);
    const float f = span > 0.0f ? std::clamp(dot(p - a, ab) / span, 0.0f, 1.0f) : 0.0f;
    return lengthOf(p - (a + ab * f));
}

float distanceToPath(Vector3 p, const Path& path) {
    float nearest = lengthOf(p - path.front());
    for (size_t k = 1; k < path.size(); ++k) {
        nearest = std::min(nearest, distanceToSegment(p, path[k - 1], path[k]));
    }
    return nearest;
}

float halfWidthOf(const Stroke& stroke) {
    return 0.5f * static_cast<float>(stroke.rows - 1) * kRowSpacing;
}

// The rows of every stroke, each cut where it comes within a row's spacing of an earlier
// stroke's outer rows, so crossing strokes share their points instead of doubling them.
std::vector<Run> rowRuns(const std::vector<Stroke>& strokes) {
    std::vector<Run> runs;
    for (size_t s = 0; s < strokes.size(); ++s) {
        const Stroke& stroke = strokes[s];
        for (int32_t row = 0; row < stroke.rows; ++row) {
            const float offset = static_cast<float>(row) * kRowSpacing - halfWidthOf(stroke);
            const Path path = offsetPath(stroke.centre, offset, stroke.closed);
            Run run = {{}, false};
            bool cut = false;
            for (const Vector3& p : path) {
                bool free = true;
                for (size_t e = 0; e < s && free; ++e) {
                    free = distanceToPath(p, strokes[e].centre) >=
                           halfWidthOf(strokes[e]) + kRowSpacing;
                }
                if (free) {
                    run.path.push_back(p);
                } else {
                    cut = true;
                    if (!run.path.empty()) {
                        runs.push_back(run);
                    }
                    run.path.clear();
                }
            }
            if (!run.path.empty()) {
                run.closed = stroke.closed && !cut;
                runs.push_back(run);
            }
        }
    }
    return runs;
}

// The point `distance` along the path from its start.
Vector3 pointAlong(const Path& path, float distance) {
    for (size_t k = 1; k < path.size(); ++k) {
        const float step = lengthOf(path[k] - path[k - 1]);
        if (distance <= step && step > 0.0f) {
            return path[k - 1] + (path[k] - path[k - 1]) * (distance / step);
        }
        distance -= step;
    }
    return path.back();
}

// How many of `count` points each run holds, spaced as evenly as the runs allow: each point in
// turn goes to the run whose spacing it narrows least. An open run's points reach both of its
// ends, so it has room for one more than a closed run of the same length.
std::vector<int32_t> shareOut(const std::vector<Run>& runs, int32_t count) {
    std::vector<float> room;
    for (const Run& run : runs) {
        room.push_back(pathLength(run.path, run.closed) + (run.closed ? 0.0f : kRowSpacing));
    }
    std::vector<int32_t> shares(runs.size(), 0);
    for (int32_t point = 0; point < count; ++point) {
        size_t best = 0;
        for (size_t r = 1; r < runs.size(); ++r) {
            if (room[r] / static_cast<float>(shares[r] + 1) >
                room[best] / static_cast<float>(shares[best] + 1)) {
                best = r;
            }
        }
        ++shares[best];
    }
    return shares;
}

// n points along the run at height z: from end to end of an open run, evenly round a closed one.
void placeAlong(const Run& run, int32_t n, float z, std::vector<Vector3>& points) {
    Path path = run.path;
    if (run.closed) {
        path.push_back(run.path.front());
    }
    const float length = pathLength(path, false);
    for (int32_t k = 0; k < n; ++k) {
        float along = 0.5f * length;
        if (run.closed) {
            along = length * static_cast<float>(k) / static_cast<float>(n);
        } else if (n > 1) {
            along = length * static_cast<float>(k) / static_cast<float>(n - 1);
        }
        Vector3 p = pointAlong(path, along);
        p.z = z;
        points.push_back(p);
    }
}

// `count` points over the runs in every layer (heights z); the layers hold the same points but
// for the remainder of an uneven split, which goes to the first layers.
std::vector<Vector3> spreadPoints(const std::vector<Run>& runs, const std::vector<float>& layers,
                                  int32_t count) {
    const int32_t layerCount = static_cast<int32_t>(layers.size());
    std::vector<Vector3> points;
    for (int32_t layer = 0; layer < layerCount; ++layer) {
        const int32_t share = count / layerCount + (layer < count % layerCount ? 1 : 0);
        const std::vector<int32_t> shares = shareOut(runs, share);
        for (size_t r = 0; r < runs.size(); ++r) {
            placeAlong(runs[r], shares[r], layers[layer], points);
        }
    }
    return points;
}

// Moves the points so their bounding box is centred on the origin.
void centre(std::vector<Vector3>& points) {
    Vector3 low = points.front(), high = points.front();
    for (const Vector3& p : points) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    const Vector3 middle = (low + high) * 0.5f;
    for (Vector3& p : points) {
        p = p - middle;
    }
}

struct OrderKey {
    double angle;  // turns round the z axis
    float radius;  // from the z axis
    Vector3 p;
};

bool byAngle(const OrderKey& a, const OrderKey& b) {
    if (a.angle != b.angle) {
        return a.angle < b.angle;
    }
    if (a.radius != b.radius) {
        return a.radius < b.radius;
    }
    return a.p.z < b.p.z;
}

bool byRadius(const OrderKey& a, const OrderKey& b) {
    if (a.radius != b.radius) {
        return a.radius < b.radius;
    }
    if (a.p.z != b.p.z) {
        return a.p.z < b.p.z;
    }
    return a.angle < b.angle;
}

// The vertex order every shape shares: by angle round the z axis, then by radius within each
// sector of kSectorPoints, so a morph moves points across their own sector.
void orderForMorph(std::vector<Vector3>& points) {
    std::vector<OrderKey> keys;
    for (const Vector3& p : points) {
        keys.push_back({atan2Turns(p.y, p.x), std::sqrt(p.x * p.x + p.y * p.y), p});
    }
    std::sort(keys.begin(), keys.end(), byAngle);
    for (size_t from = 0; from < keys.size(); from += kSectorPoints) {
        const size_t to = std::min(keys.size(), from + kSectorPoints);
        std::sort(keys.begin() + static_cast<std::ptrdiff_t>(from),
                  keys.begin() + static_cast<std::ptrdiff_t>(to), byRadius);
    }
    for (size_t i = 0; i < keys.size(); ++i) {
        points[i] = keys[i].p;
    }
}

Mesh pointMesh(std::vector<Vector3> points) {
    centre(points);
    orderForMorph(points);
    MeshPart part;
    part.vertices.resize(static_cast<uint32_t>(points.size()));
    part.texCoords.resize(static_cast<uint32_t>(points.size()));
    for (uint32_t i = 0; i < part.vertices.size(); ++i) {
        const Vector3& p = points[i];
        part.vertices[i] = {p.x, p.y, p.z, {0, 0, 0}};
        part.texCoords[i] = {0.5f + p.x / kTextureSpan, 0.5f + p.y / kTextureSpan};
    }
    return meshOf({part});
}

// The digits' centreline boxes: half width and half height, and the 2 and the 7's centres.
constexpr float kDigitHalfWidth = 4.2f;
constexpr float kDigitHalfHeight = 10.5f;
constexpr float kDigitCentre = 6.4f;

// The 2: its base, then one stroke from the left of the bowl over the top and down the
// diagonal, leaving the bowl along its tangent, to the base's left end.
void addTwo(std::vector<Stroke>& strokes, float cx) {
    const float a = kDigitHalfWidth, b = kDigitHalfHeight;
    const Vector3 corner = {cx - a, -b, 0};
    Stroke base = {{}, 3, false};
    appendSegment(base.centre, corner, {cx + a, -b, 0});
    strokes.push_back(base);

    const Vector3 bowl = {cx, b - a, 0};
    const Vector3 toCorner = corner - bowl;
    const float distance = lengthOf(toCorner);
    const double cosine = a / distance;
    const double leave =
        atan2Turns(toCorner.y, toCorner.x) + atan2Turns(std::sqrt(1.0 - cosine * cosine), cosine);
    Stroke sweep = {{}, 3, false};
    appendArc(sweep.centre, bowl, a, 165.0f / 360.0f, static_cast<float>(leave));
    appendSegment(sweep.centre, sweep.centre.back(), corner);
    strokes.push_back(sweep);
}

// The 7: its bar, then the stem slanting down to the left from the bar's right end.
void addSeven(std::vector<Stroke>& strokes, float cx) {
    const float a = kDigitHalfWidth, b = kDigitHalfHeight;
    Stroke bar = {{}, 3, false};
    appendSegment(bar.centre, {cx - a, b, 0}, {cx + a, b, 0});
    strokes.push_back(bar);
    Stroke stem = {{}, 3, false};
    appendSegment(stem.centre, {cx + a, b, 0}, {cx - 0.25f * a, -b, 0});
    strokes.push_back(stem);
}

// The arrow along the x axis: a shaft of five rows from its tail to the head, and the head a
// triangle filled with upright rows from its tip back to its base.
constexpr float kArrowTail = -12.5f;
constexpr float kArrowHeadBase = 1.5f;
constexpr float kArrowTip = 12.5f;
constexpr float kArrowHeadHalfHeight = 9.0f;

constexpr float kRingRadius = 10.5f;  // of the middle row

// The cube's edge, and the steps of the lattice its points lie on along each edge.
constexpr float kCubeSide = 14.0f;
constexpr int32_t kCubeSteps = 9;

bool nearCubeEdge(int32_t i) {
    return i <= 1 || i >= kCubeSteps - 1;
}

// Where Textures/Sky.png's horizon lies, as a texture coordinate: 0.62 of its height from the top.
constexpr float kSkyHorizonV = 0.38f;
constexpr int32_t kSkyRings = 18;  // even, so the equator is a ring of vertices
constexpr int32_t kSkySegments = 36;

}  // namespace

Mesh morphDigitsMesh() {
    std::vector<Stroke> strokes;
    addTwo(strokes, -kDigitCentre);
    addSeven(strokes, kDigitCentre);
    return pointMesh(spreadPoints(rowRuns(strokes), {-0.5f * kRowSpacing, 0.5f * kRowSpacing},
                                  kMorphPointCount));
}

// Points of a lattice over the cube's surface that lie on an edge or on the row beside it on
// either face.
Mesh morphCubeMesh() {
    std::vector<Vector3> points;
    const float step = kCubeSide / static_cast<float>(kCubeSteps);
    for (int32_t i = 0; i <= kCubeSteps; ++i) {
        for (int32_t j = 0; j <= kCubeSteps; ++j) {
            for (int32_t k = 0; k <= kCubeSteps; ++k) {
                const bool onSurface =
                    i % kCubeSteps == 0 || j % kCubeSteps == 0 || k % kCubeSteps == 0;
                const int32_t nearEdges = nearCubeEdge(i) + nearCubeEdge(j) + nearCubeEdge(k);
                if (onSurface && nearEdges >= 2) {
                    points.push_back(Vector3{static_cast<float>(i), static_cast<float>(j),
                                             static_cast<float>(k)} *
                                     step);
                }
            }
        }
    }
    return pointMesh(points);
}

Mesh morphArrowMesh() {
    std::vector<Stroke> strokes;
    const float headLength = kArrowTip - kArrowHeadBase;
    // NOTE: the first row stands a little short of the tip, so it is long enough to hold the
    // one point that makes the tip sharp.
    for (float x = kArrowTip - 0.2f; x >= kArrowHeadBase - 0.01f; x -= kRowSpacing) {
        const float h = kArrowHeadHalfHeight * (kArrowTip - x) / headLength;
        Stroke row = {{}, 1, false};
        appendSegment(row.centre, {x, -h, 0}, {x, h, 0});
        strokes.push_back(row);
    }
    Stroke shaft = {{}, 5, false};
    appendSegment(shaft.centre, {kArrowTail, 0, 0}, {kArrowHeadBase, 0, 0});
    strokes.push_back(shaft);
    return pointMesh(
        spreadPoints(rowRuns(strokes), {-kRowSpacing, 0.0f, kRowSpacing}, kMorphPointCount));
}

Mesh morphRingMesh() {
    Stroke ring = {{}, 3, true};
    appendArc(ring.centre, {0, 0, 0}, kRingRadius, 0.0f, 1.0f);
    ring.centre.pop_back();  // the loop closes on its first point
    return pointMesh(
        spreadPoints(rowRuns({ring}), {-0.5f * kRowSpacing, 0.5f * kRowSpacing}, kMorphPointCount));
}

// NOTE: the sky's texture coordinate v is stretched unevenly, the lower hemisphere onto the
// picture below its horizon and the upper onto the sky above it, so the horizon lies at the
// camera's eye level rather than some 20 degrees below it.
Mesh softfaceSkyMesh() {
    MeshBuilder builder;
    builder.addSphere({0, 0, 0}, kSoftfaceSkyRadius, kSkyRings, kSkySegments, true);
    MeshPart part = builder.toPart();
    for (TexCoord& uv : part.texCoords) {
        uv.t = uv.t < 0.5f ? kSkyHorizonV * (2.0f * uv.t)
                           : kSkyHorizonV + (1.0f - kSkyHorizonV) * (2.0f * uv.t - 1.0f);
    }
    return meshOf({part});
}
