// The laboratory's shell: the recipe table and its writer, and the pictures of the floors, the
// roofs, the walls and the passage. Relief is a height field lit by one fixed
// light and darkened where a blurred copy stands above it (ambient occlusion); all distances
// that shape a picture are measured with its repeat in mind, so repeating pictures meet
// without a seam.

#include "tools/generator/deform_textures.h"

#include <cmath>
#include <vector>

#include "tools/generator/blur.h"
#include "tools/generator/noise.h"
#include "tools/generator/paint.h"
#include "tools/generator/portable_math.h"
#include "tools/generator/raster.h"
#include "tools/generator/relief.h"

const std::array<DeformTextureRecipe, kDeformTextureRecipeCount> kDeformTextureRecipes = {{
    {kDeformFloorTexture, 256, 256, 3, DeformTiling::Both, paintDeformFloor},
    {kDeformRoofTexture, 256, 256, 3, DeformTiling::Both, paintDeformRoof},
    {kDeformWall1Texture, 128, 512, 3, DeformTiling::Horizontal, paintDeformWall1},
    {kDeformWall2Texture, 128, 512, 3, DeformTiling::Horizontal, paintDeformWall2},
    {kDeformWindowTexture, 256, 256, 4, DeformTiling::None, paintDeformWindow},
    {kDeformWoodTexture, 256, 256, 3, DeformTiling::Both, paintDeformWood},
    {kDeformStoneTexture, 256, 256, 3, DeformTiling::Both, paintDeformStone},
    {kDeformHolderTexture, 128, 128, 3, DeformTiling::Both, paintDeformHolder},
    {kDeformPassageTexture, 256, 256, 3, DeformTiling::Both, paintDeformPassage},
    {kDeformGrateTexture, 128, 128, 3, DeformTiling::Both, paintDeformGrate},
    {kDeformSlinkyTexture, 128, 128, 3, DeformTiling::Both, paintDeformSlinky},
    {kDeformStrangeTexture, 128, 128, 3, DeformTiling::Both, paintDeformStrange},
}};

bool writeDeformTextures(const DataTree& tree, std::string& error) {
    std::vector<uint8_t> png;
    for (const DeformTextureRecipe& recipe : kDeformTextureRecipes) {
        if (!encodePng(pngPicture(recipe.paint()), PngCompression::Small, png, error)) {
            error = std::string("cannot encode ") + recipe.file + ": " + error;
            return false;
        }
        if (!tree.write(recipe.file, png, error)) {
            return false;
        }
    }
    return true;
}

