#include "render/compositing.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "render/projection.h"
#include "base/random.h"
#include "base/gl.h"
#include "resources/texture.h"
#include "support/gl_test.h"

namespace {

using Pixel = std::array<uint8_t, 3>;
using Texel = std::array<uint8_t, 4>;  // RGBA; RGB textures drop the alpha

constexpr int32_t kWidth = 800;   // pixels
constexpr int32_t kHeight = 600;  // pixels

constexpr Texel kRed = {255, 0, 0, 255};
constexpr Texel kGreen = {0, 255, 0, 255};
constexpr Texel kBlue = {0, 0, 255, 255};
constexpr Texel kWhite = {255, 255, 255, 255};
constexpr Texel kBlackTexel = {0, 0, 0, 255};
constexpr Texel kYellow = {255, 255, 0, 255};

// One point inside each quarter of the screen, in pixels from the bottom-left. On the 4 x 4
// textures below they sample between two texels of the same band, clear of the linear filter's
// blending across band edges.
constexpr int32_t kLeft = 200;
constexpr int32_t kRight = 600;
constexpr int32_t kLow = 150;
constexpr int32_t kHigh = 450;

Pixel rgb(const Texel& texel) {
    return {texel[0], texel[1], texel[2]};
}

// A width x height texture whose texel (x, y), y counted from the bottom, is paint(x, y).
template <typename Paint>
std::unique_ptr<Texture> paintedTexture(int32_t width, int32_t height, int32_t components,
                                        Paint paint) {
    auto texture = std::make_unique<Texture>();
    texture->create(width, height, components);
    const Image* image = texture->picture();
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const Texel texel = paint(x, y);
            uint8_t* bytes = image->data + (static_cast<size_t>(y) * width + x) * components;
            std::copy_n(texel.begin(), components, bytes);
        }
    }
    texture->upload(0, 0);
    return texture;
}

std::unique_ptr<Texture> solidTexture(const Texel& colour) {
    return paintedTexture(4, 4, 3, [&](int32_t, int32_t) { return colour; });
}

// 4 x 4, one colour per quarter: tells both a vertical and a horizontal flip apart.
std::unique_ptr<Texture> quarterTexture(const Texel& bottomLeft, const Texel& bottomRight,
                                        const Texel& topLeft, const Texel& topRight) {
    return paintedTexture(4, 4, 3, [&](int32_t x, int32_t y) {
        if (y < 2) {
            return x < 2 ? bottomLeft : bottomRight;
        }
        return x < 2 ? topLeft : topRight;
    });
}

std::unique_ptr<Texture> bandTexture(const Texel& bottom, const Texel& top) {
    return quarterTexture(bottom, bottom, top, top);
}

