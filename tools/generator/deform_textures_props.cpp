// The laboratory's furnishings: the glass partition, the wooden crates and bench, the stone
// blocks, the painted holders, the walkway's grating, the glowing slinky and the twisting
// sculpture. Relief here is a plain emboss (light from the upper left) over wrapped height
// fields.

#include <cmath>

#include "tools/generator/blur.h"
#include "tools/generator/deform_textures.h"
#include "tools/generator/noise.h"
#include "tools/generator/paint.h"
#include "tools/generator/portable_math.h"
#include "tools/generator/raster.h"
#include "tools/generator/relief.h"

namespace {

// `p - q` taken the short way round a loop of `period`, in (-period / 2, period / 2].
float loopOffset(float p, float q, float period) {
    const float d = p - q;
    return d - period * std::floor(d / period + 0.5f);
}

// 1 on flat ground, more on slopes facing the upper left, less on those facing away.
float emboss(const Mask& height, int32_t x, int32_t y, float gain) {
    return 1.0f + gain * (height.wrapped(x + 1, y + 1) - height.wrapped(x - 1, y - 1));
}

// ---------------------------------------------------------------------------------------------
// Window: a metal frame of 6% of the picture on each side, a rubber seal, and glass.

constexpr int32_t kWindowSize = 256;
constexpr float kFrameWidth = 15.0f;  // pixels
constexpr float kSealWidth = 2.5f;    // pixels, inside the frame
constexpr float kGlassAlpha = 0.3f;

// How much of a reflection streak lies at (px, py): two soft bands running from lower left to
// upper right, a broad one and a thin one beside it.
float windowStreaks(float px, float py) {
    const float along = (px + 0.8f * py) / kWindowSize;
    const float broad = (along - 0.62f) / 0.07f;
    const float thin = (along - 0.8f) / 0.022f;
    return static_cast<float>(0.8 * portableExp(-0.5 * broad * broad) +
                              0.6 * portableExp(-0.5 * thin * thin));
}

Color windowFrame(float edge, float px, float py) {
    // A bevel lit from the upper left on the outer edge and into the opening.
    const bool upperLeft = py < kWindowSize - px;
    const float outer = 1.0f - smoothstep(0.0f, 4.0f, edge);
    const float inner = smoothstep(kFrameWidth - 4.0f, kFrameWidth, edge);
    const float outerLight = upperLeft ? 0.35f : -0.25f;
    const float innerLight = upperLeft ? -0.3f : 0.3f;
    const float brushed = fractalNoise(px / 2.0, py / 2.0, 0, 0, 2, 811u);
    const float level = 1.0f + outerLight * outer + innerLight * inner;
    return withAlpha(hexColor(0x4a4e55) * level * (0.92f + 0.12f * brushed), 1.0f);
}

Color windowGlass(float edge, float px, float py) {
    // The glass looks deeper by the frame, where it reflects the frame's shadow.
    const float byFrame = static_cast<float>(portableExp(-(edge - kFrameWidth) / 10.0));
    const float streak = windowStreaks(px, py);
    const float haze = fractalNoise(px / 32.0, py / 32.0, 0, 0, 3, 821u);
    Color glass = mix(hexColor(0xa8d8e0), hexColor(0x58707a), 0.5f * byFrame);
    glass = mix(glass, hexColor(0xf4fcff), clamp01(streak));
    const float alpha = kGlassAlpha + 0.04f * (haze - 0.5f) + 0.12f * byFrame + 0.18f * streak;
    return withAlpha(glass, alpha);
}

// ---------------------------------------------------------------------------------------------
// Wood: four planks of 64 pixels with grain along x, dark gaps between them, a knot in some,
// and a nail at each end.

constexpr int32_t kWoodSize = 256;
constexpr float kPlankHeight = 64.0f;  // pixels

float plankGrain(int32_t x, int32_t y, int32_t plank) {
    const uint32_t seed = 901u + static_cast<uint32_t>(plank) * 17u;
    const float px = centre(x);
    const float py = centre(y);
    // A knot bends the grain round itself.
    const float knotX = 40.0f + 176.0f * hashUnit(plank, 0, 907u);
    const float knotY =
        (static_cast<float>(plank) + 0.3f + 0.4f * hashUnit(plank, 1, 907u)) * kPlankHeight;
    const float dx = loopOffset(px, knotX, kWoodSize) / 12.0f;
    const float dy = (py - knotY) / 6.0f;
    const float knot = static_cast<float>(portableExp(-(dx * dx + dy * dy)));
    const float warp = fractalNoise(x / 128.0, y / 16.0, 2, 16, 3, seed);
    const double phase = py / 9.0 + 2.0 * warp + 1.2 * knot * (dy > 0.0f ? 1.0 : -1.0) +
                         hashUnit(plank, 2, 907u) * 10.0;
    const float rings = static_cast<float>(0.5 + 0.5 * sinTurns(phase));
    return 0.75f * smoothstep(0.5f, 1.0f, rings) + 0.45f * knot * knot * knot;
}

// ---------------------------------------------------------------------------------------------
// Stone: four courses of 64 pixels, blocks 128 wide, every other course shifted by half a
// block; edges chipped by noise. The joints lie a quarter block and half a course off the
// picture's edges, so the edges run through blocks rather than along joints.

constexpr int32_t kStoneSize = 256;
constexpr float kCourse = 64.0f;  // pixels
constexpr float kBlock = 128.0f;  // pixels

struct StoneCell {
    int32_t id = 0;     // which block, for its tone
    float edge = 0.0f;  // pixels to the block's nearest edge
};

StoneCell stoneCell(float px, float py) {
    const float down = py - 0.5f * kCourse;
    const int32_t course = Mask::wrap(static_cast<int32_t>(std::floor(down / kCourse)), 4);
    const float along = px - 0.25f * kBlock - ((course & 1) != 0 ? 0.5f * kBlock : 0.0f);
    const int32_t column = Mask::wrap(static_cast<int32_t>(std::floor(along / kBlock)), 2);
    return {course * 2 + column,
            std::fmin(gridDistance(along, kBlock), gridDistance(down, kCourse))};
}

Mask stoneHeight() {
    Mask height(kStoneSize, kStoneSize);
    for (int32_t y = 0; y < kStoneSize; ++y) {
        for (int32_t x = 0; x < kStoneSize; ++x) {
            const StoneCell cell = stoneCell(centre(x), centre(y));
            const float chips = fractalNoise(x / 16.0, y / 16.0, 16, 16, 4, 1003u);
            const float edge = cell.edge - 5.0f * (chips - 0.5f);
            const float face = fractalNoise(x / 32.0, y / 32.0, 8, 8, 4, 1009u + cell.id);
            height.at(x, y) = smoothstep(1.5f, 7.0f, edge) * (0.85f + 0.3f * face);
        }
    }
    return height;
}

Color stoneAlbedo(int32_t x, int32_t y, int32_t id, float h) {
    const float tone = hashUnit(id, 0, 1013u);
    const Color stone = mix(hexColor(0xaa9e88), hexColor(0x979690), hashUnit(id, 1, 1013u)) *
                        (0.86f + 0.24f * tone);
    const float grain = fractalNoise(x / 4.0, y / 4.0, 64, 64, 2, 1019u);
    const float cloud = fractalNoise(x / 64.0, y / 64.0, 4, 4, 4, 1021u);
    const Color face = stone * (0.9f + 0.14f * grain) * (0.85f + 0.3f * cloud);
    const Color mortar = hexColor(0x77705f) * (0.9f + 0.15f * grain);
    return mix(mortar, face, smoothstep(0.05f, 0.3f, h));
}

// ---------------------------------------------------------------------------------------------
// Holder: dark orange-red paint, chipped to bare grey metal in patches with darker paint round
// the chips, and long thin scratches.

constexpr int32_t kHolderSize = 128;

// ---------------------------------------------------------------------------------------------
// Grate: the walkway's bearing bars along v and lower cross bars along u, 16 pixels apart, over
// dark holes.

constexpr int32_t kGrateSize = 128;
constexpr float kGrateCell = 16.0f;  // pixels

// A bar's rounded profile, 1 on its middle line falling to 0 at `halfWidth` pixels from it.
float barProfile(float distance, float halfWidth) {
    return 0.5f + 0.5f * static_cast<float>(cosTurns(0.5 * std::fmin(distance / halfWidth, 1.0f)));
}

Mask grateHeight() {
    Mask height(kGrateSize, kGrateSize);
    for (int32_t y = 0; y < kGrateSize; ++y) {
        for (int32_t x = 0; x < kGrateSize; ++x) {
            // Bars half a cell off the picture's edges, so the edges run through holes.
            const float half = 0.5f * kGrateCell;
            const float bearing = barProfile(gridDistance(centre(x) - half, kGrateCell), 6.5f);
            const float cross = barProfile(gridDistance(centre(y) - half, kGrateCell), 6.0f);
            height.at(x, y) = std::fmax(bearing, 0.8f * cross) +
                              0.04f * fractalNoise(x / 8.0, y / 8.0, 16, 16, 2, 503u);
        }
    }
    return height;
}

// ---------------------------------------------------------------------------------------------
// Slinky: the hue turns magenta - violet - cyan - violet along u, so each turn of the coil runs
// through it once; a soft highlight runs along u at one height of v.

constexpr int32_t kSlinkySize = 128;
constexpr float kHighlightRow = 40.0f;  // pixels

constexpr GradientStop kSlinkyHues[] = {
    {0.0f, {1.0f, 0.16f, 0.84f, 1.0f}},
    {0.35f, {0.66f, 0.26f, 1.0f, 1.0f}},
    {0.7f, {0.28f, 0.56f, 1.0f, 1.0f}},
    {1.0f, {0.1f, 0.95f, 1.0f, 1.0f}},
};

// ---------------------------------------------------------------------------------------------
// Strange: a thin film of oil over a dark body; the film's thickness, a warped noise, picks the
// interference hue, and a second noise says where the film lies.

constexpr int32_t kStrangeSize = 128;

Color filmHue(float thickness) {
    // Cosine palette: each channel peaks a third of a cycle after the one before.
    const double t = 3.5 * thickness;
    return {static_cast<float>(0.5 + 0.5 * cosTurns(t)),
            static_cast<float>(0.5 + 0.5 * cosTurns(t - 0.33)),
            static_cast<float>(0.5 + 0.5 * cosTurns(t - 0.67)), 1.0f};
}

}  // namespace