namespace {

// Pixels of flat bottom (or top) on each side of a groove's (or bar's) middle. NOTE: at least
// 1.5, so where a groove lies on the picture's edge both edge pixels, and their neighbours
// across the wrap, see the same level and shade alike.
constexpr float kFlatSeam = 1.6f;

// A direction towards the light in picture space: x right, y down the picture, z out of it.
struct Direction {
    double x = 0.0;
    double y = 0.0;
    double z = 1.0;
};

Direction normalised(Direction d) {
    const double length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    return {d.x / length, d.y / length, d.z / length};
}

struct Shade {
    float diffuse = 1.0f;   // Lambert, 1 where the surface is flat
    float specular = 0.0f;  // Blinn, viewer straight out of the picture
};

// The height field's shade at (x, y) with `relief` pixels of slope per unit of height. x wraps;
// y wraps when `wrapY`, else holds at the border.
Shade shadeRelief(const Mask& height, int32_t x, int32_t y, bool wrapY, double relief,
                  Direction light) {
    const auto h = [&](int32_t sx, int32_t sy) {
        const int32_t row = wrapY ? Mask::wrap(sy, height.height) : Mask::clamp(sy, height.height);
        return static_cast<double>(height.at(Mask::wrap(sx, height.width), row));
    };
    const double dx = 0.5 * relief * (h(x + 1, y) - h(x - 1, y));
    const double dy = 0.5 * relief * (h(x, y + 1) - h(x, y - 1));
    const double length = std::sqrt(dx * dx + dy * dy + 1.0);
    const double facing = (-dx * light.x - dy * light.y + light.z) / length;
    const Direction half = normalised({light.x, light.y, light.z + 1.0});
    const double halfFacing = (-dx * half.x - dy * half.y + half.z) / length;
    return {static_cast<float>(std::fmax(0.0, facing) / light.z),
            static_cast<float>(portablePow(std::fmax(0.0, halfFacing), 40.0))};
}

// ---------------------------------------------------------------------------------------------
// Floor: 2x2 steel plates of 128 pixels (4 world units) with diamond tread, seams on the
// picture's edges and its middle, rivets in the plates' corners.

constexpr int32_t kFloorSize = 256;
constexpr float kPlateSize = 128.0f;  // pixels

// Raised lozenges in 16-pixel cells, turned +-45 degrees in a checkerboard; 0..1.
float treadHeight(float px, float py) {
    constexpr float kCell = 16.0f;
    const float cx = std::floor(px / kCell);
    const float cy = std::floor(py / kCell);
    const float lx = px - (cx + 0.5f) * kCell;
    const float ly = py - (cy + 0.5f) * kCell;
    const float turn = (static_cast<int32_t>(cx + cy) & 1) != 0 ? 1.0f : -1.0f;
    const float along = (lx + turn * ly) * 0.70710678f / 6.5f;
    const float across = (lx - turn * ly) * 0.70710678f / 3.0f;
    const float r2 = along * along + across * across;
    // NOTE: (1 - r^2)^2 has no hard rim, so the lit relief shows no one-pixel edge to shimmer.
    return r2 < 1.0f ? (1.0f - r2) * (1.0f - r2) : 0.0f;
}

// A dome of 4.2 pixels' radius, 7 pixels in from both edges of a plate's corner; 0..1.
float rivetHeight(float edgeX, float edgeY) {
    constexpr float kInset = 7.0f;
    constexpr float kRadius = 4.2f;
    const float dx = (edgeX - kInset) / kRadius;
    const float dy = (edgeY - kInset) / kRadius;
    const float r2 = dx * dx + dy * dy;
    return r2 < 1.0f ? std::sqrt(1.0f - r2) * (1.0f - 0.3f * r2) : 0.0f;
}

// Pixels from the pixel's centre to the nearest plate seam.
float plateEdge(int32_t x, int32_t y) {
    return std::fmin(gridDistance(centre(x), kPlateSize), gridDistance(centre(y), kPlateSize));
}

Mask floorHeight() {
    Mask height(kFloorSize, kFloorSize);
    for (int32_t y = 0; y < kFloorSize; ++y) {
        for (int32_t x = 0; x < kFloorSize; ++x) {
            const float edge = plateEdge(x, y);
            const float inner = smoothstep(11.0f, 15.0f, edge);
            const float dents = fractalNoise(x / 32.0, y / 32.0, 8, 8, 3, 211u);
            const float rivet = rivetHeight(gridDistance(centre(x), kPlateSize),
                                            gridDistance(centre(y), kPlateSize));
            height.at(x, y) = 0.8f * smoothstep(kFlatSeam, 4.2f, edge) +
                              0.25f * inner * treadHeight(centre(x), centre(y)) + 0.5f * rivet +
                              0.06f * dents;
        }
    }
    return height;
}

Color floorAlbedo(int32_t x, int32_t y, float tread, float seamGrime) {
    const int32_t plateX = x / static_cast<int32_t>(kPlateSize);
    const int32_t plateY = y / static_cast<int32_t>(kPlateSize);
    const float tone = 0.9f + 0.2f * hashUnit(plateX, plateY, 223u);
    // Each plate brushed across its neighbours' grain.
    const bool acrossX = ((plateX + plateY) & 1) != 0;
    const float brushed = acrossX ? fractalNoise(x / 2.0, y / 32.0, 128, 8, 3, 227u)
                                  : fractalNoise(x / 32.0, y / 2.0, 8, 128, 3, 227u);
    const float grime = fractalNoise(x / 64.0, y / 64.0, 4, 4, 4, 229u);
    const float wear = smoothstep(0.5f, 0.75f, fractalNoise(x / 64.0, y / 64.0, 4, 4, 3, 233u));
    Color albedo = hexColor(0x4c5868) * tone * (0.9f + 0.2f * brushed);
    albedo = albedo * (0.72f + 0.5f * grime) * (1.0f - 0.45f * seamGrime);
    // Boots polish the tread's tops.
    return albedo + hexColor(0x8c9aac) * (tread * (0.12f + 0.25f * wear));
}

// ---------------------------------------------------------------------------------------------
// Roof: 64-pixel (2 world unit) panels, and one light in an opening of 128x64 pixels in the
// middle, framed by a trim. The panels near the light catch more of it.

constexpr int32_t kRoofSize = 256;
constexpr float kRoofPanel = 64.0f;  // pixels
constexpr float kLightLeft = 64.0f;
constexpr float kLightTop = 96.0f;
constexpr float kLightRight = 192.0f;
constexpr float kLightBottom = 160.0f;
constexpr float kLightTrim = 6.0f;  // pixels of frame inside the opening

// Signed distance to the light's opening, in pixels, negative inside.
float roofOpening(float px, float py) {
    return roundedBoxDistance(px, py, kLightLeft, kLightTop, kLightRight, kLightBottom, 2.0f);
}

// Distance to the nearest light in this or a neighbouring picture, in pixels.
float roofLightDistance(float px, float py) {
    float nearest = 1e9f;
    for (const float ox : {-1.0f, 0.0f, 1.0f}) {
        for (const float oy : {-1.0f, 0.0f, 1.0f}) {
            const float d = roofOpening(px + ox * kRoofSize, py + oy * kRoofSize);
            nearest = std::fmin(nearest, std::fmax(0.0f, d));
        }
    }
    return nearest;
}

Mask roofHeight() {
    Mask height(kRoofSize, kRoofSize);
    for (int32_t y = 0; y < kRoofSize; ++y) {
        for (int32_t x = 0; x < kRoofSize; ++x) {
            const float px = centre(x);
            const float py = centre(y);
            const float opening = roofOpening(px, py);
            float h = 0.0f;
            if (opening > 0.0f) {
                const float seam = std::fmin(gridDistance(px, kRoofPanel),
                                             gridDistance(py - 0.5f * kRoofPanel, kRoofPanel));
                h = smoothstep(kFlatSeam, 3.2f, std::fmin(seam, opening));
            } else {
                // The trim bevels down from the opening's edge to the recessed diffuser.
                h = 1.0f - 0.8f * smoothstep(1.0f, kLightTrim, -opening);
            }
            height.at(x, y) = h + 0.03f * fractalNoise(x / 8.0, y / 8.0, 32, 32, 2, 307u);
        }
    }
    return height;
}

Color roofAlbedo(int32_t x, int32_t y) {
    const int32_t panelX = x / static_cast<int32_t>(kRoofPanel);
    const int32_t panelY =
        (y + static_cast<int32_t>(kRoofPanel / 2)) / static_cast<int32_t>(kRoofPanel);
    const float seam = std::fmin(gridDistance(centre(x), kRoofPanel),
                                 gridDistance(centre(y) - 0.5f * kRoofPanel, kRoofPanel));
    // Each panel its own tone, fading out into the seams so neighbours meet on one level.
    const float tone = 1.0f + smoothstep(0.0f, 4.0f, seam) *
                                  (0.1f * hashUnit(panelX % 4, panelY % 4, 311u) - 0.05f);
    const float speckle = fractalNoise(x / 4.0, y / 4.0, 64, 64, 2, 313u);
    const float stain = fractalNoise(x / 64.0, y / 64.0, 4, 4, 4, 317u);
    return hexColor(0x8a8e94) * tone * (0.95f + 0.08f * speckle) * (0.88f + 0.2f * stain);
}

// Coverage of the light's diffuser, inside the trim.
Mask roofDiffuser() {
    Mask diffuser(kRoofSize, kRoofSize);
    for (int32_t y = 0; y < kRoofSize; ++y) {
        for (int32_t x = 0; x < kRoofSize; ++x) {
            diffuser.at(x, y) = clamp01(-0.5f - roofOpening(centre(x), centre(y)) - kLightTrim);
        }
    }
    return diffuser;
}

// The diffuser's colour at row `py`: two tubes show through it, brightest along their middles.
Color roofDiffuserColor(float py) {
    float tubes = 0.0f;
    for (const float tubeY : {kLightTop + 20.0f, kLightBottom - 20.0f}) {
        const float d = (py - tubeY) / 9.0f;
        tubes += static_cast<float>(portableExp(-0.5 * d * d));
    }
    return hexColor(0xe6eefa) * (0.86f + 0.3f * tubes);
}

// Bloom round the light: a tight halo, a wider one over the trim and a broad one over the
// panels. NOTE: none over the diffuser itself, which would clip it flat and hide its tubes.
Mask roofBloom(const Mask& diffuser) {
    const Mask tight = gaussianBlur(diffuser, 3.0f, Edge::Wrap, Edge::Wrap);
    const Mask wide = gaussianBlur(diffuser, 12.0f, Edge::Wrap, Edge::Wrap);
    const Mask broad = gaussianBlur(diffuser, 36.0f, Edge::Wrap, Edge::Wrap);
    Mask bloom(kRoofSize, kRoofSize);
    for (size_t i = 0; i < bloom.cells.size(); ++i) {
        bloom.cells[i] = (0.3f * tight.cells[i] + 0.6f * wide.cells[i] + 0.5f * broad.cells[i]) *
                         (1.0f - diffuser.cells[i]);
    }
    return bloom;
}

// ---------------------------------------------------------------------------------------------
// Walls: 128x512 pixels over 4 x 14 world units, the floor at the bottom row. Heights along the
// wall are fractions of its height measured up from the floor.

constexpr int32_t kWallWidth = 128;
constexpr int32_t kWallHeight = 512;
constexpr float kKickTop = 0.08f;
constexpr float kStripesTop = 0.115f;
constexpr float kBandMiddle = 0.4f;
constexpr float kBandHalf = 15.0f;  // pixels, half the band's height
constexpr float kUpperSeam = 0.72f;

struct WallStyle {
    Color panel;
    Color band;
    Color kick;
    Color light;     // the rooms' light on the wall, white = room 1
    float bandGlow;  // how much the band's middle shines by itself, 0..1
    bool warnings;   // hazard stripes above the kick plate
    uint32_t seed;
};

// Pixels from the wall's feature at `fraction` of its height, for a row centre `py`.
float wallRowsFrom(float py, float fraction) {
    return std::fabs(py - (1.0f - fraction) * kWallHeight);
}

Mask wallHeight(const WallStyle& style) {
    Mask height(kWallWidth, kWallHeight);
    const float kickTop = (1.0f - kKickTop) * kWallHeight;
    for (int32_t y = 0; y < kWallHeight; ++y) {
        for (int32_t x = 0; x < kWallWidth; ++x) {
            const float py = centre(y);
            const float seam =
                std::fmin(gridDistance(centre(x), kWallWidth), wallRowsFrom(py, kUpperSeam));
            float h = 0.6f * smoothstep(kFlatSeam, 4.0f, seam);
            // The band is a rail standing out of the wall, rounded at its edges.
            const float band =
                smoothstep(kBandHalf + 1.0f, kBandHalf - 3.0f, wallRowsFrom(py, kBandMiddle));
            h = std::fmax(h, 1.1f * band);
            // The kick plate stands out further, with a lip along its top.
            if (py > kickTop - 3.0f) {
                h = std::fmax(h, 0.6f + 0.9f * smoothstep(kickTop - 3.0f, kickTop + 1.0f, py));
            }
            h += 0.02f * fractalNoise(x / 16.0, y / 16.0, 8, 0, 3, style.seed);
            height.at(x, y) = h;
        }
    }
    return height;
}

// 1 where the stripes are yellow, 0 where dark, soft-edged; 45 degrees, 32 pixels apart.
float warningStripe(float px, float py) {
    const float phase = (px + py) / 32.0f;
    const float t = phase - std::floor(phase);
    return smoothstep(0.0f, 0.06f, t) * (1.0f - smoothstep(0.5f, 0.56f, t));
}

Color wallAlbedo(const WallStyle& style, int32_t x, int32_t y) {
    const float px = centre(x);
    const float up = 1.0f - centre(y) / kWallHeight;  // fraction of the height above the floor
    const float streaks = fractalNoise(x / 8.0, y / 64.0, 16, 0, 3, style.seed + 1u);
    const float blotch = fractalNoise(x / 32.0, y / 32.0, 4, 0, 4, style.seed + 2u);
    Color albedo = style.panel * (0.93f + 0.1f * streaks) * (0.92f + 0.14f * blotch);
    const float bandRows = wallRowsFrom(centre(y), kBandMiddle);
    albedo = mix(albedo, style.band * (0.95f + 0.1f * streaks),
                 smoothstep(kBandHalf + 1.0f, kBandHalf - 1.0f, bandRows));
    if (style.warnings && up >= kKickTop && up < kStripesTop) {
        const float edge = std::fmin(up - kKickTop, kStripesTop - up) * kWallHeight;
        const Color stripes =
            mix(hexColor(0x1e1c1a), hexColor(0xe0a322), warningStripe(px, centre(y)));
        albedo = mix(albedo, stripes * (0.85f + 0.2f * blotch), smoothstep(0.0f, 2.0f, edge));
    }
    if (up < kKickTop) {
        const float scuff =
            smoothstep(0.55f, 0.8f, fractalNoise(x / 16.0, y / 4.0, 8, 0, 3, style.seed + 3u));
        albedo = style.kick * (0.9f + 0.15f * blotch) + hexColor(0x303438) * (0.5f * scuff);
    }
    return withAlpha(albedo, 1.0f);
}

// How much of the rooms' light reaches the wall at `up` (fraction of its height above the
// floor): more towards the lights on the roof, less in the corners by floor and roof.
float wallLighting(float up) {
    const float rowsFromFloor = up * kWallHeight;
    const float rowsFromRoof = (1.0f - up) * kWallHeight;
    const float floorCorner = 1.0f - 0.5f * static_cast<float>(portableExp(-rowsFromFloor / 26.0));
    const float roofCorner = 1.0f - 0.45f * static_cast<float>(portableExp(-rowsFromRoof / 20.0));
    return (0.72f + 0.3f * smoothstep(0.0f, 0.9f, up)) * floorCorner * roofCorner;
}

Pixmap paintWall(const WallStyle& style) {
    const Mask height = wallHeight(style);
    const Mask open = occlusion(height, 4.0f, 1.6f, Edge::Clamp);
    // The light falls from above.
    const Direction light = normalised({-0.15, -0.75, 0.65});
    Raster wall(kWallWidth, kWallHeight);
    Mask bandLight(kWallWidth, kWallHeight);
    for (int32_t y = 0; y < kWallHeight; ++y) {
        const float up = 1.0f - centre(y) / kWallHeight;
        const float lighting = wallLighting(up);
        const float bandLine = 1.0f - smoothstep(1.0f, 3.0f, wallRowsFrom(centre(y), kBandMiddle));
        for (int32_t x = 0; x < kWallWidth; ++x) {
            const Shade shade = shadeRelief(height, x, y, false, 6.0, light);
            const float lit = lighting * (0.35f + 0.65f * shade.diffuse) * open.at(x, y);
            wall.at(x, y) = withAlpha(wallAlbedo(style, x, y) * style.light * lit +
                                          style.light * (0.12f * shade.specular),
                                      1.0f);
            bandLight.at(x, y) = bandLine;
        }
    }
    if (style.bandGlow > 0.0f) {
        paintAdd(wall, bandLight, withAlpha(style.band, style.bandGlow));
        addGlow(wall, bandLight, withAlpha(style.band, 0.6f * style.bandGlow), 6.0f, Edge::Wrap,
                Edge::Clamp);
    }
    return toPixmap(wall, 3, Dither::Hashed);
}

// ---------------------------------------------------------------------------------------------
// Passage: ribbed dark metal with u along the passage (x) and v across a face (y), a strip
// light along the middle of v that lights the ribs near it, and corners darker at v = 0 and 1.

constexpr int32_t kPassageSize = 256;
constexpr float kRibPeriod = 32.0f;    // pixels, 0.75 world units
constexpr float kStripHalf = 6.0f;     // pixels, the glowing strip
constexpr float kHousingHalf = 12.0f;  // pixels, the strip's metal housing
constexpr float kClipPeriod = 128.0f;  // pixels between the clips holding the strip

Mask passageHeight() {
    Mask height(kPassageSize, kPassageSize);
    for (int32_t y = 0; y < kPassageSize; ++y) {
        const float across = std::fabs(centre(y) - 0.5f * kPassageSize);
        for (int32_t x = 0; x < kPassageSize; ++x) {
            // Rounded ribs 20 pixels wide between flat sheet, their middles half a period off
            // the picture's edge, and a seam between sheets every 128 pixels, between ribs.
            // NOTE: a cosine profile, so the lit flanks are broad bands, not lines that shimmer.
            const float ribMiddle = gridDistance(centre(x) - 0.5f * kRibPeriod, kRibPeriod);
            const float ribSpan = std::fmin(ribMiddle / 10.0f, 1.0f);
            const float rib = 0.5f + 0.5f * static_cast<float>(cosTurns(0.5 * ribSpan));
            const float sheetSeam =
                smoothstep(kFlatSeam, 3.5f, gridDistance(centre(x) - 64.0f, 128.0f));
            float h = 0.35f * sheetSeam + 0.45f * rib;
            // The housing stands over the ribs; the strip sits recessed in it.
            const float housing = smoothstep(kHousingHalf + 1.0f, kHousingHalf - 2.0f, across);
            const float recess = smoothstep(kStripHalf + 2.0f, kStripHalf, across);
            h = mix(h, 1.1f - 0.3f * recess, housing);
            height.at(x, y) = h + 0.03f * fractalNoise(x / 16.0, y / 16.0, 16, 16, 3, 401u);
        }
    }
    return height;
}

// The glowing strip, interrupted by clips.
Mask passageStrip() {
    Mask strip(kPassageSize, kPassageSize);
    for (int32_t y = 0; y < kPassageSize; ++y) {
        const float across = std::fabs(centre(y) - 0.5f * kPassageSize);
        for (int32_t x = 0; x < kPassageSize; ++x) {
            const float clip = smoothstep(3.0f, 5.0f, gridDistance(centre(x), kClipPeriod));
            strip.at(x, y) = clamp01(kStripHalf + 0.5f - across) * clip;
        }
    }
    return strip;
}

}  // namespace

