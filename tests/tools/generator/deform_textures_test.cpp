#include "tools/generator/deform_textures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "generator_test_support.h"
#include "tools/generator/noise.h"

namespace {

enum class Across { Columns, Rows };

int32_t sample(const Pixmap& p, Across across, int32_t line, int32_t i, int32_t channel) {
    return across == Across::Columns ? p.at(line, i, channel) : p.at(i, line, channel);
}

// Mean absolute difference, over every channel, between two columns (or rows).
double lineDifference(const Pixmap& p, Across across, int32_t a, int32_t b) {
    const int32_t length = across == Across::Columns ? p.height : p.width;
    double sum = 0.0;
    for (int32_t c = 0; c < p.channels; ++c) {
        for (int32_t i = 0; i < length; ++i) {
            sum += std::abs(sample(p, across, a, i, c) - sample(p, across, b, i, c));
        }
    }
    return sum / (length * p.channels);
}

// As lineDifference, but of the signed difference averaged over 17 pixels along the lines:
// what stays is the share of a step that holds over a stretch, as a layer that does not wrap
// leaves at the seam, without the fine detail and dither that every step has.
double slowLineDifference(const Pixmap& p, Across across, int32_t a, int32_t b) {
    constexpr int32_t kReach = 8;
    const int32_t length = across == Across::Columns ? p.height : p.width;
    std::vector<int32_t> step(static_cast<size_t>(length));
    double sum = 0.0;
    for (int32_t c = 0; c < p.channels; ++c) {
        for (int32_t i = 0; i < length; ++i) {
            step[i] = sample(p, across, a, i, c) - sample(p, across, b, i, c);
        }
        for (int32_t i = 0; i < length; ++i) {
            int32_t around = 0;
            for (int32_t k = -kReach; k <= kReach; ++k) {
                around += step[((i + k) % length + length) % length];
            }
            sum += std::abs(around) / (2.0 * kReach + 1.0);
        }
    }
    return sum / (length * p.channels);
}

using LineMeasure = double (*)(const Pixmap&, Across, int32_t, int32_t);

// The step from the last column (row) back to the first, against a typical step between
// neighbours inside the picture (the 75th percentile, plus one level for the dither): at most
// 1 for a picture that meets itself without a seam.
double seamRoughness(const Pixmap& p, Across across, LineMeasure measure = lineDifference) {
    const int32_t count = across == Across::Columns ? p.width : p.height;
    std::vector<double> steps;
    for (int32_t i = 0; i + 1 < count; ++i) {
        steps.push_back(measure(p, across, i, i + 1));
    }
    std::sort(steps.begin(), steps.end());
    const double typical = steps[steps.size() * 3 / 4];
    return measure(p, across, count - 1, 0) / (typical + 1.0);
}

// Smooth noise in 32-pixel cells with hashed one-pixel grain on top, repeating every
// `period` cells (0: never), as a painted picture's layers are.
Pixmap noisePicture(int32_t period) {
    Pixmap p{128, 128, 1, std::vector<uint8_t>(128 * 128)};
    for (int32_t y = 0; y < 128; ++y) {
        for (int32_t x = 0; x < 128; ++x) {
            const float smooth = fractalNoise(x / 32.0, y / 32.0, period, period, 4, 7u);
            const float grain = hashUnit(x, y, 11u);
            p.at(x, y, 0) = static_cast<uint8_t>(40.0f + 120.0f * smooth + 30.0f * grain);
        }
    }
    return p;
}

int32_t luminance(const Pixmap& p, int32_t x, int32_t y) {
    return (2 * p.at(x, y, 0) + 5 * p.at(x, y, 1) + p.at(x, y, 2)) / 8;
}

// Mean luminance over rows [top, bottom).
double rowsLuminance(const Pixmap& p, int32_t top, int32_t bottom) {
    double sum = 0.0;
    for (int32_t y = top; y < bottom; ++y) {
        for (int32_t x = 0; x < p.width; ++x) {
            sum += luminance(p, x, y);
        }
    }
    return sum / ((bottom - top) * p.width);
}

// The mean, over the picture, of how far a pixel's luminance stands from the mean of its four
// neighbours (wrapped): large when the picture is full of one-pixel detail, which shimmers
// when the demo draws it small and moving.
double pixelDetail(const Pixmap& p) {
    double sum = 0.0;
    for (int32_t y = 0; y < p.height; ++y) {
        for (int32_t x = 0; x < p.width; ++x) {
            const int32_t around = luminance(p, (x + 1) % p.width, y) +
                                   luminance(p, (x + p.width - 1) % p.width, y) +
                                   luminance(p, x, (y + 1) % p.height) +
                                   luminance(p, x, (y + p.height - 1) % p.height);
            sum += std::abs(4 * luminance(p, x, y) - around) / 4.0;
        }
    }
    return sum / (p.width * p.height);
}

bool isPowerOfTwo(int32_t n) {
    return n > 0 && (n & (n - 1)) == 0;
}

// Every picture painted once for the whole suite; the painters are pure.
class DeformTexturesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        pictures = new std::map<std::string, Pixmap>;
        for (const DeformTextureRecipe& recipe : kDeformTextureRecipes) {
            (*pictures)[recipe.file] = recipe.paint();
        }
    }
    static void TearDownTestSuite() {
        delete pictures;
        pictures = nullptr;
    }
    static const Pixmap& picture(const char* file) { return pictures->at(file); }
    static std::map<std::string, Pixmap>* pictures;
};

