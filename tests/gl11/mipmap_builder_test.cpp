#include "gl11/mipmap_builder.h"

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "base/gl.h"
#include "support/gl_test.h"

namespace {

// The layer's chains against the desktop's: each case builds the same image with the real
// gluBuild2DMipmaps into a texture, reads every level back, and expects the levels, their sizes
// and every byte to be the ones buildMipmaps gives for the GL's largest texture.

// Noise has every byte value; two tones (0 and 255) make boxes whose mean is exactly 255, which
// GLU's single-precision sums leave at 255 or drop to 254 depending on the order of the sum.
enum class Pattern { Noise, TwoTones };

struct ImageCase {
    int32_t width;
    int32_t height;
    int32_t components;
    Pattern pattern;
};

std::vector<uint8_t> image(const ImageCase& c) {
    std::mt19937 random(static_cast<uint32_t>(c.width * 7919 + c.height * 31 + c.components));
    std::vector<uint8_t> pixels(static_cast<std::size_t>(c.width) * c.height * c.components);
    for (uint8_t& value : pixels) {
        const uint32_t draw = random() >> 24;
        value = static_cast<uint8_t>(c.pattern == Pattern::Noise ? draw : (draw & 1) * 255);
    }
    return pixels;
}

GLenum formatOf(int32_t components) {
    return components == 3 ? GL_RGB : GL_RGBA;
}

GLint largestTexture() {
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return size;
}

// The levels GLU builds, as the driver holds them.
std::vector<MipLevel> gluChain(int32_t components, int32_t width, int32_t height,
                               const std::vector<uint8_t>& pixels) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    const GLint failure = gluBuild2DMipmaps(GL_TEXTURE_2D, components, width, height,
                                            formatOf(components), GL_UNSIGNED_BYTE, pixels.data());
    EXPECT_EQ(failure, 0) << gluErrorString(static_cast<GLenum>(failure));
    std::vector<MipLevel> chain;
    for (GLint level = 0;; ++level) {
        GLint levelWidth = 0;
        GLint levelHeight = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &levelWidth);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &levelHeight);
        if (levelWidth == 0) {
            break;
        }
        MipLevel read{
            levelWidth, levelHeight,
            std::vector<uint8_t>(static_cast<std::size_t>(levelWidth) * levelHeight * components)};
        glGetTexImage(GL_TEXTURE_2D, level, formatOf(components), GL_UNSIGNED_BYTE,
                      read.pixels.data());
        chain.push_back(std::move(read));
    }
    glDeleteTextures(1, &texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return chain;
}

// Empty when the levels are the same; otherwise where they first differ.
std::string difference(const std::vector<MipLevel>& ours, const std::vector<MipLevel>& glu,
                       int32_t components) {
    std::ostringstream out;
    if (ours.size() != glu.size()) {
        out << ours.size() << " levels where GLU makes " << glu.size();
        return out.str();
    }
    for (std::size_t level = 0; level < glu.size(); ++level) {
        const MipLevel& a = ours[level];
        const MipLevel& b = glu[level];
        if (a.width != b.width || a.height != b.height) {
            out << "level " << level << " is " << a.width << "x" << a.height << " where GLU's is "
                << b.width << "x" << b.height;
            return out.str();
        }
        for (std::size_t i = 0; i < b.pixels.size(); ++i) {
            if (a.pixels[i] != b.pixels[i]) {
                const std::size_t texel = i / components;
                out << "level " << level << " (" << b.width << "x" << b.height << "), texel ("
                    << texel % b.width << ", " << texel / b.width << ") component "
                    << i % components << ": " << int{a.pixels[i]} << " where GLU has "
                    << int{b.pixels[i]};
                return out.str();
            }
        }
    }
    return {};
}

class MipmapBuilderTest : public GLTest, public ::testing::WithParamInterface<ImageCase> {};

TEST_P(MipmapBuilderTest, BuildsTheLevelsGLUBuildsByteForByte) {
    const ImageCase c = GetParam();
    const std::vector<uint8_t> pixels = image(c);
    const std::vector<MipLevel> glu = gluChain(c.components, c.width, c.height, pixels);
    ASSERT_FALSE(glu.empty());
    const std::vector<MipLevel> ours =
        buildMipmaps(c.components, c.width, c.height, pixels.data(), largestTexture());
    EXPECT_EQ(difference(ours, glu, c.components), "");
}