::testing::AssertionResult pixelNear(const Pixel& actual, const Pixel& expected,
                                     int32_t tolerance) {
    for (size_t c = 0; c < 3; ++c) {
        if (std::abs(actual[c] - expected[c]) > tolerance) {
            return ::testing::AssertionFailure()
                   << "(" << +actual[0] << ", " << +actual[1] << ", " << +actual[2]
                   << ") is not within " << tolerance << " of (" << +expected[0] << ", "
                   << +expected[1] << ", " << +expected[2] << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

void clearTo(float red, float green, float blue) {
    glClearColor(red, green, blue, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void fillRect(int32_t x, int32_t y, int32_t width, int32_t height, const Texel& colour) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, y, width, height);
    clearTo(colour[0] / 255.0f, colour[1] / 255.0f, colour[2] / 255.0f);
    glDisable(GL_SCISSOR_TEST);
}

// The whole surface, bottom row first.
std::vector<uint8_t> readFrame() {
    std::vector<uint8_t> rgb(static_cast<size_t>(kWidth) * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

Pixel framePixel(const std::vector<uint8_t>& frame, int32_t x, int32_t y) {
    const size_t at = (static_cast<size_t>(y) * kWidth + x) * 3;
    return {frame[at], frame[at + 1], frame[at + 2]};
}

// The state the demo's passes keep: nothing enabled, GL's default blend and depth functions,
// a white colour and the model-view stack current.
void resetState() {
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glBlendFunc(GL_ONE, GL_ZERO);
    glDepthFunc(GL_LESS);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// Every test starts from that state with the viewport record covering the whole surface, and
// hands it back so the other suites sharing the context do not inherit what a test set.
class CompositingTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        viewport = {0, 0, kWidth, kHeight};
        resetState();
    }
    void TearDown() override { resetState(); }
};

// ---------------------------------------------------------------------------------------------
// The full-screen and zoomed quads

using CompositingQuadTest = CompositingTest;

TEST_F(CompositingQuadTest, FullScreenQuadPutsTheTextureTopRowAtTheTop) {
    const auto texture = quarterTexture(kRed, kGreen, kBlue, kWhite);
    drawFullScreenQuad(*texture);
    EXPECT_EQ(pixelAt(kLeft, kLow), rgb(kRed));
    EXPECT_EQ(pixelAt(kRight, kLow), rgb(kGreen));
    EXPECT_EQ(pixelAt(kLeft, kHigh), rgb(kBlue));
    EXPECT_EQ(pixelAt(kRight, kHigh), rgb(kWhite));
}

TEST_F(CompositingQuadTest, CopiedFrameComesBackTheRightWayUp) {
    fillRect(0, 0, 256, 256, kRed);
    fillRect(256, 0, 256, 256, kGreen);
    fillRect(0, 256, 256, 256, kBlue);
    fillRect(256, 256, 256, 256, kWhite);
    Texture frame;
    ASSERT_TRUE(frame.create(512, 512, 3));
    frame.upload(0, 0);
    frame.copyFromFramebuffer();

    clearTo(0.0f, 0.0f, 0.0f);
    drawFullScreenQuad(frame);
    EXPECT_EQ(pixelAt(kLeft, kLow), rgb(kRed));
    EXPECT_EQ(pixelAt(kRight, kLow), rgb(kGreen));
    EXPECT_EQ(pixelAt(kLeft, kHigh), rgb(kBlue));
    EXPECT_EQ(pixelAt(kRight, kHigh), rgb(kWhite));
}

TEST_F(CompositingQuadTest, ZoomOfOneDrawsExactlyThePlainQuad) {
    seedRandom(7);
    const auto noise = paintedTexture(16, 16, 3, [](int32_t, int32_t) {
        return Texel{static_cast<uint8_t>(nextRandom()), static_cast<uint8_t>(nextRandom()),
                     static_cast<uint8_t>(nextRandom()), 255};
    });
    drawFullScreenQuad(*noise);
    const std::vector<uint8_t> plain = readFrame();
    clearTo(0.0f, 0.0f, 0.0f);
    drawZoomedQuad(1.0f, *noise);
    EXPECT_TRUE(readFrame() == plain);
}

TEST_F(CompositingQuadTest, ZoomOfTwoFillsTheScreenWithTheCentralHalf) {
    // 8 x 8: a black ring two texels wide around four coloured quarters.
    const auto framed = paintedTexture(8, 8, 3, [](int32_t x, int32_t y) {
        if (x < 2 || x > 5 || y < 2 || y > 5) {
            return kBlackTexel;
        }
        if (y < 4) {
            return x < 4 ? kRed : kGreen;
        }
        return x < 4 ? kBlue : kWhite;
    });
    // Near the bottom-left corner, inside the ring's band of the screen.
    const int32_t cornerX = 100;
    const int32_t cornerY = 75;

    drawZoomedQuad(1.0f, *framed);
    EXPECT_EQ(pixelAt(cornerX, cornerY), rgb(kBlackTexel));

    drawZoomedQuad(2.0f, *framed);
    EXPECT_EQ(pixelAt(cornerX, cornerY), rgb(kRed));
    EXPECT_EQ(pixelAt(kLeft, kLow), rgb(kRed));
    EXPECT_EQ(pixelAt(kRight, kLow), rgb(kGreen));
    EXPECT_EQ(pixelAt(kLeft, kHigh), rgb(kBlue));
    EXPECT_EQ(pixelAt(kRight, kHigh), rgb(kWhite));
}

// ---------------------------------------------------------------------------------------------
// Cross-fade and tile dissolve

using CompositingFadeTest = CompositingTest;

TEST_F(CompositingFadeTest, CrossFadeEndsShowOneTextureOnly) {
    const auto from = solidTexture(kRed);
    const auto to = solidTexture(kGreen);
    clearTo(0.0f, 0.0f, 1.0f);
    crossFade(0.0f, *from, *to);
    EXPECT_EQ(pixelAt(kLeft, kLow), rgb(kRed));
    EXPECT_EQ(pixelAt(kRight, kHigh), rgb(kRed));

    clearTo(0.0f, 0.0f, 1.0f);
    crossFade(1.0f, *from, *to);
    EXPECT_EQ(pixelAt(kLeft, kLow), rgb(kGreen));
    EXPECT_EQ(pixelAt(kRight, kHigh), rgb(kGreen));
}

TEST_F(CompositingFadeTest, CrossFadeHalfwayLaysToOverAHalfFadedFrom) {
    const auto from = solidTexture(kRed);
    const auto to = solidTexture(kGreen);
    crossFade(0.5f, *from, *to);
    // Over black: 1/4 from (the second layer halves the first), 1/2 to.
    EXPECT_TRUE(pixelNear(pixelAt(kLeft, kLow), {64, 128, 0}, 1));
}

using CompositingDissolveTest = CompositingTest;

// What the centre of one dissolve tile shows. `from` has B = 255 everywhere, `to` B = 0.
enum class TileShows { from, to, half };

TileShows classify(const Pixel& seen) {
    if (seen[2] > 200) {
        return TileShows::from;
    }
    return seen[2] < 50 ? TileShows::to : TileShows::half;
}

struct DissolveCount {
    int32_t from = 0;
    int32_t to = 0;
    std::vector<int32_t> halfTiles;
    int32_t wrong = 0;  // tiles showing the wrong layer, or the wrong part of it
};

// Reads the centre of every tile (50 x 50 pixels on 800 x 600) and checks it against the tile's
// place in the vanishing order: `gone` tiles show `to` (yellow), the next one an even mix, the
// rest their own part of `from`, whose texel (x, y) is (16 x, 16 y, 255), one texel per tile.
DissolveCount countTiles(const std::vector<uint8_t>& frame, const int32_t* order, int32_t gone) {
    DissolveCount result;
    for (int32_t position = 0; position < kDissolveTiles; ++position) {
        const int32_t tile = order[position];
        const int32_t column = tile % kDissolveColumns;
        const int32_t row = tile / kDissolveColumns;  // from the top
        const Pixel own = {static_cast<uint8_t>(16 * column),
                           static_cast<uint8_t>(16 * (kDissolveRows - 1 - row)), 255};
        const Pixel seen = framePixel(frame, column * 50 + 25, kHeight - 25 - row * 50);
        const TileShows shown = classify(seen);
        Pixel wanted = rgb(kYellow);
        if (shown == TileShows::from) {
            ++result.from;
            wanted = own;
        } else if (shown == TileShows::to) {
            ++result.to;
        } else {
            result.halfTiles.push_back(tile);
            wanted = {static_cast<uint8_t>((own[0] + 255) / 2),
                      static_cast<uint8_t>((own[1] + 255) / 2), 128};
        }
        const TileShows expected = position < gone    ? TileShows::to
                                   : position == gone ? TileShows::half
                                                      : TileShows::from;
        result.wrong += shown != expected || !pixelNear(seen, wanted, 3);
    }
    return result;
}

std::unique_ptr<Texture> tileCodedTexture() {
    return paintedTexture(kDissolveColumns, kDissolveRows, 3, [](int32_t x, int32_t y) {
        return Texel{static_cast<uint8_t>(16 * x), static_cast<uint8_t>(16 * y), 255, 255};
    });
}

TEST_F(CompositingDissolveTest, TilesVanishOneByOneInTheDrawnOrder) {
    const auto from = tileCodedTexture();
    const auto to = solidTexture(kYellow);
    struct Case {
        float x;
        int32_t gone;
    };
    const DissolveOrder order = drawDissolveOrder();
    for (const Case& c : {Case{0.0f, 0}, Case{0.5f, 96}, Case{1.0f, 191}}) {
        SCOPED_TRACE("x = " + std::to_string(c.x));
        clearTo(0.0f, 0.0f, 0.0f);
        tileDissolve(c.x, *from, *to, order);
        const DissolveCount count = countTiles(readFrame(), order.data(), c.gone);
        EXPECT_EQ(count.to, c.gone);
        EXPECT_EQ(count.from, kDissolveTiles - 1 - c.gone);
        EXPECT_EQ(count.halfTiles, std::vector<int32_t>{order[c.gone]});
        EXPECT_EQ(count.wrong, 0);
    }
}

TEST(CompositingDissolveOrderTest, IsAShuffledPermutationThatTheSeedFixes) {
    seedRandom(12345);
    const DissolveOrder first = drawDissolveOrder();
    EXPECT_NE(first, identityDissolveOrder());
    DissolveOrder sorted = first;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, identityDissolveOrder());

    seedRandom(12345);
    EXPECT_EQ(drawDissolveOrder(), first);
    seedRandom(54321);
    EXPECT_NE(drawDissolveOrder(), first);
}

TEST(CompositingShuffleTest, ShuffleGivesASeedDependentPermutation) {
    std::vector<int32_t> identity(kDissolveTiles);
    std::iota(identity.begin(), identity.end(), 0);
    const auto shuffled = [&](uint32_t seed) {
        std::vector<int32_t> values = identity;
        seedRandom(seed);
        shuffleIndices(values.data(), kDissolveTiles);
        return values;
    };
    const std::vector<int32_t> one = shuffled(1);
    std::vector<int32_t> sorted = one;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, identity);
    EXPECT_NE(one, identity);
    EXPECT_NE(shuffled(2), one);
    EXPECT_EQ(shuffled(1), one);
}

TEST(CompositingShuffleTest, RandomIndexCoversExactlyZeroToCountMinusOne) {
    seedRandom(3);
    for (const int32_t count : {1, 2, kDissolveTiles}) {
        SCOPED_TRACE("count = " + std::to_string(count));
        int32_t lowest = count;
        int32_t highest = -1;
        for (int32_t draw = 0; draw < 20000; ++draw) {
            const int32_t index = randomIndex(count);
            lowest = std::min(lowest, index);
            highest = std::max(highest, index);
        }
        EXPECT_EQ(lowest, 0);
        EXPECT_EQ(highest, count - 1);
    }
    // Rounding r / 32767 splits two choices at the middle of the range.
    int32_t zeros = 0;
    for (int32_t draw = 0; draw < 20000; ++draw) {
        zeros += randomIndex(2) == 0;
    }
    EXPECT_NEAR(zeros, 10000, 500);
}

// ---------------------------------------------------------------------------------------------
// Radial blur and flash

using CompositingBlurTest = CompositingTest;

TEST_F(CompositingBlurTest, UnzoomedLayersDoubleTheBrightness) {
    const uint8_t quarter = 64;  // 0.25 grey
    const auto grey = solidTexture({quarter, quarter, quarter, 255});
    radialBlur(0.0f, 16, *grey);
    EXPECT_TRUE(pixelNear(pixelAt(kLeft, kLow), {128, 128, 128}, 2));
    EXPECT_TRUE(pixelNear(pixelAt(kRight, kHigh), {128, 128, 128}, 2));

    clearTo(0.0f, 0.0f, 0.0f);
    radialBlur(0.0f, 0, *grey);
    EXPECT_EQ(pixelAt(kLeft, kLow), (Pixel{quarter, quarter, quarter}));
}

TEST_F(CompositingBlurTest, LayersZoomTowardsTheCentre) {
    // 8 x 8: a black ring two texels wide around a white centre.
    const auto spot = paintedTexture(8, 8, 3, [](int32_t x, int32_t y) {
        return x < 2 || x > 5 || y < 2 || y > 5 ? kBlackTexel : kWhite;
    });
    // Layers at zoom 1 and 2, each at half opacity. At x = 100 on the middle row the plain
    // picture and the first layer show the ring; only the zoom-2 layer reaches the white.
    radialBlur(2.0f, 2, *spot);
    EXPECT_TRUE(pixelNear(pixelAt(100, 300), {128, 128, 128}, 2));
    EXPECT_EQ(pixelAt(400, 300), rgb(kWhite));
}

using CompositingFlashTest = CompositingTest;

TEST_F(CompositingFlashTest, FlashPeaksAtHalfItsDuration) {
    const float duration = 2.0f;  // seconds
    const float peak = 0.5f;
    struct Case {
        float elapsed;  // seconds
        uint8_t level;
    };
    for (const Case& c : {Case{0.0f, 0}, Case{1.0f, 128}, Case{2.0f, 0}}) {
        SCOPED_TRACE("elapsed = " + std::to_string(c.elapsed));
        clearTo(0.0f, 0.0f, 0.0f);
        flash(duration, c.elapsed, peak);
        const Pixel expected = {c.level, c.level, c.level};
        EXPECT_TRUE(pixelNear(pixelAt(0, 0), expected, 1));
        EXPECT_TRUE(pixelNear(pixelAt(400, 300), expected, 1));
        EXPECT_TRUE(pixelNear(pixelAt(kWidth - 1, kHeight - 1), expected, 1));
    }
}

TEST_F(CompositingFlashTest, FlashIsUntexturedUndepthTestedAndKeepsTheModelView) {
    const auto black = solidTexture(kBlackTexel);
    black->bind();
    glEnable(GL_TEXTURE_2D);  // would turn the white black
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_NEVER);  // would reject the whole flash
    glTranslatef(5.0f, 0.0f, 0.0f);
    glViewport(0, 0, 400, 300);  // the caller's; the flash covers the viewport record

    flash(1.0f, 0.5f, 1.0f);
    EXPECT_EQ(pixelAt(400, 300), rgb(kWhite));
    EXPECT_EQ(pixelAt(kWidth - 1, kHeight - 1), rgb(kWhite));

    std::array<GLfloat, 16> modelView = {};
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView.data());
    EXPECT_EQ(modelView[12], 5.0f);
    std::array<GLint, 4> view = {};
    glGetIntegerv(GL_VIEWPORT, view.data());
    EXPECT_EQ(view, (std::array<GLint, 4>{0, 0, 400, 300}));
}

