// The pictures of the 3D scenes: the tunnel wall, the metaballs' reflection and the sky.

#include <cmath>

#include "base/geometry.h"
#include "tools/generator/blur.h"
#include "tools/generator/noise.h"
#include "tools/generator/paint.h"
#include "tools/generator/portable_math.h"
#include "tools/generator/raster.h"
#include "tools/generator/textures.h"

namespace {

// v scaled to length 1 by division; the zero vector becomes straight up (z).
Vector3d unitOrUp(Vector3d v) {
    const double length = std::sqrt(dot(v, v));
    return length > 0.0 ? Vector3d{v.x / length, v.y / length, v.z / length}
                        : Vector3d{0.0, 0.0, 1.0};
}

// Distance between two positions on a loop of length 1 (an azimuth in turns).
double loopDistance(double a, double b) {
    const double d = std::fabs(a - b);
    return std::fmin(d, 1.0 - d);
}

// ---------------------------------------------------------------------------------------------
// Tunnel wall: one panel per tile. A height field lit from the upper left gives the relief,
// albedo and emissive lights are added on top. Every term is built from distances to the tile's
// edges, wrapped noise and wrapped blurs, so opposite edges meet without a seam.

constexpr int32_t kWallSize = 256;  // pixels, square

float wallFrameHeight(float edgeDistance) {
    // seam groove 0..3 px, bevel up to the frame, frame, bevel down into the panel at 22 px.
    const float up = smoothstep(3.0f, 8.0f, edgeDistance);
    const float down = smoothstep(18.0f, 23.0f, edgeDistance);
    return up * (1.0f - 0.55f * down);
}

float wallRibHeight(float py) {
    constexpr float kHalfWidth = 15.0f;  // pixels
    const float d = std::fabs(py - 0.5f * kWallSize) / kHalfWidth;
    return d < 1.0f ? 0.6f + 0.65f * std::sqrt(1.0f - d * d) : 0.0f;
}

float wallVents(float px, float py) {
    float vent = 0.0f;
    for (int32_t slot = 0; slot < 4; ++slot) {
        const float top = 46.0f + 14.0f * static_cast<float>(slot);
        const float d = roundedBoxDistance(px, py, 66.0f, top, 190.0f, top + 7.0f, 3.5f);
        vent = std::fmax(vent, clamp01(0.5f - d));
    }
    return vent;
}

float wallHatch(float px, float py) {
    const float d = roundedBoxDistance(px, py, 72.0f, 160.0f, 184.0f, 212.0f, 8.0f);
    const float plate = clamp01(0.5f - d) * 0.18f;
    const float outline = 1.0f - smoothstep(1.0f, 2.5f, std::fabs(d));
    return plate - 0.3f * outline;
}

float wallRivets(float px, float py) {
    constexpr float kRadius = 4.5f;  // pixels
    float rivet = 0.0f;
    const float corner[2] = {12.5f, kWallSize - 12.5f};
    for (const float cx : corner) {
        for (const float cy : corner) {
            const float r2 = ((px - cx) * (px - cx) + (py - cy) * (py - cy)) / (kRadius * kRadius);
            rivet = std::fmax(rivet, r2 < 1.0f ? std::sqrt(1.0f - r2) : 0.0f);
        }
    }
    return 0.35f * rivet;
}

Mask wallHeight() {
    Mask height(kWallSize, kWallSize);
    for (int32_t y = 0; y < kWallSize; ++y) {
        for (int32_t x = 0; x < kWallSize; ++x) {
            const float px = static_cast<float>(x) + 0.5f;
            const float py = static_cast<float>(y) + 0.5f;
            const float edge =
                std::fmin(std::fmin(px, kWallSize - px), std::fmin(py, kWallSize - py));
            float h = wallFrameHeight(edge);
            if (edge > 22.0f) {
                h += wallHatch(px, py) - 0.3f * wallVents(px, py);
            }
            h = std::fmax(h, wallRibHeight(py)) + wallRivets(px, py);
            h += 0.04f * fractalNoise(x / 16.0, y / 16.0, 16, 16, 4, 11u);
            height.at(x, y) = h;
        }
    }
    return height;
}

Color wallAlbedo(int32_t x, int32_t y, float h) {
    // Brushed metal: noise stretched along x.
    const float brushed = fractalNoise(x / 64.0, y / 2.0, 4, 128, 3, 23u);
    const float grime = fractalNoise(x / 32.0, y / 32.0, 8, 8, 4, 37u);
    const Color panel = hexColor(0x4b5563);
    const Color frame = hexColor(0x6f7b8c);
    Color albedo = mix(panel, frame, smoothstep(0.55f, 0.95f, h));
    albedo = albedo * (0.82f + 0.3f * brushed) * (0.85f + 0.25f * grime);
    return withAlpha(albedo, 1.0f);
}

// Cyan strips along the rib and amber indicators beside the hatch.
void wallLights(Mask& cyan, Mask& amber) {
    for (const float cx : {64.0f, 128.0f, 192.0f}) {
        drawRoundedBox(cyan, cx - 11.0f, 124.0f, cx + 11.0f, 132.0f, 4.0f);
    }
    drawDisc(amber, 62.0f, 168.0f, 3.5f);
    drawDisc(amber, 194.0f, 168.0f, 3.5f);
}

float wallShade(const Mask& height, int32_t x, int32_t y, float& specular) {
    constexpr double kRelief = 5.0;  // pixels of slope per unit of height
    const double dx = height.wrapped(x + 1, y) - height.wrapped(x - 1, y);
    const double dy = height.wrapped(x, y + 1) - height.wrapped(x, y - 1);
    const Vector3d normal = unitOrUp({-dx * kRelief, -dy * kRelief, 1.0});
    const Vector3d light = unitOrUp({-0.45, -0.65, 0.7});
    const Vector3d halfway = unitOrUp({light.x, light.y, light.z + 1.0});
    specular = static_cast<float>(portablePow(std::fmax(0.0, dot(normal, halfway)), 36.0));
    return static_cast<float>(std::fmax(0.0, dot(normal, light)));
}

// ---------------------------------------------------------------------------------------------
// Sphere map: a studio with a blue sky dome, a bright horizon, a dark floor, two soft boxes
// and a sun, as seen reflected in a chrome ball.

double softBox(Vector3d direction, Vector3d centre, double halfWidth, double halfHeight) {
    const Vector3d axis = unitOrUp(centre);
    if (dot(direction, axis) <= 0.0) {
        return 0.0;
    }
    const Vector3d side = unitOrUp(cross(axis, {0.0, 1.0, 0.0}));
    const Vector3d up = cross(side, axis);
    const double a = std::fabs(dot(direction, side) / dot(direction, axis)) / halfWidth;
    const double b = std::fabs(dot(direction, up) / dot(direction, axis)) / halfHeight;
    return 1.0 - smoothstep(0.8f, 1.0f, static_cast<float>(std::fmax(a, b)));
}

Color studio(Vector3d r) {
    Color color;
    if (r.y >= 0.0) {
        const float t = static_cast<float>(portablePow(r.y, 0.55));
        color = mix(hexColor(0xdfe9f5), hexColor(0x1f3f7a), t);
        const double lift = r.y + 0.25;
        const float cloud = fractalNoise(r.x / lift * 1.5, r.z / lift * 1.5, 0, 0, 4, 71u);
        color = color + hexColor(0xffffff) * (0.25f * smoothstep(0.5f, 0.8f, cloud) * t);
    } else {
        const float t = static_cast<float>(portablePow(-r.y, 0.45));
        // A pale floor, so chrome seen from above still reads bright.
        color = mix(hexColor(0xb8a592), hexColor(0x4a3d33), t);
    }
    const float horizon = static_cast<float>(portableExp(-(r.y * r.y) / (0.035 * 0.035)));
    color = color + hexColor(0xfff4e0) * (0.85f * horizon);
    const float boxes = static_cast<float>(softBox(r, {-0.7, 0.55, 0.55}, 0.32, 0.2) +
                                           softBox(r, {0.75, 0.3, 0.2}, 0.12, 0.35));
    color = color + hexColor(0xffffff) * (1.4f * boxes);
    const double sun = dot(r, unitOrUp({0.35, 0.8, 0.6}));
    const float sunLight = static_cast<float>(2.0 * portableExp(-(1.0 - sun) * 900.0) +
                                              0.35 * portableExp(-(1.0 - sun) * 25.0));
    color = color + hexColor(0xfff0c8) * sunLight;
    return withAlpha(color, 1.0f);
}

// ---------------------------------------------------------------------------------------------
// Sky: dusk, zenith at the top row, horizon at kSkyHorizon of the height, low sun and soft
// clouds foreshortened towards the horizon. x is the azimuth; everything that varies along x
// is periodic in it, so the sky closes around the sphere.

constexpr int32_t kSkyWidth = 512;
constexpr int32_t kSkyHeight = 256;
constexpr float kSkyHorizon = 0.62f;  // fraction of the height from the top
constexpr double kSunAzimuth = 0.3;   // turns

constexpr GradientStop kSkyAbove[] = {
    {0.0f, hexColor(0xffcf9e)}, {0.07f, hexColor(0xf4a39a)}, {0.22f, hexColor(0xb28ad0)},
    {0.5f, hexColor(0x5a6cc4)}, {1.0f, hexColor(0x151c52)},
};
constexpr GradientStop kSkyBelow[] = {
    {0.0f, hexColor(0xd99c8c)},
    {0.12f, hexColor(0x5b4070)},
    {1.0f, hexColor(0x0e0a1c)},
};

Color skyGradient(float v) {
    if (v < kSkyHorizon) {
        return sampleGradient(kSkyAbove, (kSkyHorizon - v) / kSkyHorizon);
    }
    return sampleGradient(kSkyBelow, (v - kSkyHorizon) / (1.0f - kSkyHorizon));
}

// Cloud density 0..1 and how much of the cloud faces the sun, at azimuth u and height v.
float skyCloud(double u, float v, float& lit) {
    const double above = kSkyHorizon - v;
    if (above <= 0.0) {
        lit = 0.0f;
        return 0.0f;
    }
    const double depth = 1.0 / (above + 0.05);
    const float n = fractalNoise(u * 8.0, depth * 0.9, 8, 0, 5, 91u);
    const float below = fractalNoise(u * 8.0, depth * 0.9 + 0.12, 8, 0, 5, 91u);
    lit = clamp01(0.5f + (n - below) * 6.0f);
    const float fadeIn = smoothstep(0.0f, 0.08f, static_cast<float>(above));
    const float fadeTop = 1.0f - smoothstep(0.25f, 0.55f, static_cast<float>(above));
    return smoothstep(0.48f, 0.72f, n) * fadeIn * (0.2f + 0.8f * fadeTop);
}

Color skyPixel(int32_t x, int32_t y) {
    const double u = (x + 0.5) / kSkyWidth;
    const float v = (static_cast<float>(y) + 0.5f) / kSkyHeight;
    Color color = skyGradient(v);
    // Sun glow measured in pixels, the azimuth wrapped.
    const double du = loopDistance(u, kSunAzimuth) * kSkyWidth;
    // Below the horizon the glow is a flatter reflection.
    const double dv = (v - (kSkyHorizon - 0.035)) * kSkyHeight * (v < kSkyHorizon ? 1.0 : 2.5);
    const double d2 = du * du + dv * dv;
    const float glow = static_cast<float>(0.55 * portableExp(-d2 / (2.0 * 60.0 * 60.0)) +
                                          0.5 * portableExp(-d2 / (2.0 * 14.0 * 14.0)));
    color = color + hexColor(0xffd9a8) * glow;
    float lit = 0.0f;
    const float cloud = skyCloud(u, v, lit);
    const float sunSide = static_cast<float>(portableExp(-du * du / (2.0 * 90.0 * 90.0)));
    const Color cloudColor =
        mix(hexColor(0x6c4f86), mix(hexColor(0xf7c9c0), hexColor(0xffeedd), sunSide), lit);
    color = mix(color, cloudColor, cloud * 0.85f);
    // The sun shines through the thin clouds in front of it.
    const float disc = clamp01(static_cast<float>(8.5 - std::sqrt(d2)));
    const float shown = disc * (v < kSkyHorizon ? 1.0f : 0.0f) * (1.0f - 0.4f * cloud);
    return withAlpha(mix(color, hexColor(0xfff6e4), shown), 1.0f);
}

}  // namespace