Pixmap paintDeformWindow() {
    Raster window(kWindowSize, kWindowSize);
    for (int32_t y = 0; y < kWindowSize; ++y) {
        for (int32_t x = 0; x < kWindowSize; ++x) {
            const float px = centre(x);
            const float py = centre(y);
            const float edge =
                std::fmin(std::fmin(px, kWindowSize - px), std::fmin(py, kWindowSize - py));
            if (edge < kFrameWidth) {
                window.at(x, y) = windowFrame(edge, px, py);
            } else if (edge < kFrameWidth + kSealWidth) {
                window.at(x, y) = hexColor(0x17191c);
            } else {
                window.at(x, y) = windowGlass(edge, px, py);
            }
        }
    }
    return toPixmap(window, 4, Dither::Hashed);
}

Pixmap paintDeformWood() {
    Mask height(kWoodSize, kWoodSize);
    for (int32_t y = 0; y < kWoodSize; ++y) {
        for (int32_t x = 0; x < kWoodSize; ++x) {
            height.at(x, y) = smoothstep(1.0f, 6.0f, gridDistance(centre(y), kPlankHeight));
        }
    }
    const Mask open = occlusion(height, 3.0f, 1.2f, Edge::Wrap);
    Raster wood(kWoodSize, kWoodSize);
    for (int32_t y = 0; y < kWoodSize; ++y) {
        const int32_t plank = y / static_cast<int32_t>(kPlankHeight);
        const float tone = 0.82f + 0.3f * hashUnit(plank, 3, 907u);
        const float plankMiddle = (static_cast<float>(plank) + 0.5f) * kPlankHeight;
        for (int32_t x = 0; x < kWoodSize; ++x) {
            const float grain = plankGrain(x, y, plank);
            const float fibres = fractalNoise(x / 16.0, y / 4.0, 16, 64, 2, 911u);
            Color albedo = mix(hexColor(0xa4703f), hexColor(0x5c3519), clamp01(grain));
            albedo = albedo * tone * (0.92f + 0.12f * fibres);
            // A nail near each end of every plank.
            const float nx = gridDistance(centre(x), kWoodSize) - 10.0f;
            const float ny = centre(y) - plankMiddle;
            const float nail = clamp01(3.0f - std::sqrt(nx * nx + ny * ny));
            albedo =
                mix(albedo, hexColor(0x3a3a3c) * (1.0f + 0.15f * (ny < 0 ? 1.0f : -1.0f)), nail);
            const float h = height.at(x, y);
            const float lit = emboss(height, x, y, 1.2f) * open.at(x, y) * (0.25f + 0.75f * h);
            wood.at(x, y) = withAlpha(albedo * lit, 1.0f);
        }
    }
    return toPixmap(wood, 3, Dither::Hashed);
}