// ---------------------------------------------------------------------------------------------
// Overlays

using CompositingOverlayTest = CompositingTest;

TEST_F(CompositingOverlayTest, ScrollOverlayAddsToTheLeftHalfOnly) {
    const auto bands = bandTexture(kRed, kGreen);
    clearTo(0.0f, 0.0f, 0.5f);
    const Pixel background = pixelAt(0, 0);
    scrollOverlayLeft(0.0f, 0.5f, *bands);

    const uint8_t blue = background[2];
    EXPECT_TRUE(pixelNear(pixelAt(kLeft, kLow), {128, 0, blue}, 1));
    EXPECT_TRUE(pixelNear(pixelAt(kLeft, kHigh), {0, 128, blue}, 1));
    // The quad ends at pixel column 399.
    EXPECT_TRUE(pixelNear(pixelAt(399, kLow), {128, 0, blue}, 1));
    EXPECT_EQ(pixelAt(400, kLow), background);
    EXPECT_EQ(pixelAt(kRight, kLow), background);
    EXPECT_EQ(pixelAt(kRight, kHigh), background);
}

TEST_F(CompositingOverlayTest, ScrollingByHalfSwapsTheBandsThroughTheWrap) {
    const auto bands = bandTexture(kRed, kGreen);
    // The overlay must repeat the texture itself: clamped, the top would stay green.
    bands->bind();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

    scrollOverlayLeft(0.5f, 1.0f, *bands);
    EXPECT_EQ(pixelAt(kLeft, kLow), rgb(kGreen));
    EXPECT_EQ(pixelAt(kLeft, kHigh), rgb(kRed));
}