Pixmap paintDeformFloor() {
    const Mask height = floorHeight();
    const Mask open = occlusion(height, 3.0f, 1.4f, Edge::Wrap);
    Mask seams(kFloorSize, kFloorSize);
    for (int32_t y = 0; y < kFloorSize; ++y) {
        for (int32_t x = 0; x < kFloorSize; ++x) {
            seams.at(x, y) = 1.0f - smoothstep(1.0f, 4.0f, plateEdge(x, y));
        }
    }
    const Mask grime = gaussianBlur(seams, 5.0f, Edge::Wrap, Edge::Wrap);
    const Direction light = normalised({-0.35, -0.55, 0.76});
    Raster floor(kFloorSize, kFloorSize);
    for (int32_t y = 0; y < kFloorSize; ++y) {
        for (int32_t x = 0; x < kFloorSize; ++x) {
            const float tread =
                smoothstep(11.0f, 15.0f, plateEdge(x, y)) * treadHeight(centre(x), centre(y));
            const Shade shade = shadeRelief(height, x, y, true, 7.0, light);
            const Color albedo = floorAlbedo(x, y, tread, clamp01(1.6f * grime.at(x, y)));
            const float lit =
                (0.3f + 0.7f * shade.diffuse) * open.at(x, y) * (1.0f - 0.4f * seams.at(x, y));
            floor.at(x, y) =
                withAlpha(albedo * lit + hexColor(0xb8c8dc) * (0.18f * shade.specular), 1.0f);
        }
    }
    return toPixmap(floor, 3, Dither::Hashed);
}

