#pragma once
// The demo's pictures: sixteen PNG files under Textures/, each painted by its own function from
// fixed seeds and the two DejaVu fonts, so every run writes the same bytes. The recipe table is
// the list of files; writeTextures walks it. Painters return finished 8-bit pixmaps (RGB, or
// RGBA where the demo blends by alpha), top row first.

#include <array>
#include <string>
#include <string_view>

#include "tools/generator/data_tree.h"
#include "tools/generator/pixmap.h"
#include "tools/generator/text_renderer.h"

constexpr const char* kBoldFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
constexpr const char* kMonoFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

struct TextureFonts {
    TextRenderer bold;  // titles and words
    TextRenderer mono;  // program listings
};

// False, with the font file and the reason in `error`, when a font cannot be loaded.
bool loadTextureFonts(TextureFonts& fonts, std::string& error);

struct TextureRecipe {
    const char* file;  // relative to the data tree's root
    Pixmap (*paint)(TextureFonts& fonts);
};

constexpr size_t kTextureRecipeCount = 16;
extern const std::array<TextureRecipe, kTextureRecipeCount> kTextureRecipes;

// The recipe writing `file`, or nullptr.
const TextureRecipe* findTextureRecipe(std::string_view file);

// Paints and writes every picture. False, with the reason in `error`, at the first failure.
bool writeTextures(const DataTree& tree, std::string& error);

// The title picture, 2048x1536 RGB, shown full screen at 4:3.
Pixmap paintWelcome(TextureFonts& fonts);
// The closing picture, 2048x1536 RGBA, faded in by alpha over the last scene.
Pixmap paintTheEnd(TextureFonts& fonts);
// A word in white on transparent, 512x128 RGBA, alpha = glyph coverage.
Pixmap paintWord(TextureFonts& fonts, std::string_view word);

// The tunnel wall, 256x256 RGB, tiling in both directions.
Pixmap paintEnvX(TextureFonts& fonts);
// A sphere-map reflection of a studio sky, 256x256 RGB.
Pixmap paintEnvY(TextureFonts& fonts);
// The finale's sky, 512x256 RGB, zenith at the top, tiling horizontally.
Pixmap paintSky(TextureFonts& fonts);

// Glowing program text, 1024x2048 RGB, tiling vertically; a and b show different listings.
Pixmap paintSourceA(TextureFonts& fonts);
Pixmap paintSourceB(TextureFonts& fonts);

// A soft glow on black for additive particles, 128x128 RGB, black on every border pixel.
Pixmap paintParticle(TextureFonts& fonts);
// Fine scanlines, 4x2048 RGB: 150 bright lines, rows constant across, tiling.
Pixmap paintLines(TextureFonts& fonts);
// 16:9 letterbox bars, 4x2048 RGBA: opaque black top and bottom eighths, transparent between.
Pixmap paintFrame169(TextureFonts& fonts);