Pixmap paintDeformStone() {
    const Mask height = stoneHeight();
    const Mask open = occlusion(height, 4.0f, 1.3f, Edge::Wrap);
    Raster stone(kStoneSize, kStoneSize);
    for (int32_t y = 0; y < kStoneSize; ++y) {
        for (int32_t x = 0; x < kStoneSize; ++x) {
            const StoneCell cell = stoneCell(centre(x), centre(y));
            const float h = height.at(x, y);
            const float lit = emboss(height, x, y, 1.4f) * open.at(x, y) * (0.6f + 0.4f * h);
            stone.at(x, y) = withAlpha(stoneAlbedo(x, y, cell.id, h) * lit, 1.0f);
        }
    }
    return toPixmap(stone, 3, Dither::Hashed);
}

Pixmap paintDeformHolder() {
    Raster holder(kHolderSize, kHolderSize);
    for (int32_t y = 0; y < kHolderSize; ++y) {
        for (int32_t x = 0; x < kHolderSize; ++x) {
            // Flakes where fine noise, raised in places by coarse noise, passes a threshold.
            const float fine = fractalNoise(x / 8.0, y / 8.0, 16, 16, 3, 1103u);
            const float coarse = fractalNoise(x / 32.0, y / 32.0, 4, 4, 3, 1107u);
            const float wear = fine + 0.5f * (coarse - 0.5f);
            const float bare = smoothstep(0.69f, 0.76f, wear);
            const float rim = smoothstep(0.6f, 0.7f, wear) - bare;
            const float scuffs =
                smoothstep(0.78f, 0.9f, fractalNoise(x / 32.0, y / 4.0, 4, 32, 2, 1109u));
            const float grime = fractalNoise(x / 32.0, y / 32.0, 4, 4, 4, 1117u);
            const float brushed = fractalNoise(x / 16.0, y / 2.0, 8, 64, 2, 1123u);
            Color paint = hexColor(0xa63a1c) * (0.88f + 0.22f * grime) * (1.0f - 0.4f * rim);
            paint = mix(paint, hexColor(0xc8643c), 0.45f * scuffs);
            const Color metal = hexColor(0x8c9096) * (0.85f + 0.25f * brushed);
            holder.at(x, y) = withAlpha(mix(paint, metal, bare) * (0.85f + 0.2f * grime), 1.0f);
        }
    }
    return toPixmap(holder, 3, Dither::Hashed);
}

