#include "tools/generator/textures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

#include "resources/data_manifest.h"

namespace {

enum class Across { Columns, Rows };

// Mean absolute difference, over every channel, between two columns (or rows).
double lineDifference(const Pixmap& p, Across across, int32_t a, int32_t b) {
    const int32_t length = across == Across::Columns ? p.height : p.width;
    double sum = 0.0;
    for (int32_t i = 0; i < length; ++i) {
        for (int32_t c = 0; c < p.channels; ++c) {
            const int32_t first = across == Across::Columns ? p.at(a, i, c) : p.at(i, a, c);
            const int32_t second = across == Across::Columns ? p.at(b, i, c) : p.at(i, b, c);
            sum += std::abs(first - second);
        }
    }
    return sum / (length * p.channels);
}

// The step from the last column (row) back to the first, against a typical step inside the
// picture: a few tenths for the pictures that tile, near 1 already when one noise layer does
// not wrap, and far more for a picture that does not tile at all.
double seamRoughness(const Pixmap& p, Across across) {
    const int32_t count = across == Across::Columns ? p.width : p.height;
    std::vector<double> steps;
    for (int32_t i = 0; i + 1 < count; ++i) {
        steps.push_back(lineDifference(p, across, i, i + 1));
    }
    std::sort(steps.begin(), steps.end());
    const double typical = steps[steps.size() * 3 / 4];
    return lineDifference(p, across, count - 1, 0) / (typical + 1.0);
}

class TexturesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        fonts = new TextureFonts;
        ASSERT_TRUE(loadTextureFonts(*fonts, error)) << error;
    }
    static void TearDownTestSuite() {
        delete fonts;
        fonts = nullptr;
    }
    static Pixmap paint(const char* file) {
        const TextureRecipe* recipe = findTextureRecipe(file);
        EXPECT_NE(recipe, nullptr) << file;
        return recipe != nullptr ? recipe->paint(*fonts) : Pixmap{};
    }
    static TextureFonts* fonts;
};

TextureFonts* TexturesTest::fonts = nullptr;

TEST(Textures, RecipesWriteEveryFileTheDemoLoads) {
    std::set<std::string> generated;
    for (const TextureRecipe& recipe : kTextureRecipes) {
        generated.insert(recipe.file);
    }
    std::set<std::string> loaded;
    for (const DataFile& picture : kPictureFiles) {
        loaded.insert(picture.name);
    }
    EXPECT_EQ(generated, loaded);
    EXPECT_EQ(generated.size(), kTextureRecipes.size());
}

TEST(Textures, MissingFontIsReportedByFile) {
    TextRenderer font;
    std::string error;
    EXPECT_FALSE(font.load("/usr/share/fonts/none/Gone.ttf", error));
    EXPECT_NE(error.find("Gone.ttf"), std::string::npos) << error;
}

TEST(TexturesSeam, MeasureRejectsAPictureThatDoesNotTile) {
    Pixmap ramp{64, 8, 1, std::vector<uint8_t>(64 * 8)};
    for (int32_t y = 0; y < 8; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            ramp.at(x, y, 0) = static_cast<uint8_t>(x * 4);
        }
    }
    EXPECT_GT(seamRoughness(ramp, Across::Columns), 10.0);
    EXPECT_LT(seamRoughness(ramp, Across::Rows), 1.0);
}

TEST_F(TexturesTest, TunnelWallTilesInBothDirections) {
    const Pixmap wall = paint("Textures/EnvX.png");
    ASSERT_EQ(wall.channels, 3);
    EXPECT_LT(seamRoughness(wall, Across::Columns), 0.6);
    EXPECT_LT(seamRoughness(wall, Across::Rows), 0.6);
}

TEST_F(TexturesTest, SkyTilesAroundTheHorizon) {
    const Pixmap sky = paint("Textures/Sky.png");
    EXPECT_EQ(sky.width, 2 * sky.height);
    EXPECT_LT(seamRoughness(sky, Across::Columns), 0.6);
}

TEST_F(TexturesTest, ListingsTileVerticallyAndDiffer) {
    const Pixmap a = paint("Textures/srcfilea.png");
    const Pixmap b = paint("Textures/srcfileb.png");
    EXPECT_LT(seamRoughness(a, Across::Rows), 0.6);
    EXPECT_LT(seamRoughness(b, Across::Rows), 0.6);
    ASSERT_EQ(a.bytes.size(), b.bytes.size());
    EXPECT_NE(a.bytes, b.bytes);
}

