#include <png.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "render/projection.h"
#include "base/gl.h"
#include "render/scene_object_drawing.h"
#include "resources/scene_object.h"
#include "support/gl_test.h"

namespace {

namespace fs = std::filesystem;
using Pixel = std::array<uint8_t, 3>;

void writeSolidPng(const std::string& path, uint8_t r, uint8_t g, uint8_t b, int alpha) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = 4;
    image.height = 4;
    image.format = alpha < 0 ? PNG_FORMAT_RGB : PNG_FORMAT_RGBA;
    const int channels = alpha < 0 ? 3 : 4;
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 16; ++i) {
        pixels.insert(pixels.end(), {r, g, b});
        if (channels == 4) {
            pixels.push_back(static_cast<uint8_t>(alpha));
        }
    }
    png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr);
}

// A quad over the whole unit square, facing the viewer in the y-down box (translucent objects
// cull back faces), in a tree entered for the test.
class SceneObjectDrawTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        previous = fs::current_path();
        tree = fs::temp_directory_path() / ("zentrox-draw-" + std::to_string(::getpid()));
        fs::create_directories(tree);
        fs::current_path(tree);
        std::ofstream("quad.rob") << "TROB\n1\nq\nm\n4\n"
                                     "0 0 0\n0 0\n1 0 0\n1 0\n1 1 0\n1 1\n0 1 0\n0 1\n"
                                     "1\n0 0 1\n"
                                     "3\n0 2 1\n0 0 0\n0 0 0\n0 3 2\n0 0 0\n0 0 0\n"
                                     "0 9 3\n0 0 0\n0 0 0\n";  // the last face is broken
        writeSolidPng("rgb.png", 0, 0, 255, -1);
        writeSolidPng("rgba.png", 0, 0, 255, 128);
        glDisable(GL_DEPTH_TEST);
        viewport = {0, 0, 800, 600};
        setOrtho(viewport, 1, 1);
        glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(tree);
        glEnable(GL_DEPTH_TEST);
    }
    Pixel drawn(const std::string& config) {
        std::ofstream("object.cfg") << config;
        SceneObject object;
        object.load("object.cfg");
        object.update(0.0f);
        drawObject(object);
        return pixelAt(400, 300);
    }
    fs::path previous;
    fs::path tree;
};

TEST_F(SceneObjectDrawTest, OpaqueTextureCoversTheBackground) {
    EXPECT_EQ(drawn("ObjectFile \"quad.rob\"\nTextureFile \"rgb.png\"\n"), (Pixel{0, 0, 255}));
}

TEST_F(SceneObjectDrawTest, AlphaInTheTextureOrTheEnvironmentBlends) {
    const Pixel textured = drawn("ObjectFile \"quad.rob\"\nTextureFile \"rgba.png\"\n");
    EXPECT_NEAR(textured[0], 127, 2);
    EXPECT_NEAR(textured[2], 128, 2);
    glClear(GL_COLOR_BUFFER_BIT);
    const Pixel mapped =
        drawn("ObjectFile \"quad.rob\"\nTextureFile \"rgb.png\"\nEnvironmentFile \"rgba.png\"\n");
    EXPECT_NEAR(mapped[0], 127, 2);
}

TEST_F(SceneObjectDrawTest, WireframeLeavesTheInsideUntouched) {
    std::ofstream("object.cfg") << "ObjectFile \"quad.rob\"\n";
    SceneObject object;
    object.load("object.cfg");
    object.update(0.0f);
    drawObjectWireframe(object, 1.0f);
    EXPECT_EQ(pixelAt(200, 150), (Pixel{255, 0, 0}));  // off the shared diagonal
    GLint mode[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_FILL);
}

}  // namespace
