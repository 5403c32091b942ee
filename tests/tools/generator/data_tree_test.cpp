#include "tools/generator/data_tree.h"

#include <gtest/gtest.h>

#include <fstream>

#include "generator_test_support.h"

namespace {

TEST(DataTree, CreatesFoldersAndWritesWholeFiles) {
    const ScratchFolder folder("zentrox-tree");
    const DataTree tree(folder.path / "out");
    std::string error;
    ASSERT_TRUE(tree.prepare(error)) << error;
    const std::vector<uint8_t> bytes = {1, 2, 3, 0, 255};
    ASSERT_TRUE(tree.write("Textures/Text/word.bin", bytes, error)) << error;
    EXPECT_EQ(readFileBytes((folder.path / "out/Textures/Text/word.bin").string()), bytes);
    // Nothing but the file is left behind.
    int32_t entries = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path / "out")) {
        entries += entry.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(entries, 1);
}

TEST(DataTree, ReplacesAnOlderFile) {
    const ScratchFolder folder("zentrox-tree");
    const DataTree tree(folder.path);
    std::string error;
    ASSERT_TRUE(tree.write("a.bin", std::vector<uint8_t>(100, 7), error)) << error;
    ASSERT_TRUE(tree.write("a.bin", std::vector<uint8_t>(3, 9), error)) << error;
    EXPECT_EQ(readFileBytes((folder.path / "a.bin").string()), std::vector<uint8_t>(3, 9));
}

TEST(DataTree, ARootInsideARegularFileIsRefusedByName) {
    const ScratchFolder folder("zentrox-tree");
    std::ofstream(folder.path / "file") << "x";
    const std::filesystem::path root = folder.path / "file" / "out";
    const DataTree tree(root);
    std::string error;
    EXPECT_FALSE(tree.prepare(error));
    EXPECT_NE(error.find(root.string()), std::string::npos) << error;
}

TEST(DataTree, AFileWhereAFolderMustGoIsRefusedByName) {
    const ScratchFolder folder("zentrox-tree");
    std::ofstream(folder.path / "Textures") << "x";
    const DataTree tree(folder.path);
    std::string error;
    ASSERT_TRUE(tree.prepare(error));
    EXPECT_FALSE(tree.write("Textures/Sky.png", std::vector<uint8_t>(4, 0), error));
    EXPECT_NE(error.find("Textures"), std::string::npos) << error;
}

}  // namespace