std::map<std::string, Pixmap>* DeformTexturesTest::pictures = nullptr;

TEST(DeformTextureRecipes, FilesAreUniqueAndInTheDeformFolder) {
    std::set<std::string> files;
    for (const DeformTextureRecipe& recipe : kDeformTextureRecipes) {
        const std::string file = recipe.file;
        EXPECT_EQ(file.rfind("Textures/xlab/", 0), 0u) << file;
        EXPECT_EQ(file.substr(file.size() - 4), ".png") << file;
        files.insert(file);
    }
    EXPECT_EQ(files.size(), kDeformTextureRecipes.size());
    // The names the scene's objects refer to are all in the table.
    for (const char* named : {kDeformFloorTexture, kDeformRoofTexture, kDeformWall1Texture,
                              kDeformWall2Texture, kDeformWindowTexture, kDeformWoodTexture,
                              kDeformStoneTexture, kDeformHolderTexture, kDeformPassageTexture,
                              kDeformGrateTexture, kDeformSlinkyTexture, kDeformStrangeTexture}) {
        EXPECT_EQ(files.count(named), 1u) << named;
    }
}

TEST(DeformTextureSeam, MeasureRejectsAPictureThatDoesNotTile) {
    Pixmap ramp{64, 8, 1, std::vector<uint8_t>(64 * 8)};
    for (int32_t y = 0; y < 8; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            ramp.at(x, y, 0) = static_cast<uint8_t>(x * 4);
        }
    }
    EXPECT_GT(seamRoughness(ramp, Across::Columns), 10.0);
    EXPECT_LE(seamRoughness(ramp, Across::Rows), 1.0);
}

TEST(DeformTextureSeam, SlowMeasureFindsASmoothLayerThatDoesNotWrap) {
    const Pixmap wrapping = noisePicture(4);
    const Pixmap broken = noisePicture(0);
    for (const Across across : {Across::Columns, Across::Rows}) {
        EXPECT_LE(seamRoughness(wrapping, across, slowLineDifference), 1.0);
        EXPECT_GT(seamRoughness(broken, across, slowLineDifference), 1.0);
    }
}

TEST(DeformTextureDetail, MeasureFindsOnePixelDetail) {
    Pixmap checker{32, 32, 3, std::vector<uint8_t>(32 * 32 * 3)};
    Pixmap ramp = checker;
    for (int32_t y = 0; y < 32; ++y) {
        for (int32_t x = 0; x < 32; ++x) {
            for (int32_t c = 0; c < 3; ++c) {
                checker.at(x, y, c) = ((x + y) & 1) != 0 ? 160 : 96;
                ramp.at(x, y, c) = static_cast<uint8_t>(64 + 2 * x);
            }
        }
    }
    EXPECT_GT(pixelDetail(checker), 50.0);
    EXPECT_LT(pixelDetail(ramp), 2.0);
}

