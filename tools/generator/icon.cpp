#include "tools/generator/icon.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

#include "tools/generator/data_tree.h"
#include "tools/generator/paint.h"
#include "tools/generator/raster.h"
#include "tools/generator/text_renderer.h"
#include "tools/generator/textures.h"

namespace {

constexpr int32_t kSmallestIcon = 16;
constexpr int32_t kLargestIcon = 1024;
constexpr int32_t kRingCount = 7;

// Coverage of a ring `width` pixels wide at distance `radius` from (cx, cy), kept as the max.
void drawRing(Mask& mask, float cx, float cy, float radius, float width) {
    for (int32_t y = 0; y < mask.height; ++y) {
        for (int32_t x = 0; x < mask.width; ++x) {
            const float distance = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            const float edge = width * 0.5f - std::fabs(distance - radius);
            const float coverage = std::fmin(std::fmax(edge + 0.5f, 0.0f), 1.0f);
            mask.at(x, y) = std::fmax(mask.at(x, y), coverage);
        }
    }
}

// The background: deep violet at the light, near black at the rim.
void paintBackdrop(Raster& icon, float size) {
    constexpr GradientStop kDepth[] = {
        {0.0f, hexColor(0x3a1266)},
        {0.55f, hexColor(0x140826)},
        {1.0f, hexColor(0x040309)},
    };
    fillGradient(
        icon,
        radialRamp(icon.width, icon.height, size * 0.5f, size * 0.5f, size * 0.75f, size * 0.75f),
        kDepth);
}

// Rings that shrink and dim towards the centre, as the tunnel's walls do.
void paintTunnel(Raster& icon, float size) {
    float radius = size * 0.44f;
    for (int32_t ring = 0; ring < kRingCount; ++ring) {
        Mask mask(icon.width, icon.height);
        drawRing(mask, size * 0.5f, size * 0.5f, radius, std::fmax(size * 0.022f, 1.0f));
        const float fade = 1.0f - static_cast<float>(ring) / kRingCount;
        paintAdd(icon, mask, withAlpha(hexColor(0x48b4ff), 0.25f + 0.6f * fade));
        radius *= 0.74f;
    }
    Mask light =
        radialRamp(icon.width, icon.height, size * 0.5f, size * 0.5f, size * 0.22f, size * 0.22f);
    for (float& value : light.cells) {
        value = (1.0f - value) * (1.0f - value);
    }
    paintAdd(icon, light, hexColor(0xffd27a));
}

// The title's Z, white with a soft dark edge so it reads over the light.
void paintLetter(Raster& icon, TextRenderer& bold, float size) {
    const TextStyle style = {static_cast<int32_t>(std::lround(size * 0.62f)), 0};
    const TextMetrics metrics = bold.measure("Z", style);
    const int32_t x =
        static_cast<int32_t>(std::lround(size * 0.5f)) - (metrics.inkLeft + metrics.inkRight) / 2;
    const int32_t baseline =
        static_cast<int32_t>(std::lround(size * 0.5f)) - (metrics.inkTop + metrics.inkBottom) / 2;
    Mask letter(icon.width, icon.height);
    bold.draw(letter, "Z", style, x, baseline);
    Mask shadow(icon.width, icon.height);
    const int32_t offset = std::max(1, static_cast<int32_t>(size / 64.0f));
    maxInto(shadow, letter, offset, offset);
    paintOver(icon, shadow, withAlpha(hexColor(0x000000), 0.6f));
    paintOver(icon, letter, hexColor(0xffffff));
}

// Transparent outside a square with rounded corners.
void cutCorners(Raster& icon, float size) {
    Mask square(icon.width, icon.height);
    const float inset = size * 0.03f;
    drawRoundedBox(square, inset, inset, size - inset, size - inset, size * 0.18f);
    for (size_t i = 0; i < icon.cells.size(); ++i) {
        icon.cells[i].a = square.cells[i];
    }
}

}  // namespace

Pixmap paintIcon(TextRenderer& bold, int32_t size) {
    const float side = static_cast<float>(size);
    Raster icon(size, size, hexColor(0x000000));
    paintBackdrop(icon, side);
    paintTunnel(icon, side);
    paintLetter(icon, bold, side);
    cutCorners(icon, side);
    return toPixmap(icon, 4, Dither::Hashed);
}

bool writeIcon(const std::string& path, int32_t size, std::string& error) {
    if (size < kSmallestIcon || size > kLargestIcon) {
        error = "the icon's size must be from 16 to 1024 pixels";
        return false;
    }
    TextureFonts fonts;
    if (!loadTextureFonts(fonts, error)) {
        return false;
    }
    std::vector<uint8_t> png;
    if (!encodePng(pngPicture(paintIcon(fonts.bold, size)), PngCompression::Small, png, error)) {
        error = "cannot encode the icon: " + error;
        return false;
    }
    // Written whole under a temporary name, then renamed, as every file of the data tree.
    const std::filesystem::path file = std::filesystem::absolute(path);
    return DataTree(file.parent_path()).write(file.filename().string(), png, error);
}
