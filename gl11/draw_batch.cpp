#include "gl11/draw_batch.h"

#include <algorithm>
#include <cmath>

namespace {

struct WindowPoint {
    float x;
    float y;
};

Vector4 mixed(const Vector4& a, const Vector4& b, float t) {
    Vector4 result{};
    for (size_t i = 0; i < 4; ++i) {
        result[i] = a[i] + (b[i] - a[i]) * t;
    }
    return result;
}

// The point a fraction t of the way from a to b, every attribute interpolated in clip space.
ShadedVertex between(const ShadedVertex& a, const ShadedVertex& b, float t) {
    ShadedVertex result;
    result.clip = mixed(a.clip, b.clip, t);
    result.colour = mixed(a.colour, b.colour, t);
    result.texCoord = mixed(a.texCoord, b.texCoord, t);
    result.fogCoord = a.fogCoord + (b.fogCoord - a.fogCoord) * t;
    return result;
}

// Keeps the part of the line in front of the near plane (z >= -w); false when none is.
bool clipToNearPlane(ShadedVertex& a, ShadedVertex& b) {
    const float da = a.clip[2] + a.clip[3];
    const float db = b.clip[2] + b.clip[3];
    if (da < 0.0f && db < 0.0f) {
        return false;
    }
    if (da < 0.0f) {
        a = between(a, b, da / (da - db));
    } else if (db < 0.0f) {
        b = between(b, a, db / (db - da));
    }
    return a.clip[3] > 0.0f && b.clip[3] > 0.0f;
}

WindowPoint toWindow(const Vector4& clip, const std::array<int32_t, 4>& viewport) {
    const float halfWidth = static_cast<float>(viewport[2]) * 0.5f;
    const float halfHeight = static_cast<float>(viewport[3]) * 0.5f;
    return {static_cast<float>(viewport[0]) + (clip[0] / clip[3] + 1.0f) * halfWidth,
            static_cast<float>(viewport[1]) + (clip[1] / clip[3] + 1.0f) * halfHeight};
}

// The clip-space position that lands on `point` at the depth and w of `end`.
Vector4 fromWindow(const WindowPoint& point, const Vector4& end,
                   const std::array<int32_t, 4>& viewport) {
    const float halfWidth = static_cast<float>(viewport[2]) * 0.5f;
    const float halfHeight = static_cast<float>(viewport[3]) * 0.5f;
    const float x = (point.x - static_cast<float>(viewport[0])) / halfWidth - 1.0f;
    const float y = (point.y - static_cast<float>(viewport[1])) / halfHeight - 1.0f;
    return {x * end[3], y * end[3], end[2], end[3]};
}

// Whether OpenGL would cull the polygon: its facing from its signed area in window space.
bool isCulled(const std::vector<ShadedVertex>& vertices, const uint32_t* polygon, uint32_t size,
              const CullStyle& cull) {
    if (!cull.front && !cull.back) {
        return false;
    }
    if (cull.front && cull.back) {
        return true;
    }
    float area = 0.0f;
    for (uint32_t i = 0; i < size; ++i) {
        const Vector4& p = vertices[polygon[i]].clip;
        const Vector4& q = vertices[polygon[(i + 1) % size]].clip;
        if (p[3] <= 0.0f) {
            return false;  // facing is only known after clipping; keep it
        }
        area += (p[0] / p[3]) * (q[1] / q[3]) - (q[0] / q[3]) * (p[1] / p[3]);
    }
    const bool front = cull.clockwiseFront ? area < 0.0f : area > 0.0f;
    return front ? cull.front : cull.back;
}

}  // namespace

void addTriangles(DrawBatch& batch, const std::vector<ShadedVertex>& vertices,
                  const std::vector<uint32_t>& indices) {
    const uint32_t base = static_cast<uint32_t>(batch.vertices.size());
    batch.vertices.insert(batch.vertices.end(), vertices.begin(), vertices.end());
    if (!batch.lines.empty()) {
        batch.lines.resize(batch.vertices.size());
    }
    for (const uint32_t index : indices) {
        batch.indices.push_back(base + index);
    }
}

// A smooth line's quad reaches a pixel beyond its coverage on every side, so that every
// fragment with any coverage is drawn; an aliased line is OpenGL's parallelogram, widened
// across its minor axis by its width rounded to whole pixels.
void addLine(DrawBatch& batch, const ShadedVertex& from, const ShadedVertex& to,
             const LineStyle& style) {
    ShadedVertex a = from;
    ShadedVertex b = to;
    if (!clipToNearPlane(a, b)) {
        return;
    }
    const WindowPoint pa = toWindow(a.clip, style.viewport);
    const WindowPoint pb = toWindow(b.clip, style.viewport);
    const float dx = pb.x - pa.x;
    const float dy = pb.y - pa.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 1e-6f)) {
        return;
    }
    const float halfWidth = style.width * 0.5f;
    WindowPoint across{};
    // NOTE: a smooth line's quad runs half a pixel past each end with that end's own depth,
    // colour and texture coordinates, as the desktop's Mesa draws it: where a wireframe lies
    // on its own surface under GL_LEQUAL, which of its pixels pass depends on exactly this.
    ShadedVertex first = a;
    ShadedVertex last = b;
    if (style.smooth) {
        const float reach = halfWidth + 1.0f;
        across = {-dy / length * reach, dx / length * reach};
        const WindowPoint half = {dx / length * 0.5f, dy / length * 0.5f};
        first.clip = fromWindow({pa.x - half.x, pa.y - half.y}, a.clip, style.viewport);
        last.clip = fromWindow({pb.x + half.x, pb.y + half.y}, b.clip, style.viewport);
    } else {
        const float half = std::max(1.0f, std::round(style.width)) * 0.5f;
        across = std::fabs(dx) >= std::fabs(dy) ? WindowPoint{0, half} : WindowPoint{half, 0};
    }
    const WindowPoint start = toWindow(first.clip, style.viewport);
    const WindowPoint finish = toWindow(last.clip, style.viewport);
    const WindowPoint corners[4] = {
        {start.x - across.x, start.y - across.y},
        {start.x + across.x, start.y + across.y},
        {finish.x - across.x, finish.y - across.y},
        {finish.x + across.x, finish.y + across.y},
    };
    const uint32_t base = static_cast<uint32_t>(batch.vertices.size());
    batch.lines.resize(batch.vertices.size());
    const LineAttributes line = {{pa.x, pa.y, pb.x, pb.y}, halfWidth, style.smooth ? 1.0f : 0.0f};
    for (int i = 0; i < 4; ++i) {
        ShadedVertex v = i < 2 ? first : last;
        v.clip = fromWindow(corners[i], v.clip, style.viewport);
        batch.vertices.push_back(v);
        batch.lines.push_back(line);
    }
    batch.indices.insert(batch.indices.end(),
                         {base, base + 1, base + 2, base + 2, base + 1, base + 3});
}

void addPolygonOutlines(DrawBatch& batch, const std::vector<ShadedVertex>& vertices,
                        const PolygonList& polygons, const LineStyle& line, const CullStyle& cull) {
    size_t first = 0;
    for (const uint32_t size : polygons.sizes) {
        const uint32_t* polygon = polygons.indices.data() + first;
        first += size;
        if (isCulled(vertices, polygon, size, cull)) {
            continue;
        }
        for (uint32_t i = 0; i < size; ++i) {
            addLine(batch, vertices[polygon[i]], vertices[polygon[(i + 1) % size]], line);
        }
    }
}