TEST_F(DeformTexturesTest, EveryPictureHasItsDeclaredPowerOfTwoSize) {
    for (const DeformTextureRecipe& recipe : kDeformTextureRecipes) {
        const Pixmap& p = picture(recipe.file);
        EXPECT_TRUE(isPowerOfTwo(recipe.width) && isPowerOfTwo(recipe.height)) << recipe.file;
        EXPECT_EQ(p.width, recipe.width) << recipe.file;
        EXPECT_EQ(p.height, recipe.height) << recipe.file;
        EXPECT_EQ(p.channels, recipe.channels) << recipe.file;
        EXPECT_EQ(p.bytes.size(), static_cast<size_t>(p.width) * p.height * p.channels)
            << recipe.file;
    }
    EXPECT_EQ(picture(kDeformWindowTexture).channels, 4);
}

TEST_F(DeformTexturesTest, RepeatingPicturesMeetThemselvesWithoutASeam) {
    for (const DeformTextureRecipe& recipe : kDeformTextureRecipes) {
        const Pixmap& p = picture(recipe.file);
        for (const LineMeasure measure : {lineDifference, slowLineDifference}) {
            if (recipe.tiling != DeformTiling::None) {
                EXPECT_LE(seamRoughness(p, Across::Columns, measure), 1.0) << recipe.file;
            }
            if (recipe.tiling == DeformTiling::Both) {
                EXPECT_LE(seamRoughness(p, Across::Rows, measure), 1.0) << recipe.file;
            }
        }
    }
}

TEST_F(DeformTexturesTest, NoPictureIsFullOfOnePixelDetail) {
    for (const DeformTextureRecipe& recipe : kDeformTextureRecipes) {
        EXPECT_LT(pixelDetail(picture(recipe.file)), 6.0) << recipe.file;
    }
}

TEST_F(DeformTexturesTest, PaintingAgainGivesTheSameBytes) {
    for (const DeformTextureRecipe& recipe : kDeformTextureRecipes) {
        EXPECT_EQ(recipe.paint().bytes, picture(recipe.file).bytes) << recipe.file;
    }
}

TEST_F(DeformTexturesTest, WindowHasAnOpaqueFrameRoundTranslucentGlass) {
    const Pixmap& window = picture(kDeformWindowTexture);
    ASSERT_EQ(window.channels, 4);
    const int32_t w = window.width;
    const int32_t h = window.height;
    // The frame: the outer 5% on every side.
    const int32_t frame = w / 20;
    int32_t lowest = 255;
    int32_t highest = 0;
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const int32_t alpha = window.at(x, y, 3);
            EXPECT_GT(alpha, 0) << x << "," << y;
            const bool inFrame = x < frame || y < frame || x >= w - frame || y >= h - frame;
            if (inFrame) {
                ASSERT_EQ(alpha, 255) << x << "," << y;
            }
            const bool inCentre = std::abs(2 * x - w) < w / 2 && std::abs(2 * y - h) < h / 2;
            if (inCentre) {
                lowest = std::min(lowest, alpha);
                highest = std::max(highest, alpha);
            }
        }
    }
    // Glass lets most of the view through, reflection streaks a little less.
    EXPECT_GE(lowest, 40);
    EXPECT_LE(lowest, 100);
    EXPECT_LT(highest, 200);
    EXPECT_GT(highest, lowest + 10);
}

TEST_F(DeformTexturesTest, SlinkyIsBrightAllOver) {
    const Pixmap& slinky = picture(kDeformSlinkyTexture);
    double sum = 0.0;
    int32_t dimmest = 255;
    for (int32_t y = 0; y < slinky.height; ++y) {
        for (int32_t x = 0; x < slinky.width; ++x) {
            const int32_t brightest =
                std::max({slinky.at(x, y, 0), slinky.at(x, y, 1), slinky.at(x, y, 2)});
            sum += brightest;
            dimmest = std::min(dimmest, brightest);
        }
    }
    EXPECT_GT(sum / (slinky.width * slinky.height), 200.0);
    EXPECT_GT(dimmest, 150);
}