TEST_F(CompositingOverlayTest, DrawOverlayPaintsOnlyWhereTheTextureIsOpaque) {
    // 8 rows: opaque red bars of two rows at the top and bottom, clear green between.
    const auto bars = paintedTexture(4, 8, 4, [](int32_t, int32_t y) {
        return y < 2 || y > 5 ? kRed : Texel{0, 255, 0, 0};
    });
    clearTo(0.0f, 0.0f, 1.0f);
    glColor4f(0.2f, 0.2f, 0.2f, 0.2f);  // the overlay ignores the caller's colour
    drawOverlay(*bars);
    EXPECT_EQ(pixelAt(400, 300), rgb(kBlue));
    EXPECT_EQ(pixelAt(400, 75), rgb(kRed));
    EXPECT_EQ(pixelAt(400, 525), rgb(kRed));
}

TEST_F(CompositingOverlayTest, BlendOverlayModes) {
    const auto yellow = solidTexture(kYellow);
    struct Case {
        int32_t mode;
        float intensity;
        Pixel expected;  // over a blue frame
    };
    const Case cases[] = {
        {1, 0.5f, {128, 128, 255}},  // added at half strength
        {0, 0.5f, {64, 64, 128}},    // half the texture at alpha 1/2: a quarter of it
        {0, 1.0f, {255, 255, 0}},    // opaque
        {2, 0.5f, {128, 128, 0}},    // the caller's GL_ONE, GL_ZERO: replaced
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + ", intensity " +
                     std::to_string(c.intensity));
        clearTo(0.0f, 0.0f, 1.0f);
        blendOverlay(c.mode, c.intensity, *yellow);
        EXPECT_TRUE(pixelNear(pixelAt(kLeft, kLow), c.expected, 1));
        EXPECT_TRUE(pixelNear(pixelAt(kRight, kHigh), c.expected, 1));
    }
}