Pixmap paintEnvX(TextureFonts&) {
    const Mask height = wallHeight();
    const Mask around = gaussianBlur(height, 5.0f, Edge::Wrap, Edge::Wrap);
    Mask cyan(kWallSize, kWallSize);
    Mask amber(kWallSize, kWallSize);
    wallLights(cyan, amber);
    Raster wall(kWallSize, kWallSize);
    for (int32_t y = 0; y < kWallSize; ++y) {
        for (int32_t x = 0; x < kWallSize; ++x) {
            const float h = height.at(x, y);
            float specular = 0.0f;
            const float diffuse = wallShade(height, x, y, specular);
            const float cavity = clamp01(1.0f - 1.6f * (around.at(x, y) - h));
            const Color lit = wallAlbedo(x, y, h) * (0.3f + 0.95f * diffuse) * cavity;
            wall.at(x, y) = withAlpha(lit + hexColor(0xdde8ff) * (0.45f * specular), 1.0f);
        }
    }
    paintOver(wall, cyan, hexColor(0xc8fbff));
    paintOver(wall, amber, hexColor(0xffd27a));
    addGlow(wall, cyan, hexColor(0x28c8ff), 4.0f, Edge::Wrap, Edge::Wrap);
    addGlow(wall, cyan, withAlpha(hexColor(0x1890ff), 0.5f), 12.0f, Edge::Wrap, Edge::Wrap);
    addGlow(wall, amber, hexColor(0xff8a20), 3.0f, Edge::Wrap, Edge::Wrap);
    return toPixmap(wall, 3, Dither::Hashed);
}

