// The pictures made of letters: the title, the closing picture, the words and the listings.

#include <algorithm>
#include <cmath>
#include <span>

#include "tools/generator/blur.h"
#include "tools/generator/noise.h"
#include "tools/generator/paint.h"
#include "tools/generator/portable_math.h"
#include "tools/generator/program_listings.h"
#include "tools/generator/raster.h"
#include "tools/generator/textures.h"

namespace {

// NOTE: the full-screen pictures are 4:3, so that a pixel is square on the 4:3 screen, and
// are laid out in design units of a 1024x768 picture, each kUnit pixels wide. At 2048x1536
// they stay sharper than the scene picture they are drawn into, 1843 pixels high at 2160
// lines; at 600 lines that picture is 512 pixels high, so detail under about 6 pixels here is
// lost there: every stroke and gap of the letters and shapes is at least that wide; only the
// stars and the grain are finer, and they may blur.
constexpr float kUnit = 2.0f;  // pixels per design unit
// The full-screen pictures (title and closing), pixels.
constexpr int32_t kCanvasWidth = 2048;
constexpr int32_t kCanvasHeight = 1536;

constexpr float units(float designUnits) {
    return designUnits * kUnit;
}
constexpr int32_t unitPixels(int32_t designUnits) {
    return static_cast<int32_t>(designUnits * kUnit);
}

// Where a line of text landed: its ink box in picture pixels.
struct Placed {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// Draws `text` into `mask` centred on x = centreX with its ink's vertical middle at centreY.
Placed drawCentred(TextRenderer& font, Mask& mask, std::string_view text, TextStyle style,
                   int32_t centreX, int32_t centreY) {
    const TextMetrics m = font.measure(text, style);
    const int32_t x = centreX - (m.inkLeft + m.inkRight) / 2;
    const int32_t baseline = centreY - (m.inkTop + m.inkBottom) / 2;
    font.draw(mask, text, style, x, baseline);
    return {x + m.inkLeft, baseline + m.inkTop, x + m.inkRight, baseline + m.inkBottom};
}

// The largest pixel height, at most `largest`, at which `text` is no wider than `width`.
int32_t fittingHeight(TextRenderer& font, std::string_view text, int32_t tracking, int32_t width,
                      int32_t largest) {
    int32_t height = largest;
    while (height > 8) {
        const TextMetrics m = font.measure(text, {height, tracking});
        if (m.inkRight - m.inkLeft <= width) {
            break;
        }
        --height;
    }
    return height;
}

// Mask of coverage grown outwards by about `pixels`, for outlines and dark halos.
Mask grown(const Mask& mask, float pixels) {
    Mask halo = gaussianBlur(mask, pixels * 0.5f, Edge::Zero, Edge::Zero);
    scaleMask(halo, 3.0f);
    return halo;
}

// Chrome lettering: a gradient down the ink box, lit edges from a blurred copy of the mask
// (light from the upper left), painted over the canvas by the mask's coverage.
void paintChrome(Raster& canvas, const Mask& text, Placed box,
                 std::span<const GradientStop> stops) {
    const Mask soft = gaussianBlur(text, units(2.2f), Edge::Zero, Edge::Zero);
    const float height = static_cast<float>(std::max(1, box.bottom - box.top));
    for (int32_t y = 0; y < canvas.height; ++y) {
        const Color base = sampleGradient(stops, (static_cast<float>(y - box.top) + 0.5f) / height);
        for (int32_t x = 0; x < canvas.width; ++x) {
            const float coverage = text.at(x, y);
            if (coverage <= 0.0f) {
                continue;
            }
            // Slopes per design unit, so the light is the same at any resolution.
            const float gx = (soft.clamped(x + 1, y) - soft.clamped(x - 1, y)) * kUnit;
            const float gy = (soft.clamped(x, y + 1) - soft.clamped(x, y - 1)) * kUnit;
            const float facing = (gx * 0.55f + gy * 0.83f) * 2.2f;
            Color lit = base + hexColor(0xffffff) * (0.8f * clamp01(facing));
            lit = lit * (1.0f - 0.6f * clamp01(-facing));
            canvas.at(x, y) = over(canvas.at(x, y), withAlpha(lit, coverage));
        }
    }
}

// A four-pointed sparkle: long horizontal streak, short vertical one, round core.
void addSparkle(Raster& canvas, float cx, float cy, float reach, Color color) {
    for (int32_t y = 0; y < canvas.height; ++y) {
        for (int32_t x = 0; x < canvas.width; ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            const double thin = units(2.2f);
            const double round = units(9.0f);
            const double across =
                portableExp(-(dy * dy) / (2.0 * thin * thin)) * portableExp(-std::fabs(dx) / reach);
            const double down = portableExp(-(dx * dx) / (2.0 * thin * thin)) *
                                portableExp(-std::fabs(dy) / (reach * 0.15));
            const double core = portableExp(-(dx * dx + dy * dy) / (2.0 * round * round));
            canvas.at(x, y) = canvas.at(x, y) + color * static_cast<float>(across + down + core);
        }
    }
}

// Film grain: fine per-pixel grain and a slow mottle, both centred on 0.
void addGrain(Raster& canvas, float fine, float slow) {
    for (int32_t y = 0; y < canvas.height; ++y) {
        for (int32_t x = 0; x < canvas.width; ++x) {
            const float g =
                (hashUnit(x, y, 0xf11au) - 0.5f) * fine +
                (fractalNoise(x / units(48.0f), y / units(48.0f), 0, 0, 3, 0xf11bu) - 0.5f) * slow;
            Color& c = canvas.at(x, y);
            c = {c.r + g, c.g + g, c.b + g, c.a};
        }
    }
}

void darkenEdges(Raster& canvas, float strength) {
    const Mask ramp = radialRamp(canvas.width, canvas.height, canvas.width * 0.5f,
                                 canvas.height * 0.5f, canvas.width * 0.75f, canvas.height * 0.75f);
    for (size_t i = 0; i < canvas.cells.size(); ++i) {
        const float keep = 1.0f - strength * smoothstep(0.45f, 1.0f, ramp.cells[i]);
        Color& c = canvas.cells[i];
        c = {c.r * keep, c.g * keep, c.b * keep, c.a};
    }
}

// ---------------------------------------------------------------------------------------------
// Welcome: a night horizon with a striped setting sun and a glowing grid floor, the chrome
// title in front of the sun, and a tagline on the floor.

constexpr float kHorizon = 0.69f * kCanvasHeight;  // pixels from the top
constexpr float kSunRadius = units(200.0f);        // pixels

constexpr GradientStop kNightSky[] = {
    {0.0f, hexColor(0x04030f)},
    {0.45f, hexColor(0x120931)},
    {0.8f, hexColor(0x2a0d45)},
    {1.0f, hexColor(0x55155a)},
};
constexpr GradientStop kSunColors[] = {
    {0.0f, hexColor(0xffe680)},
    {0.45f, hexColor(0xffa040)},
    {1.0f, hexColor(0xff2a6e)},
};
constexpr GradientStop kTitleChrome[] = {
    {0.0f, hexColor(0xffffff)},  {0.22f, hexColor(0xcfe4ff)}, {0.5f, hexColor(0x5d7fd0)},
    {0.52f, hexColor(0x1b1240)}, {0.6f, hexColor(0x46207a)},  {0.8f, hexColor(0xff5ec4)},
    {1.0f, hexColor(0xffe6f6)},
};

// The sun's coverage: a disc whose lower half is cut by bands widening towards the horizon.
float sunCoverage(float px, float py) {
    const float cx = kCanvasWidth * 0.5f;
    const float d = std::sqrt((px - cx) * (px - cx) + (py - kHorizon) * (py - kHorizon));
    float coverage = clamp01(kSunRadius + 0.5f - d) * (py < kHorizon ? 1.0f : 0.0f);
    for (int32_t band = 0; band < 5; ++band) {
        const float centre = kHorizon - kSunRadius * (0.5f - 0.1f * static_cast<float>(band));
        const float halfGap = units(2.0f + 1.5f * static_cast<float>(band));
        coverage *= clamp01(std::fabs(py - centre) - halfGap + 0.5f);
    }
    return coverage;
}

void paintNightSky(Raster& canvas) {
    for (int32_t y = 0; y < canvas.height; ++y) {
        const float py = static_cast<float>(y) + 0.5f;
        const Color sky = sampleGradient(kNightSky, py / kHorizon);
        for (int32_t x = 0; x < canvas.width; ++x) {
            canvas.at(x, y) = sky;
        }
    }
}

void paintStars(Raster& canvas) {
    Mask stars(canvas.width, canvas.height);
    for (int32_t i = 0; i < 260; ++i) {
        const float x = hashUnit(i, 1, 0x57a2u) * kCanvasWidth;
        const float y =
            hashUnit(i, 2, 0x57a2u) * hashUnit(i, 3, 0x57a2u) * (kHorizon - units(40.0f));
        const float size = units(0.8f + 1.4f * hashUnit(i, 4, 0x57a2u) * hashUnit(i, 5, 0x57a2u));
        drawDisc(stars, x, y, size);
    }
    paintAdd(canvas, stars, withAlpha(hexColor(0xe8eeff), 0.8f));
    addGlow(canvas, stars, withAlpha(hexColor(0x9ab4ff), 0.9f), units(3.0f), Edge::Zero,
            Edge::Zero);
}

void paintSun(Raster& canvas) {
    Mask sun(canvas.width, canvas.height);
    Raster colors(canvas.width, canvas.height);
    for (int32_t y = 0; y < canvas.height; ++y) {
        const float py = static_cast<float>(y) + 0.5f;
        const Color tone = sampleGradient(kSunColors, (py - (kHorizon - kSunRadius)) / kSunRadius);
        for (int32_t x = 0; x < canvas.width; ++x) {
            sun.at(x, y) = sunCoverage(static_cast<float>(x) + 0.5f, py);
            colors.at(x, y) = withAlpha(tone, sun.at(x, y));
        }
    }
    addGlow(canvas, sun, withAlpha(hexColor(0xff3f8f), 0.55f), units(40.0f), Edge::Zero,
            Edge::Zero);
    compositeOver(canvas, colors);
}

// Coverage of the floor grid at a pixel below the horizon: lines across at equal depth steps
// and lines along converging on the vanishing point, each a few pixels wide up close.
float gridCoverage(float px, float py) {
    constexpr float kDepthScale = units(620.0f);  // depth = kDepthScale / pixels below horizon
    constexpr float kLateral = 0.5f;              // pixel spacing of vertical lines per pixel below
    const float below = py - kHorizon;
    const float depth = kDepthScale / below;
    const float depthStep = kDepthScale / (below * below);  // depth change per pixel
    const float rowDistance = std::fabs(depth - std::floor(depth + 0.5f)) / depthStep;
    const float spacing = kLateral * below;
    const float lateral = (px - kCanvasWidth * 0.5f) / spacing;
    const float nearest = std::floor(lateral + 0.5f);
    // Lines far off centre lean over: measure across them, not along the row.
    const float lean = std::sqrt(1.0f + (nearest * kLateral) * (nearest * kLateral));
    const float columnDistance = std::fabs(lateral - nearest) * spacing / lean;
    const float halfWidth = units(0.9f + 2.6f * below / (kCanvasHeight - kHorizon));
    // Lines closer than a few pixels fade out before they can alias into moire.
    const float rows = clamp01(halfWidth + 0.5f - rowDistance) *
                       smoothstep(units(5.0f), units(16.0f), 1.0f / depthStep);
    const float columns = clamp01(halfWidth + 0.5f - columnDistance) *
                          smoothstep(units(5.0f), units(16.0f), spacing / lean);
    return std::fmax(rows, columns) * smoothstep(0.0f, units(100.0f), below);
}

void paintFloor(Raster& canvas) {
    Mask grid(canvas.width, canvas.height);
    for (int32_t y = static_cast<int32_t>(kHorizon); y < canvas.height; ++y) {
        const float py = static_cast<float>(y) + 0.5f;
        const float t = clamp01((py - kHorizon) / (kCanvasHeight - kHorizon));
        const Color ground = mix(hexColor(0x3a0f4a), hexColor(0x06020c), std::sqrt(t));
        const float below = py - kHorizon;
        for (int32_t x = 0; x < canvas.width; ++x) {
            if (py >= kHorizon) {
                // The sun's glow reflected in the floor, fading towards the viewer.
                const float dx = static_cast<float>(x) + 0.5f - kCanvasWidth * 0.5f;
                const double spread = units(150.0f);
                const float reflection = static_cast<float>(
                    portableExp(-dx * dx / (2.0 * spread * spread) - below / units(55.0f)));
                canvas.at(x, y) = ground + hexColor(0xff3f80) * (0.45f * reflection);
                grid.at(x, y) = gridCoverage(static_cast<float>(x) + 0.5f, py);
            }
        }
    }
    paintAdd(canvas, grid, withAlpha(hexColor(0xff4fc0), 0.85f));
    addGlow(canvas, grid, withAlpha(hexColor(0xff2fa0), 0.8f), units(5.0f), Edge::Zero, Edge::Zero);
    Mask horizon(canvas.width, canvas.height);
    drawRoundedBox(horizon, -units(10.0f), kHorizon - units(1.5f), kCanvasWidth + units(10.0f),
                   kHorizon + units(1.5f), units(1.0f));
    paintAdd(canvas, horizon, hexColor(0xffb0e0));
    addGlow(canvas, horizon, withAlpha(hexColor(0xff5fb8), 0.9f), units(10.0f), Edge::Zero,
            Edge::Zero);
    addGlow(canvas, horizon, withAlpha(hexColor(0xa03cff), 0.5f), units(40.0f), Edge::Zero,
            Edge::Zero);
}

Placed paintTitle(Raster& canvas, TextRenderer& font) {
    constexpr int32_t kTracking = unitPixels(14);  // pixels between letters
    const int32_t size =
        fittingHeight(font, "ZENTROX", kTracking, unitPixels(860), unitPixels(260));
    Mask title(canvas.width, canvas.height);
    const Placed box = drawCentred(font, title, "ZENTROX", {size, kTracking}, kCanvasWidth / 2,
                                   static_cast<int32_t>(0.37f * kCanvasHeight));
    addGlow(canvas, title, withAlpha(hexColor(0x6a3cff), 0.5f), units(48.0f), Edge::Zero,
            Edge::Zero);
    addGlow(canvas, title, withAlpha(hexColor(0xff44c8), 0.9f), units(14.0f), Edge::Zero,
            Edge::Zero);
    paintOver(canvas, grown(title, units(7.0f)), withAlpha(hexColor(0x0c0622), 0.95f));
    paintOver(canvas, grown(title, units(2.5f)), hexColor(0x9fe8ff));
    paintChrome(canvas, title, box, kTitleChrome);
    return box;
}

void paintTagline(Raster& canvas, TextRenderer& font) {
    const int32_t centreY = static_cast<int32_t>(0.855f * kCanvasHeight);
    Mask tagline(canvas.width, canvas.height);
    const Placed box = drawCentred(font, tagline, "A REAL-TIME PRODUCTION",
                                   {unitPixels(30), unitPixels(9)}, kCanvasWidth / 2, centreY);
    Mask rules(canvas.width, canvas.height);
    const float y = static_cast<float>(centreY);
    const float rule = units(2.0f);
    drawRoundedBox(rules, box.left - units(150.0f), y - rule, box.left - units(30.0f), y + rule,
                   rule);
    drawRoundedBox(rules, box.right + units(30.0f), y - rule, box.right + units(150.0f), y + rule,
                   rule);
    paintOver(canvas, grown(tagline, units(10.0f)), withAlpha(hexColor(0x05020c), 0.8f));
    addGlow(canvas, tagline, withAlpha(hexColor(0x30c0ff), 0.8f), units(6.0f), Edge::Zero,
            Edge::Zero);
    addGlow(canvas, rules, withAlpha(hexColor(0x30c0ff), 0.8f), units(6.0f), Edge::Zero,
            Edge::Zero);
    paintOver(canvas, tagline, hexColor(0xe4f6ff));
    paintOver(canvas, rules, hexColor(0xa8e6ff));
}

// ---------------------------------------------------------------------------------------------
// The end: the same chrome lettering over a dark veil that lets the last scene glimmer through
// its middle.

constexpr GradientStop kEndChrome[] = {
    {0.0f, hexColor(0xffffff)},  {0.3f, hexColor(0xd6e8ff)},  {0.5f, hexColor(0x7c94d8)},
    {0.52f, hexColor(0x2a1c58)}, {0.62f, hexColor(0x6a3a9a)}, {0.85f, hexColor(0xff7ad0)},
    {1.0f, hexColor(0xfff0fa)},
};

void paintVeil(Raster& canvas) {
    const Mask ramp = radialRamp(canvas.width, canvas.height, canvas.width * 0.5f,
                                 canvas.height * 0.5f, canvas.width * 0.7f, canvas.height * 0.7f);
    for (size_t i = 0; i < canvas.cells.size(); ++i) {
        canvas.cells[i] = {0.0f, 0.0f, 0.0f, 0.68f + 0.3f * smoothstep(0.2f, 1.0f, ramp.cells[i])};
    }
}

// Adds light to a translucent layer: the light's colour shows at its own strength as alpha.
void glowInto(Raster& canvas, const Mask& shape, Color color, float sigma) {
    const Mask glow = gaussianBlur(shape, sigma, Edge::Zero, Edge::Zero);
    for (size_t i = 0; i < canvas.cells.size(); ++i) {
        canvas.cells[i] = over(canvas.cells[i], withAlpha(color, clamp01(color.a * glow.cells[i])));
    }
}

// ---------------------------------------------------------------------------------------------
// Listings: 32 lines fill the height exactly, so the picture repeats without a cut line. At
// 1024x2048 they are as sharp as the half of the scene picture they scroll over at 2160 lines;
// laid out in units of a 256x512 listing, kListingUnit pixels each.

constexpr int32_t kListingUnit = 4;  // pixels per design unit
constexpr int32_t kListingWidth = 256 * kListingUnit;
constexpr int32_t kListingHeight = 512 * kListingUnit;
constexpr int32_t kListingPitch = kListingHeight / kListingLines;  // pixels per line
constexpr int32_t kListingFontHeight = 12 * kListingUnit;          // pixels per em
constexpr int32_t kListingMargin = 7 * kListingUnit;               // pixels on the left

bool isComment(const char* line) {
    const std::string_view text(line);
    const size_t start = text.find_first_not_of(' ');
    return start != std::string_view::npos &&
           (text.substr(start, 2) == "//" || text.substr(start, 2) == "/*");
}

Pixmap paintListing(TextureFonts& fonts, const Listing& listing, Color tint) {
    Mask code(kListingWidth, kListingHeight);
    Mask comments(kListingWidth, kListingHeight);
    for (int32_t line = 0; line < kListingLines; ++line) {
        const char* text = listing[static_cast<size_t>(line)];
        const int32_t baseline = line * kListingPitch + 12 * kListingUnit;
        fonts.mono.draw(isComment(text) ? comments : code, text, {kListingFontHeight, 0},
                        kListingMargin, baseline);
    }
    Mask all = code;
    maxInto(all, comments, 0, 0);
    Raster picture(kListingWidth, kListingHeight, {0.0f, 0.0f, 0.0f, 1.0f});
    addGlow(picture, all, withAlpha(tint, 0.9f), 7.0f * kListingUnit, Edge::Zero, Edge::Wrap);
    addGlow(picture, all, withAlpha(tint, 1.6f), 1.6f * kListingUnit, Edge::Zero, Edge::Wrap);
    paintAdd(picture, code, mix(tint, hexColor(0xffffff), 0.55f));
    paintAdd(picture, comments, withAlpha(tint, 0.6f));
    return toPixmap(picture, 3, Dither::None);
}

}  // namespace

Pixmap paintWelcome(TextureFonts& fonts) {
    Raster canvas(kCanvasWidth, kCanvasHeight);
    paintNightSky(canvas);
    paintStars(canvas);
    paintSun(canvas);
    paintFloor(canvas);
    const Placed title = paintTitle(canvas, fonts.bold);
    addSparkle(canvas, static_cast<float>(title.right) - units(14.0f),
               static_cast<float>(title.top) + units(10.0f), units(260.0f),
               withAlpha(hexColor(0xd8f4ff), 0.9f));
    paintTagline(canvas, fonts.bold);
    darkenEdges(canvas, 0.45f);
    addGrain(canvas, 0.035f, 0.03f);
    return toPixmap(canvas, 3, Dither::Hashed);
}

Pixmap paintTheEnd(TextureFonts& fonts) {
    Raster canvas(kCanvasWidth, kCanvasHeight);
    paintVeil(canvas);
    constexpr int32_t kTracking = unitPixels(22);  // pixels between letters
    Mask title(canvas.width, canvas.height);
    const Placed box = drawCentred(fonts.bold, title, "THE END", {unitPixels(150), kTracking},
                                   kCanvasWidth / 2, static_cast<int32_t>(0.43f * kCanvasHeight));
    Mask credits(canvas.width, canvas.height);
    drawCentred(fonts.bold, credits, "rq73  \u00b7  telun  \u00b7  morva",
                {unitPixels(34), unitPixels(4)}, kCanvasWidth / 2, box.bottom + unitPixels(80));
    Mask thanks(canvas.width, canvas.height);
    drawCentred(fonts.bold, thanks, "THANK YOU FOR WATCHING", {unitPixels(24), unitPixels(8)},
                kCanvasWidth / 2, box.bottom + unitPixels(140));
    glowInto(canvas, title, withAlpha(hexColor(0x7a40ff), 0.6f), units(40.0f));
    glowInto(canvas, title, withAlpha(hexColor(0xff44c8), 0.95f), units(12.0f));
    glowInto(canvas, credits, withAlpha(hexColor(0x30b8ff), 0.7f), units(6.0f));
    paintOver(canvas, grown(title, units(2.5f)), hexColor(0x9fe8ff));
    paintChrome(canvas, title, box, kEndChrome);
    paintOver(canvas, credits, hexColor(0xeaf6ff));
    paintOver(canvas, thanks, hexColor(0x9fb6d6));
    return toPixmap(canvas, 4, Dither::Hashed);
}

Pixmap paintWord(TextureFonts& fonts, std::string_view word) {
    constexpr int32_t kWidth = 512;
    constexpr int32_t kHeight = 128;
    // One size for every word, so they match when shown one after another.
    constexpr int32_t kPixelHeight = 92;
    Mask coverage(kWidth, kHeight);
    const TextMetrics m = fonts.bold.measure(word, {kPixelHeight, 0});
    // Centred across by ink; down, the font's line box is centred, so all words share a baseline.
    const int32_t x = (kWidth - (m.inkLeft + m.inkRight)) / 2;
    const int32_t baseline = (kHeight - (m.ascender + m.descender)) / 2 + m.ascender;
    fonts.bold.draw(coverage, word, {kPixelHeight, 0}, x, baseline);
    // NOTE: white in every pixel, even transparent ones, so filtering never darkens the edges.
    Raster picture(kWidth, kHeight);
    for (size_t i = 0; i < picture.cells.size(); ++i) {
        picture.cells[i] = {1.0f, 1.0f, 1.0f, coverage.cells[i]};
    }
    return toPixmap(picture, 4, Dither::None);
}

Pixmap paintSourceA(TextureFonts& fonts) {
    return paintListing(fonts, kTunnelListing, hexColor(0x3cff78));
}

Pixmap paintSourceB(TextureFonts& fonts) {
    return paintListing(fonts, kMetaballListing, hexColor(0x38d8ff));
}