Pixmap paintDeformRoof() {
    const Mask height = roofHeight();
    const Mask open = occlusion(height, 3.0f, 1.5f, Edge::Wrap);
    const Mask diffuser = roofDiffuser();
    Raster roof(kRoofSize, kRoofSize);
    for (int32_t y = 0; y < kRoofSize; ++y) {
        for (int32_t x = 0; x < kRoofSize; ++x) {
            const float px = centre(x);
            const float py = centre(y);
            // The bevels facing the light catch it. NOTE: the lean towards it is a sine of the
            // position, so it changes smoothly where the picture wraps.
            const Direction light = normalised({0.6 * sinTurns((128.0 - px) / kRoofSize),
                                                0.6 * sinTurns((128.0 - py) / kRoofSize), 0.75});
            const Shade shade = shadeRelief(height, x, y, true, 6.0, light);
            const float near = roofLightDistance(px, py) / 80.0f;
            const float spill = 0.66f + 0.45f * static_cast<float>(portableExp(-near * near));
            const bool trim = roofOpening(px, py) <= 0.0f;
            const Color albedo = trim ? hexColor(0xc4c9d0) : roofAlbedo(x, y);
            const float lit = spill * (0.4f + 0.6f * shade.diffuse) * open.at(x, y);
            roof.at(x, y) =
                withAlpha(mix(albedo * lit, roofDiffuserColor(py), diffuser.at(x, y)), 1.0f);
        }
    }
    paintAdd(roof, roofBloom(diffuser), hexColor(0xd4e2ff));
    return toPixmap(roof, 3, Dither::Hashed);
}