Pixmap paintEnvY(TextureFonts&) {
    constexpr int32_t kSize = 256;
    Raster map(kSize, kSize);
    for (int32_t y = 0; y < kSize; ++y) {
        for (int32_t x = 0; x < kSize; ++x) {
            // The disc's normal; t points up (the top row is up when displayed).
            double s = (x + 0.5) / (kSize / 2) - 1.0;
            double t = 1.0 - (y + 0.5) / (kSize / 2);
            const double r2 = s * s + t * t;
            if (r2 > 0.998) {
                // NOTE: outside the disc the rim's colour continues, so filtering and
                // mipmaps never pull the corners' black into the silhouette.
                const double scale = std::sqrt(0.998 / r2);
                s *= scale;
                t *= scale;
            }
            const double nz = std::sqrt(std::fmax(0.0, 1.0 - s * s - t * t));
            const Vector3d reflected{2.0 * nz * s, 2.0 * nz * t, 2.0 * nz * nz - 1.0};
            map.at(x, y) = studio(reflected);
        }
    }
    return toPixmap(map, 3, Dither::Hashed);
}

Pixmap paintSky(TextureFonts&) {
    Raster sky(kSkyWidth, kSkyHeight);
    for (int32_t y = 0; y < kSkyHeight; ++y) {
        for (int32_t x = 0; x < kSkyWidth; ++x) {
            sky.at(x, y) = skyPixel(x, y);
        }
    }
    return toPixmap(sky, 3, Dither::Hashed);
}