TEST_F(DeformTexturesTest, WallsStandOnTheFloorWithTheirBandAtTwoFifths) {
    for (const char* file : {kDeformWall1Texture, kDeformWall2Texture}) {
        const Pixmap& wall = picture(file);
        const int32_t h = wall.height;
        const double kick = rowsLuminance(wall, h - h / 20, h);
        const double panel = rowsLuminance(wall, h / 4, h / 4 + h / 20);
        const double belowRoof = rowsLuminance(wall, 0, h / 20);
        const double roofCorner = rowsLuminance(wall, 0, 4);
        // The dark kick plate on the bottom rows; the top is panel, shaded into the corner.
        EXPECT_LT(kick, 0.4 * panel) << file;
        EXPECT_GT(belowRoof, 0.6 * panel) << file;
        EXPECT_LT(roofCorner, panel) << file;
    }
    // Room 1's band is teal: green and blue well above red, at 40% of the height up.
    const Pixmap& wall1 = picture(kDeformWall1Texture);
    const int32_t bandRow = wall1.height - wall1.height * 2 / 5;
    EXPECT_GT(wall1.at(wall1.width / 2, bandRow, 1), wall1.at(wall1.width / 2, bandRow, 0) + 60);
    EXPECT_GT(wall1.at(wall1.width / 2, bandRow, 2), wall1.at(wall1.width / 2, bandRow, 0) + 60);
    // Room 2 is darker, so its glowing slinky stands out.
    const Pixmap& wall2 = picture(kDeformWall2Texture);
    EXPECT_LT(rowsLuminance(wall2, 0, wall2.height), 0.6 * rowsLuminance(wall1, 0, wall1.height));
}

TEST_F(DeformTexturesTest, RoofHasOneBrightLightAmongGreyPanels) {
    const Pixmap& roof = picture(kDeformRoofTexture);
    int32_t bright = 0;
    std::vector<int32_t> levels;
    for (int32_t y = 0; y < roof.height; ++y) {
        for (int32_t x = 0; x < roof.width; ++x) {
            const int32_t level = luminance(roof, x, y);
            bright += level >= 230 ? 1 : 0;
            levels.push_back(level);
        }
    }
    std::sort(levels.begin(), levels.end());
    const double brightShare = static_cast<double>(bright) / levels.size();
    EXPECT_GT(brightShare, 0.06);
    EXPECT_LT(brightShare, 0.2);
    EXPECT_GT(levels[levels.size() / 2], 80);
    EXPECT_LT(levels[levels.size() / 2], 180);
}

TEST_F(DeformTexturesTest, PassageIsLitAlongTheMiddleOfItsFaces) {
    const Pixmap& passage = picture(kDeformPassageTexture);
    const int32_t h = passage.height;
    const double middle = rowsLuminance(passage, h / 2 - 2, h / 2 + 2);
    const double edges = rowsLuminance(passage, 0, 8);
    EXPECT_GT(middle, 200.0);
    EXPECT_LT(edges, 0.3 * middle);
}

TEST(DeformTexturesWrite, WritesEveryPictureAsPainted) {
    const ScratchFolder folder("zentrox-lab-textures");
    const DataTree tree(folder.path);
    std::string error;
    ASSERT_TRUE(writeDeformTextures(tree, error)) << error;
    for (const DeformTextureRecipe& recipe : kDeformTextureRecipes) {
        const Pixmap read = readPngFile(tree.pathOf(recipe.file).string(), recipe.channels);
        EXPECT_EQ(read.width, recipe.width) << recipe.file;
        EXPECT_EQ(read.bytes, recipe.paint().bytes) << recipe.file;
    }
}

TEST(DeformTexturesWrite, NamesTheFolderItCannotCreate) {
    const ScratchFolder folder("zentrox-lab-blocked");
    // A file where the pictures' folder should go.
    std::ofstream(folder.path / "Textures") << "in the way";
    const DataTree tree(folder.path);
    std::string error;
    EXPECT_FALSE(writeDeformTextures(tree, error));
    EXPECT_NE(error.find("Textures"), std::string::npos) << error;
}

}  // namespace