Pixmap paintDeformWall1() {
    return paintWall({hexColor(0xb8c4d0), hexColor(0x178f8c), hexColor(0x2c333c),
                      hexColor(0xffffff), 0.0f, false, 601u});
}

Pixmap paintDeformWall2() {
    // NOTE: darker and warmer than room 1 so the slinky's glow in the middle of room 2 stands
    // out; the band's thin lit line is the room's only other colour.
    return paintWall({hexColor(0x4a4c58), hexColor(0xd97a1c), hexColor(0x1e1f24),
                      hexColor(0xe8d6c0), 0.55f, true, 701u});
}

Pixmap paintDeformPassage() {
    const Mask height = passageHeight();
    const Mask open = occlusion(height, 4.0f, 1.5f, Edge::Wrap);
    const Mask strip = passageStrip();
    Raster passage(kPassageSize, kPassageSize);
    for (int32_t y = 0; y < kPassageSize; ++y) {
        const float fromStrip = centre(y) - 0.5f * kPassageSize;  // pixels, down positive
        // The light comes from the strip: from below above it, from above below it. NOTE: the
        // lean is a sine of the row, so it turns over smoothly where the picture wraps.
        const Direction light =
            normalised({-0.45, -0.55 * sinTurns(fromStrip / kPassageSize), 0.7});
        const float reach = std::fabs(fromStrip) / 80.0f;
        const float lighting = 0.45f + 1.0f * static_cast<float>(portableExp(-reach * reach));
        const float corner =
            1.0f - 0.5f * static_cast<float>(
                              portableExp(-(0.5f * kPassageSize - std::fabs(fromStrip)) / 14.0));
        for (int32_t x = 0; x < kPassageSize; ++x) {
            const Shade shade = shadeRelief(height, x, y, true, 8.0, light);
            const float brushed = fractalNoise(x / 2.0, y / 32.0, 128, 8, 3, 409u);
            const float grime = fractalNoise(x / 32.0, y / 32.0, 8, 8, 4, 419u);
            const Color albedo =
                hexColor(0x444b55) * (0.9f + 0.15f * brushed) * (0.8f + 0.35f * grime);
            const float lit = lighting * corner * (0.3f + 0.7f * shade.diffuse) * open.at(x, y);
            passage.at(x, y) = withAlpha(
                albedo * lit + hexColor(0xd8ecff) * (0.15f * lighting * shade.specular), 1.0f);
        }
    }
    paintOver(passage, strip, hexColor(0xeef8ff));
    addGlow(passage, strip, withAlpha(hexColor(0xd0ecff), 0.6f), 4.0f, Edge::Wrap, Edge::Wrap);
    addGlow(passage, strip, withAlpha(hexColor(0x9ccfff), 0.5f), 14.0f, Edge::Wrap, Edge::Wrap);
    addGlow(passage, strip, withAlpha(hexColor(0x80b8ff), 0.35f), 40.0f, Edge::Wrap, Edge::Wrap);
    return toPixmap(passage, 3, Dither::Hashed);
}