// ---------------------------------------------------------------------------------------------
// GL state

using CompositingStateTest = CompositingTest;

struct Operation {
    const char* name;
    std::function<void()> draw;
    int32_t right;  // the orthographic box each leaves behind
    int32_t bottom;
};

TEST_F(CompositingStateTest, EveryOperationRestoresTheStateItFound) {
    const auto a = solidTexture(kRed);
    const auto b = solidTexture(kGreen);
    const auto callers = solidTexture(kBlue);
    const DissolveOrder order = identityDissolveOrder();
    const Operation operations[] = {
        {"drawFullScreenQuad", [&] { drawFullScreenQuad(*a); }, 1, 1},
        {"drawZoomedQuad", [&] { drawZoomedQuad(2.0f, *a); }, 1, 1},
        {"radialBlur", [&] { radialBlur(0.5f, 4, *a); }, 1, 1},
        {"flash", [] { flash(1.0f, 0.5f, 1.0f); }, 1, 1},
        {"drawOverlay", [&] { drawOverlay(*a); }, 1, 1},
        {"blendOverlay", [&] { blendOverlay(1, 0.5f, *a); }, 1, 1},
        {"scrollOverlayLeft", [&] { scrollOverlayLeft(0.25f, 0.5f, *a); }, 2, 1},
        {"crossFade", [&] { crossFade(0.5f, *a, *b); }, 1, 1},
        {"tileDissolve", [&] { tileDissolve(0.5f, *a, *b, order); }, kDissolveColumns,
         kDissolveRows},
    };
    const std::array<GLfloat, 4> colour = {0.25f, 0.5f, 0.75f, 1.0f};
    while (glGetError() != GL_NO_ERROR) {
    }
    for (const Operation& operation : operations) {
        SCOPED_TRACE(operation.name);
        glDisable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
        glColor4fv(colour.data());
        callers->bind();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();

        operation.draw();

        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        GLint value = 0;
        glGetIntegerv(GL_BLEND_SRC, &value);
        EXPECT_EQ(value, GL_DST_COLOR);
        glGetIntegerv(GL_BLEND_DST, &value);
        EXPECT_EQ(value, GL_ZERO);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &value);
        EXPECT_EQ(static_cast<GLuint>(value), callers->name());
        std::array<GLfloat, 4> current = {};
        glGetFloatv(GL_CURRENT_COLOR, current.data());
        EXPECT_EQ(current, colour);
        glGetIntegerv(GL_MATRIX_MODE, &value);
        EXPECT_EQ(value, GL_MODELVIEW);
        glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &value);
        EXPECT_EQ(value, 0);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &value);
        EXPECT_EQ(value, 1);

        std::array<GLfloat, 16> projection = {};
        glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
        EXPECT_FLOAT_EQ(projection[0] * static_cast<float>(operation.right), 2.0f);
        EXPECT_FLOAT_EQ(projection[5] * static_cast<float>(operation.bottom), -2.0f);
    }
}

}  // namespace
