#include "resources/picture_queue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "resources/data_path.h"
#include "resources/image_loader.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> opened;

void recordOpening(const String& name) {
    opened.emplace_back(name.c_str());
}

class PictureQueueTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = fs::current_path();
        fs::current_path(ZENTROX_GENERATED_DATA);
    }
    void TearDown() override {
        setDataFileListener(nullptr);
        fs::current_path(previous);
    }

    fs::path previous;
};

// The big pictures sit between small ones, so pictures decoded ahead and waiting must still
// come out in file order.
TEST_F(PictureQueueTest, HandsOutEachFilesPictureOnceInFileOrder) {
    opened.clear();
    setDataFileListener(recordOpening);
    std::vector<std::unique_ptr<Image>> taken;
    {
        PictureQueue pictures(kPictureFiles);
        for (size_t i = 0; i < kPictureFiles.size(); ++i) {
            taken.push_back(pictures.next());
            // Time for the decoder to run ahead, as it does while the GL builds mipmaps.
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        EXPECT_EQ(pictures.next(), nullptr);
    }
    setDataFileListener(nullptr);
    std::vector<std::string> names;
    for (const DataFile& file : kPictureFiles) {
        names.emplace_back(file.name);
    }
    EXPECT_EQ(opened, names);
    for (size_t i = 0; i < kPictureFiles.size(); ++i) {
        const char* name = kPictureFiles[i].name;
        const std::unique_ptr<Image> expected = loadImage(name);
        ASSERT_NE(taken[i], nullptr) << name;
        EXPECT_EQ(taken[i]->width, expected->width) << name;
        EXPECT_EQ(taken[i]->height, expected->height) << name;
        ASSERT_EQ(taken[i]->byteCount(), expected->byteCount()) << name;
        EXPECT_TRUE(
            std::equal(expected->data, expected->data + expected->byteCount(), taken[i]->data))
            << name;
    }
}

TEST_F(PictureQueueTest, AMissingOrUnknownFileIsNullAndTheRestFollow) {
    const DataFile files[] = {
        {"Textures/Gone.png", DataKind::Picture},
        {"Textures/Welcome.png", DataKind::Picture},
        {"Curves/Scene2_ts.txt", DataKind::Picture},
        {"Textures/EnvX.png", DataKind::Picture},
    };
    PictureQueue pictures(files);
    EXPECT_EQ(pictures.next(), nullptr);
    const std::unique_ptr<Image> welcome = pictures.next();
    ASSERT_NE(welcome, nullptr);
    EXPECT_EQ(welcome->width, 2048);
    EXPECT_EQ(pictures.next(), nullptr);
    const std::unique_ptr<Image> wall = pictures.next();
    ASSERT_NE(wall, nullptr);
    EXPECT_EQ(wall->width, 256);
    EXPECT_EQ(pictures.next(), nullptr);
}

TEST_F(PictureQueueTest, StopsWithPicturesLeftUntaken) {
    for (int run = 0; run < 20; ++run) {
        PictureQueue pictures(kPictureFiles);
        if (run % 2 == 1) {
            EXPECT_NE(pictures.next(), nullptr);
        }
    }
}

}  // namespace
