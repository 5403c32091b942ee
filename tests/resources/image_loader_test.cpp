#include "resources/image_loader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "resources/data_path.h"
#include "resources/file.h"

namespace {

namespace fs = std::filesystem;

TEST(ImageExtension, IsWhatFollowsTheLastDot) {
    EXPECT_EQ(imageExtension("Textures/Welcome.png"), "png");
    EXPECT_EQ(imageExtension("a.b.tga"), "tga");
    EXPECT_EQ(imageExtension("Textures/Welcome.PNG"), "PNG");
    EXPECT_EQ(imageExtension("name."), "");
    // Without a dot past the first character: the name minus its first character.
    EXPECT_EQ(imageExtension("picture"), "icture");
    EXPECT_EQ(imageExtension(".png"), "png");
    EXPECT_EQ(imageExtension(""), "");
}

TEST(DataPath, TurnsBackslashesIntoSlashes) {
    EXPECT_EQ(dataPath("Objects\\Scene1_27C27.rob"), "Objects/Scene1_27C27.rob");
    EXPECT_EQ(dataPath("Curves/Scene0_and.txt"), "Curves/Scene0_and.txt");
    EXPECT_EQ(dataPath("\\\\"), "//");
}

// A data tree in a temporary folder, entered for the test.
class DataTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = fs::current_path();
        tree = fs::temp_directory_path() / ("zentrox-tree-" + std::to_string(::getpid()));
        fs::create_directories(tree / "Textures");
        fs::current_path(tree);
        const fs::path suite = fs::path(ZENTROX_TEST_DATA) / "pngsuite";
        fs::copy_file(suite / "basn2c08.png", "Textures/picture.png");
        fs::copy_file(suite / "basn2c08.png", "Textures/picture.PNG");
        std::ofstream("Textures/bad.png") << "not a picture";
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(tree);
    }
    fs::path previous;
    fs::path tree;
};

TEST_F(DataTreeTest, LoadsByExtensionThroughWindowsStyleNames) {
    const std::unique_ptr<Image> image = loadImage("Textures\\picture.png");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 32);
    EXPECT_EQ(image->components, 3);
}

TEST_F(DataTreeTest, UnknownExtensionsAndMissingFilesGiveNoImage) {
    EXPECT_EQ(loadImage("Textures/picture.PNG"), nullptr);  // the extension is case-sensitive
    EXPECT_EQ(loadImage("Textures/missing.png"), nullptr);
    EXPECT_EQ(loadImage("Textures"), nullptr);
}

TEST_F(DataTreeTest, ACorruptPictureComesBackEmpty) {
    const std::unique_ptr<Image> image = loadImage("Textures/bad.png");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->data, nullptr);
    EXPECT_EQ(image->components, 0);
}

TEST_F(DataTreeTest, ReadOnlyFilesOpen) {
    fs::permissions("Textures/picture.png", fs::perms::owner_read | fs::perms::group_read);
    File file;
    EXPECT_TRUE(file.open("Textures/picture.png"));
    uint8_t signature[8] = {};
    EXPECT_TRUE(file.read(signature, 8));
    EXPECT_EQ(signature[1], 'P');
}

TEST_F(DataTreeTest, FileSeeksByTheStreamsOwnOrigins) {
    File file;
    ASSERT_TRUE(file.open("Textures/bad.png"));  // 13 bytes
    EXPECT_TRUE(file.seek(0, kSeekEnd));
    EXPECT_EQ(file.tell(), 13);
    EXPECT_TRUE(file.seek(4, kSeekBegin));
    EXPECT_TRUE(file.seek(2, kSeekCurrent));
    EXPECT_EQ(file.tell(), 6);
    EXPECT_FALSE(file.seek(0, 3));
    EXPECT_EQ(file.tell(), 6);
    char rest[8] = {};
    EXPECT_FALSE(file.read(rest, 8));  // only 7 bytes are left: a short read fails
}

}  // namespace
