#include "resources/data_file.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// A folder of things that are not regular files, beside one that is. A FIFO with no writer
// is the dangerous one: a blocking open waits for a writer forever, so a test that hangs here
// has found the fault (ctest's timeout ends it).
class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("zentrox-data-file-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder / "folder");
        std::ofstream(folder / "regular.txt") << "key 1\n";
        fs::create_symlink("regular.txt", folder / "link.txt");
        fs::create_symlink("/dev/zero", folder / "zero.txt");
        fs::create_symlink("nowhere.txt", folder / "dangling.txt");
        ASSERT_EQ(mkfifo(path("fifo.txt").c_str(), 0644), 0);
        const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path("socket.txt").c_str());
        ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        close(listener);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string path(const char* name) const { return (folder / name).string(); }

    fs::path folder;
};

TEST_F(DataFileTest, OnlyRegularFilesAndLinksToThemOpen) {
    EXPECT_NE(openRegularFile(path("regular.txt").c_str()), nullptr);
    EXPECT_NE(openRegularFile(path("link.txt").c_str()), nullptr);
    for (const char* name :
         {"fifo.txt", "socket.txt", "zero.txt", "folder", "dangling.txt", "missing.txt"}) {
        EXPECT_EQ(openRegularFile(path(name).c_str()), nullptr) << name;
    }
}

TEST_F(DataFileTest, NamesWhatAPathIs) {
    const struct {
        const char* name;
        FileType type;
        const char* description;
    } cases[] = {
        {"regular.txt", FileType::Regular, ""},     {"link.txt", FileType::Regular, ""},
        {"fifo.txt", FileType::Fifo, "a FIFO"},     {"socket.txt", FileType::Socket, "a socket"},
        {"zero.txt", FileType::Device, "a device"}, {"folder", FileType::Folder, "a folder"},
        {"dangling.txt", FileType::Missing, ""},    {"missing.txt", FileType::Missing, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fileTypeOf(path(c.name).c_str()), c.type) << c.name;
        EXPECT_STREQ(describeFileType(c.type), c.description) << c.name;
    }
}

TEST_F(DataFileTest, ReadsRegularFilesWithinTheirLimitAndRefusesTheRest) {
    std::vector<uint8_t> bytes;
    EXPECT_EQ(readDataFile(path("link.txt").c_str(), 100, bytes), FileRead::Whole);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "key 1\n");
    EXPECT_EQ(readDataFile(path("regular.txt").c_str(), 6, bytes), FileRead::Whole);
    EXPECT_EQ(readDataFile(path("regular.txt").c_str(), 5, bytes), FileRead::TooLarge);
    EXPECT_EQ(bytes.size(), 5u);
    // /dev/zero never ends and a FIFO never starts: neither is read at all.
    for (const char* name : {"zero.txt", "fifo.txt", "folder"}) {
        EXPECT_EQ(readDataFile(path(name).c_str(), 1 << 20, bytes), FileRead::Unopenable) << name;
        EXPECT_TRUE(bytes.empty()) << name;
    }
}

}  // namespace