std::vector<ImageCase> imageCases() {
    // Powers of two: no rescale, the halving alone, down to the 1-wide levels. Rescaled up,
    // down, and up one way and down the other. The height kept while the width is rescaled,
    // where GLU darkens the top row and blackens an image one texel tall. Large enough that the
    // order of GLU's float sums shows. Longer than the GL's largest texture (16384 on llvmpipe):
    // halved further to fit, by a whole factor on the short side, by exactly half (a halving
    // step, not a rescale), and to less than half the height, where boxes cover four rows.
    const std::pair<int32_t, int32_t> sizes[] = {
        {64, 64}, {256, 32}, {1, 1},      {57, 23},   {300, 200}, {640, 480}, {3, 5},    {1, 7},
        {57, 16}, {7, 1},    {1165, 712}, {937, 570}, {24576, 4}, {32768, 2}, {3, 40000}};
    std::vector<ImageCase> cases;
    for (const auto& [width, height] : sizes) {
        for (const int32_t components : {3, 4}) {
            for (const Pattern pattern : {Pattern::Noise, Pattern::TwoTones}) {
                cases.push_back({width, height, components, pattern});
            }
        }
    }
    return cases;
}

std::string caseName(const ::testing::TestParamInfo<ImageCase>& info) {
    const ImageCase& c = info.param;
    return std::to_string(c.width) + "x" + std::to_string(c.height) +
           (c.components == 3 ? "Rgb" : "Rgba") +
           (c.pattern == Pattern::Noise ? "Noise" : "TwoTones");
}

INSTANTIATE_TEST_SUITE_P(Images, MipmapBuilderTest, ::testing::ValuesIn(imageCases()), caseName);

// GLU's rule for the power of two a side becomes, at every side up to past 1024: the
// boundaries between rounding down and up (3, 6, 12, ... 768) are where a rule goes wrong.
using MipmapBuilderSideTest = GLTest;

TEST_F(MipmapBuilderSideTest, EverySideBecomesThePowerOfTwoGLUMakesOfIt) {
    for (int32_t side = 1; side <= 1100; ++side) {
        const std::vector<uint8_t> pixels(static_cast<std::size_t>(side) * 2 * 3, 128);
        const std::vector<MipLevel> glu = gluChain(3, side, 2, pixels);
        const std::vector<MipLevel> ours =
            buildMipmaps(3, side, 2, pixels.data(), largestTexture());
        ASSERT_FALSE(glu.empty());
        ASSERT_FALSE(ours.empty());
        EXPECT_EQ(ours[0].width, glu[0].width) << "a side of " << side;
    }
}

TEST(MipmapBuilder, BadInputGivesNoLevels) {
    const std::vector<uint8_t> pixels(4 * 4 * 4, 200);
    const uint8_t* data = pixels.data();
    EXPECT_TRUE(buildMipmaps(0, 4, 4, data, 64).empty());
    EXPECT_TRUE(buildMipmaps(1, 4, 4, data, 64).empty());
    EXPECT_TRUE(buildMipmaps(2, 4, 4, data, 64).empty());
    EXPECT_TRUE(buildMipmaps(5, 4, 4, data, 64).empty());
    EXPECT_TRUE(buildMipmaps(-3, 4, 4, data, 64).empty());
    EXPECT_TRUE(buildMipmaps(4, 0, 4, data, 64).empty());
    EXPECT_TRUE(buildMipmaps(4, 4, 0, data, 64).empty());
    EXPECT_TRUE(buildMipmaps(4, -4, 4, data, 64).empty());
    EXPECT_TRUE(buildMipmaps(4, 4, -1, data, 64).empty());
    EXPECT_TRUE(buildMipmaps(4, 4, 4, nullptr, 64).empty());
    EXPECT_TRUE(buildMipmaps(4, 4, 4, data, 0).empty());
    EXPECT_TRUE(buildMipmaps(4, 4, 4, data, -64).empty());
    // The same image, well formed, does build.
    EXPECT_EQ(buildMipmaps(4, 4, 4, data, 64).size(), 3u);
}

}  // namespace