Pixmap paintDeformGrate() {
    const Mask height = grateHeight();
    Raster grate(kGrateSize, kGrateSize);
    for (int32_t y = 0; y < kGrateSize; ++y) {
        for (int32_t x = 0; x < kGrateSize; ++x) {
            const float h = height.at(x, y);
            const float wear = fractalNoise(x / 16.0, y / 16.0, 8, 8, 3, 509u);
            const Color bar = hexColor(0x80868e) * (0.8f + 0.35f * wear);
            // Through the holes: the floor below, in the grating's shadow.
            const Color hole = hexColor(0x1c2026) * (0.8f + 0.4f * wear);
            const float solid = smoothstep(0.1f, 0.55f, h);
            const float shade = 0.35f + 0.65f * emboss(height, x, y, 1.5f);
            const Color lit = bar * shade * (0.55f + 0.45f * h) +
                              hexColor(0xdde6f0) * (0.12f * h * h * h * solid);
            grate.at(x, y) = withAlpha(mix(hole, lit, solid), 1.0f);
        }
    }
    return toPixmap(grate, 3, Dither::Hashed);
}

Pixmap paintDeformSlinky() {
    Raster slinky(kSlinkySize, kSlinkySize);
    for (int32_t y = 0; y < kSlinkySize; ++y) {
        const float fromHighlight = loopOffset(centre(y), kHighlightRow, kSlinkySize);
        const float sheen = fromHighlight / 9.0f;
        const float highlight = static_cast<float>(portableExp(-0.5 * sheen * sheen));
        // NOTE: the far side of the tube darkens to 0.76 only: the glow adds this picture
        // twenty times at a small share, so none of it may be dark.
        const float shade =
            0.88f + 0.12f * static_cast<float>(cosTurns(fromHighlight / kSlinkySize));
        for (int32_t x = 0; x < kSlinkySize; ++x) {
            const float t = 0.5f - 0.5f * static_cast<float>(cosTurns(centre(x) / kSlinkySize));
            const Color hue = sampleGradient(kSlinkyHues, t) * shade;
            slinky.at(x, y) = withAlpha(mix(hue, hexColor(0xffffff), 0.8f * highlight), 1.0f);
        }
    }
    return toPixmap(slinky, 3, Dither::Hashed);
}

