#include "tools/generator/textures.h"

#include "resources/data_manifest.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/generator/portable_math.h"
#include "tools/generator/raster.h"

namespace {

Pixmap paintAnd(TextureFonts& fonts) {
    return paintWord(fonts, "and");
}
Pixmap paintZentrox(TextureFonts& fonts) {
    return paintWord(fonts, "zentrox");
}
Pixmap paintRq73(TextureFonts& fonts) {
    return paintWord(fonts, "rq73");
}
Pixmap paintTelun(TextureFonts& fonts) {
    return paintWord(fonts, "telun");
}
Pixmap paintPresent(TextureFonts& fonts) {
    return paintWord(fonts, "present");
}
Pixmap paintMorva(TextureFonts& fonts) {
    return paintWord(fonts, "morva");
}

}  // namespace

// In the order of the texture table's pictures, whose names they take.
const std::array<TextureRecipe, kTextureRecipeCount> kTextureRecipes = {{
    {kPictureFiles[0].name, paintEnvX},
    {kPictureFiles[1].name, paintEnvY},
    {kPictureFiles[2].name, paintSky},
    {kPictureFiles[3].name, paintWelcome},
    {kPictureFiles[4].name, paintParticle},
    {kPictureFiles[5].name, paintSourceA},
    {kPictureFiles[6].name, paintSourceB},
    {kPictureFiles[7].name, paintLines},
    {kPictureFiles[8].name, paintFrame169},
    {kPictureFiles[9].name, paintTheEnd},
    {kPictureFiles[10].name, paintAnd},
    {kPictureFiles[11].name, paintZentrox},
    {kPictureFiles[12].name, paintRq73},
    {kPictureFiles[13].name, paintTelun},
    {kPictureFiles[14].name, paintPresent},
    {kPictureFiles[15].name, paintMorva},
}};

const TextureRecipe* findTextureRecipe(std::string_view file) {
    for (const TextureRecipe& recipe : kTextureRecipes) {
        if (file == recipe.file) {
            return &recipe;
        }
    }
    return nullptr;
}

bool loadTextureFonts(TextureFonts& fonts, std::string& error) {
    return fonts.bold.load(kBoldFontFile, error) && fonts.mono.load(kMonoFontFile, error);
}

bool writeTextures(const DataTree& tree, std::string& error) {
    TextureFonts fonts;
    if (!loadTextureFonts(fonts, error)) {
        return false;
    }
    std::vector<uint8_t> png;
    for (const TextureRecipe& recipe : kTextureRecipes) {
        if (!encodePng(pngPicture(recipe.paint(fonts)), PngCompression::Small, png, error)) {
            error = std::string("cannot encode ") + recipe.file + ": " + error;
            return false;
        }
        if (!tree.write(recipe.file, png, error)) {
            return false;
        }
    }
    return true;
}

Pixmap paintParticle(TextureFonts&) {
    constexpr int32_t kSize = 128;
    Raster glow(kSize, kSize, {0.0f, 0.0f, 0.0f, 1.0f});
    for (int32_t y = 0; y < kSize; ++y) {
        for (int32_t x = 0; x < kSize; ++x) {
            // r: 0 at the centre, 1 at the middle of each border.
            const float dx = (static_cast<float>(x) + 0.5f) / (kSize / 2) - 1.0f;
            const float dy = (static_cast<float>(y) + 0.5f) / (kSize / 2) - 1.0f;
            const float r = std::sqrt(dx * dx + dy * dy);
            // Three falloffs, each 0 from the border on: a wide soft body, a tighter halo and
            // a hot core.
            const float fade = clamp01(1.0f - r);
            const float body = clamp01(1.0f - r * r);
            const float core = static_cast<float>(portableExp(-r * r * 40.0));
            const float value =
                0.3f * body * body + 0.45f * fade * fade * fade + 0.45f * core * fade;
            glow.at(x, y) = {value * 1.0f, value * 0.97f, value * 0.92f, 1.0f};
        }
    }
    return toPixmap(glow, 3, Dither::None);
}

Pixmap paintLines(TextureFonts&) {
    // NOTE: 150 bright lines with dark gaps, so that at 600 lines a line is about one pixel
    // high every 4 pixels, and as fine again at any size: fine CRT scanlines when added at
    // 0.2. The rows are constant across, so 4 columns do, and 2048 rows stay sharp in the
    // 1843-pixel scene picture of 2160 lines.
    constexpr int32_t kWidth = 4;
    constexpr int32_t kHeight = 2048;
    constexpr double kLines = 150.0;
    constexpr double kSharpness = 0.13;  // of a period: the line's half width at 1/e
    Raster lines(kWidth, kHeight);
    for (int32_t y = 0; y < kHeight; ++y) {
        const double position = (y + 0.5) * kLines / kHeight;
        const double phase = position - std::floor(position);  // 0 at a line's centre
        const double distance = std::min(phase, 1.0 - phase) / kSharpness;
        const float level = static_cast<float>(portableExp(-distance * distance));
        for (int32_t x = 0; x < kWidth; ++x) {
            lines.at(x, y) = {level, level, level, 1.0f};
        }
    }
    return toPixmap(lines, 3, Dither::None);
}

Pixmap paintFrame169(TextureFonts&) {
    // A 4:3 screen shows 16:9 when 1/8 of its height is covered at the top and at the bottom:
    // (3/4) / (9/16) = 4/3, and 1 - 3/4 = 1/4 split in two. The rows are constant across, so
    // 4 columns do; 2048 rows keep the bars' edges sharp at 2160 lines.
    constexpr int32_t kWidth = 4;
    constexpr int32_t kHeight = 2048;
    constexpr int32_t kBar = kHeight / 8;
    Raster frame(kWidth, kHeight, {0.0f, 0.0f, 0.0f, 0.0f});
    for (int32_t y = 0; y < kHeight; ++y) {
        if (y < kBar || y >= kHeight - kBar) {
            for (int32_t x = 0; x < kWidth; ++x) {
                frame.at(x, y).a = 1.0f;
            }
        }
    }
    return toPixmap(frame, 4, Dither::None);
}
