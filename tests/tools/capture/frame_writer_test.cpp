#include "tools/capture/frame_writer.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <filesystem>

#include "base/gl.h"
#include "support/gl_test.h"

namespace {

struct DecodedPng {
    bool ok = false;
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> rgb;
};

DecodedPng readPng(const std::string& path) {
    DecodedPng result;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return result;
    }
    image.format = PNG_FORMAT_RGB;
    result.rgb.resize(PNG_IMAGE_SIZE(image));
    result.ok = png_image_finish_read(&image, nullptr, result.rgb.data(), 0, nullptr) != 0;
    result.width = image.width;
    result.height = image.height;
    return result;
}

class FrameWriterTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        directory = std::filesystem::temp_directory_path() /
                    ("zentrox-frames-" + std::to_string(::getpid()));
        std::filesystem::remove_all(directory);
    }
    void TearDown() override { std::filesystem::remove_all(directory); }
    std::filesystem::path directory;
};

TEST_F(FrameWriterTest, WritesTheRenderedFrameTopRowFirst) {
    // Red top half, blue bottom half.
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 300, 800, 300);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(0, 0, 800, 300);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);

    FrameWriter writer(directory.string(), 2);
    std::string error;
    ASSERT_TRUE(writer.prepare(error)) << error;
    ASSERT_TRUE(writer.write(7, context().readPixels(), 800, 600, error)) << error;
    ASSERT_TRUE(writer.finish(error)) << error;
    EXPECT_EQ(std::filesystem::path(writer.framePath(7)).filename(), "frame_000007.png");

    const DecodedPng png = readPng(writer.framePath(7));
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(png.width, 800u);
    EXPECT_EQ(png.height, 600u);
    EXPECT_EQ(png.rgb[0], 255);  // top-left is red
    EXPECT_EQ(png.rgb[2], 0);
    const size_t bottomLeft = 599u * 800u * 3u;
    EXPECT_EQ(png.rgb[bottomLeft], 0);  // bottom-left is blue
    EXPECT_EQ(png.rgb[bottomLeft + 2], 255);
}

TEST_F(FrameWriterTest, ReportsAnOutputThatIsAFile) {
    std::filesystem::create_directories(directory);
    const std::filesystem::path file = directory / "taken";
    {
        std::FILE* f = std::fopen(file.c_str(), "w");
        std::fclose(f);
    }
    FrameWriter writer(file.string(), 1);
    std::string error;
    EXPECT_FALSE(writer.prepare(error));
    EXPECT_NE(error.find("taken"), std::string::npos) << error;
}

TEST_F(FrameWriterTest, WorkersWriteEveryQueuedFrameWholeUnderItsOwnName) {
    FrameWriter writer(directory.string(), 3);
    std::string error;
    ASSERT_TRUE(writer.prepare(error)) << error;
    constexpr int32_t kFrames = 24;
    for (int32_t i = 0; i < kFrames; ++i) {
        std::vector<uint8_t> rgb(64 * 48 * 3, static_cast<uint8_t>(i * 10));
        ASSERT_TRUE(writer.write(100 + i, std::move(rgb), 64, 48, error)) << error;
    }
    ASSERT_TRUE(writer.finish(error)) << error;
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        EXPECT_EQ(entry.path().filename().string().rfind("frame_", 0), 0u) << entry.path();
        ++files;
    }
    EXPECT_EQ(files, static_cast<size_t>(kFrames));  // and no partial file left behind
    for (int32_t i = 0; i < kFrames; ++i) {
        const DecodedPng png = readPng(writer.framePath(100 + i));
        ASSERT_TRUE(png.ok) << i;
        EXPECT_EQ(png.rgb[0], i * 10) << i;
        EXPECT_EQ(png.rgb.back(), i * 10) << i;
    }
}

TEST_F(FrameWriterTest, AFailedFrameIsReportedByTheNextWriteAndTheFinish) {
    FrameWriter writer(directory.string(), 1);
    std::string error;
    ASSERT_TRUE(writer.prepare(error)) << error;
    std::filesystem::remove_all(directory);  // the folder vanishes under the capture
    bool refused = false;
    for (int32_t i = 0; i < 8 && !refused; ++i) {
        refused = !writer.write(i, std::vector<uint8_t>(4 * 4 * 3, 0), 4, 4, error);
    }
    std::string last;
    EXPECT_FALSE(writer.finish(last));
    EXPECT_NE(last.find("frame_000000.png"), std::string::npos) << last;
}

TEST_F(FrameWriterTest, RecordsTheRendererBesideTheFramesAsOneWholeLine) {
    FrameWriter writer(directory.string(), 1);
    std::string error;
    ASSERT_TRUE(writer.prepare(error)) << error;
    ASSERT_TRUE(writer.recordRenderer("an older renderer", error)) << error;
    ASSERT_TRUE(writer.recordRenderer("llvmpipe (LLVM 15.0.6, 256 bits)", error)) << error;
    ASSERT_TRUE(writer.finish(error)) << error;
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{kRendererFile}) << "a partial file was left";
    std::FILE* file = std::fopen((directory / kRendererFile).c_str(), "rb");
    ASSERT_NE(file, nullptr);
    char text[128] = {};
    const size_t size = std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    EXPECT_EQ(std::string(text, size), "llvmpipe (LLVM 15.0.6, 256 bits)\n");

    std::filesystem::remove_all(directory);  // the folder vanishes under the capture
    EXPECT_FALSE(writer.recordRenderer("llvmpipe", error));
    EXPECT_NE(error.find("cannot write " + (directory / kRendererFile).string()), std::string::npos)
        << error;
}

TEST_F(FrameWriterTest, ReportsAnUnwritableFile) {
    std::string error;
    const std::vector<uint8_t> rgb(4 * 4 * 3, 0);
    EXPECT_FALSE(writePng((directory / "missing" / "frame.png").string(), rgb, 4, 4, error));
    EXPECT_NE(error.find("frame.png"), std::string::npos) << error;
    EXPECT_FALSE(writePng((directory / "short.png").string(), rgb, 5, 5, error));
}

}  // namespace