Pixmap paintDeformStrange() {
    Raster strange(kStrangeSize, kStrangeSize);
    for (int32_t y = 0; y < kStrangeSize; ++y) {
        for (int32_t x = 0; x < kStrangeSize; ++x) {
            // NOTE: the warp is itself periodic, so the warped noise still repeats every
            // 128 pixels.
            const double wx = fractalNoise(x / 32.0, y / 32.0, 4, 4, 3, 1201u) - 0.5;
            const double wy = fractalNoise(x / 32.0, y / 32.0, 4, 4, 3, 1203u) - 0.5;
            const double u = (x + 40.0 * wx) / 32.0;
            const double v = (y + 40.0 * wy) / 32.0;
            const float thickness = fractalNoise(u, v, 4, 4, 3, 1207u);
            const float film = smoothstep(0.38f, 0.68f, fractalNoise(v, u, 4, 4, 3, 1211u));
            const float veins =
                1.0f - std::fabs(2.0f * fractalNoise(u * 2.0, v * 2.0, 8, 8, 2, 1213u) - 1.0f);
            const Color body = mix(hexColor(0x0e0b16), hexColor(0x2a1c3c), veins * veins * veins);
            const Color hue = mix(filmHue(thickness), hexColor(0x8080a0), 0.2f);
            strange.at(x, y) = withAlpha(body + hue * (0.85f * film), 1.0f);
        }
    }
    return toPixmap(strange, 3, Dither::Hashed);
}