TEST_F(TexturesTest, ListingLinesAreNotCutAtTheRightEdge) {
    for (const char* file : {"Textures/srcfilea.png", "Textures/srcfileb.png"}) {
        const Pixmap listing = paint(file);
        int32_t brightest = 0;
        for (int32_t y = 0; y < listing.height; ++y) {
            for (int32_t x = listing.width - 3; x < listing.width; ++x) {
                for (int32_t c = 0; c < 3; ++c) {
                    brightest = std::max<int32_t>(brightest, listing.at(x, y, c));
                }
            }
        }
        // Glow may reach the edge; the letters' bright cores may not.
        EXPECT_LT(brightest, 140) << file;
    }
}

TEST_F(TexturesTest, LetterboxBarsAreOneEighthOpaqueBlack) {
    const Pixmap frame = paint("Textures/frame169.png");
    ASSERT_EQ(frame.channels, 4);
    ASSERT_EQ(frame.height % 8, 0);
    const int32_t bar = frame.height / 8;
    for (int32_t y = 0; y < frame.height; ++y) {
        const bool inBar = y < bar || y >= frame.height - bar;
        for (int32_t x = 0; x < frame.width; ++x) {
            ASSERT_EQ(frame.at(x, y, 3), inBar ? 255 : 0) << x << "," << y;
            ASSERT_EQ(frame.at(x, y, 0) + frame.at(x, y, 1) + frame.at(x, y, 2), 0);
        }
    }
}

struct AlphaInk {
    int32_t left = 1 << 30;
    int32_t right = -1;
    int32_t top = 1 << 30;
    int32_t bottom = -1;
};

AlphaInk alphaInk(const Pixmap& p) {
    AlphaInk ink;
    for (int32_t y = 0; y < p.height; ++y) {
        for (int32_t x = 0; x < p.width; ++x) {
            if (p.at(x, y, 3) > 0) {
                ink = {std::min(ink.left, x), std::max(ink.right, x + 1), std::min(ink.top, y),
                       std::max(ink.bottom, y + 1)};
            }
        }
    }
    return ink;
}

TEST_F(TexturesTest, WordsAreWhiteCentredAndShareABaseline) {
    const char* const words[] = {"and", "zentrox", "telun", "present", "morva", "rq73"};
    std::set<int32_t> baselines;
    for (const char* word : words) {
        const std::string file = std::string("Textures/Text/") + word + ".png";
        const Pixmap p = paint(file.c_str());
        ASSERT_EQ(p.channels, 4);
        for (size_t i = 0; i < p.bytes.size(); i += 4) {
            ASSERT_EQ(p.bytes[i] & p.bytes[i + 1] & p.bytes[i + 2], 255) << file;
        }
        const AlphaInk ink = alphaInk(p);
        ASSERT_GT(ink.right, ink.left) << file;
        EXPECT_LE(std::abs((ink.left + ink.right) - p.width), 2) << file;
        EXPECT_GE(ink.left, 8) << file;
        EXPECT_GE(ink.top, 4) << file;
        EXPECT_LE(ink.bottom, p.height - 4) << file;
        EXPECT_GT(ink.right - ink.left, p.width / 5) << file;
        // The words without descenders end on the baseline.
        if (std::string(word) != "present" && std::string(word) != "rq73") {
            baselines.insert(ink.bottom);
        }
    }
    EXPECT_LE(*baselines.rbegin() - *baselines.begin(), 2);
}

TEST_F(TexturesTest, ParticleFadesToBlackAtEveryBorder) {
    const Pixmap particle = paint("Textures/Particle.png");
    const int32_t last = particle.width - 1;
    for (int32_t i = 0; i < particle.width; ++i) {
        for (int32_t c = 0; c < 3; ++c) {
            ASSERT_EQ(particle.at(i, 0, c), 0);
            ASSERT_EQ(particle.at(i, last, c), 0);
            ASSERT_EQ(particle.at(0, i, c), 0);
            ASSERT_EQ(particle.at(last, i, c), 0);
        }
    }
    EXPECT_GE(particle.at(particle.width / 2, particle.height / 2, 0), 240);
}

TEST_F(TexturesTest, FullScreenPicturesAreFourByThree) {
    const Pixmap welcome = paint("Textures/Welcome.png");
    const Pixmap end = paint("Textures/theend.png");
    EXPECT_EQ(welcome.width * 3, welcome.height * 4);
    EXPECT_EQ(welcome.channels, 3);
    EXPECT_EQ(end.width * 3, end.height * 4);
    ASSERT_EQ(end.channels, 4);
}

TEST_F(TexturesTest, ClosingPictureHasOpaqueLettersOverATranslucentVeil) {
    const Pixmap end = paint("Textures/theend.png");
    int32_t opaque = 0;
    int32_t lowest = 255;
    for (size_t i = 3; i < end.bytes.size(); i += 4) {
        opaque += end.bytes[i] == 255 ? 1 : 0;
        lowest = std::min<int32_t>(lowest, end.bytes[i]);
    }
    EXPECT_GT(opaque, 5000);
    EXPECT_LT(lowest, 220);
}

}  // namespace
