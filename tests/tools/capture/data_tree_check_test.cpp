#include "tools/capture/data_tree_check.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/demo.h"
#include "app/scene_table.h"
#include "app/sys/offscreen_context.h"
#include "resources/soundtrack.h"
#include "resources/data_manifest.h"
#include "resources/data_path.h"
#include "resources/text_file.h"
#include "resources/texture_table.h"
#include "tools/capture/music_spectrum.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> opened;

void recordOpening(const String& name) {
    // A scene object reads its mesh twice, into the shape it keeps and the one it deforms.
    if (opened.empty() || opened.back() != name.c_str()) {
        opened.emplace_back(name.c_str());
    }
}

std::vector<std::string> names(const std::vector<CheckedFile>& files) {
    std::vector<std::string> result;
    for (const CheckedFile& file : files) {
        result.push_back(file.name);
    }
    return result;
}

// The check runs in the working folder, as the demo does: each test enters a tree and leaves it.
class DataTreeCheckTest : public ::testing::Test {
protected:
    void SetUp() override { previous = fs::current_path(); }
    void TearDown() override {
        fs::current_path(previous);
        if (!copy.empty()) {
            fs::remove_all(copy);
        }
    }

    // A private copy of the generated tree to damage.
    void enterCopy() {
        copy = fs::temp_directory_path() / ("zentrox-check-" + std::to_string(::getpid()));
        fs::remove_all(copy);
        fs::copy(ZENTROX_GENERATED_DATA, copy, fs::copy_options::recursive);
        fs::current_path(copy);
    }

    static void overwrite(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }

    static const CheckedFile& find(const std::vector<CheckedFile>& files, const std::string& name) {
        for (const CheckedFile& file : files) {
            if (file.name == name) {
                return file;
            }
        }
        ADD_FAILURE() << name << " is not listed";
        static const CheckedFile none = {"", FileOutcome::Missing, ""};
        return none;
    }

    fs::path previous;
    fs::path copy;
};

TEST_F(DataTreeCheckTest, ListsExactlyTheFilesTheDemoOpensInTheOrderItOpensThem) {
    fs::current_path(ZENTROX_GENERATED_DATA);
    OffscreenContext context;
    ASSERT_TRUE(context.create()) << context.error();
    opened.clear();
    setDataFileListener(recordOpening);
    startDemo(demoTimeline(), 1);
    MusicSpectrum music;  // the music opens after the scenes, as in the demo and the capture
    music.open(kMusic.name);
    setDataFileListener(nullptr);
    releaseScenes(demoScenes());
    context.destroy();

    const std::vector<CheckedFile> files = checkDataTree();
    ASSERT_GT(opened.size(), 40u);
    EXPECT_EQ(names(files), opened);
    EXPECT_TRUE(everyFileLoaded(files)) << describeCheck(files);
}

TEST_F(DataTreeCheckTest, TheGeneratedTreeLoadsWhole) {
    fs::current_path(ZENTROX_GENERATED_DATA);
    const std::vector<CheckedFile> files = checkDataTree();
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files.front().name, "Textures/EnvX.png");
    EXPECT_EQ(files.back().name, kMusic.name);
    for (const CheckedFile& file : files) {
        EXPECT_EQ(file.outcome, FileOutcome::Loaded) << file.name << ": " << file.reason;
        EXPECT_TRUE(file.reason.empty()) << file.name;
    }
    EXPECT_TRUE(everyFileLoaded(files));
    const std::string text = describeCheck(files);
    EXPECT_EQ(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')), files.size());
    EXPECT_EQ(text.rfind("loaded     Textures/EnvX.png\n", 0), 0u) << text;
}

TEST_F(DataTreeCheckTest, NamesWhatIsWrongWithEachDamagedFileAndKeepsTheOrder) {
    enterCopy();
    const std::vector<std::string> whole = names(checkDataTree());
    fs::remove("Textures/EnvX.png");
    fs::remove("Textures/EnvY.png");
    fs::create_directory("Textures/EnvY.png");
    overwrite("Textures/Sky.png", "not a picture at all");
    overwrite("Objects/Scene1_27C27.rob", "BORT 1 0 0 0");
    overwrite("Curves/Scene2_ts.txt", "");
    overwrite("Cameras/Scene2_Tour.txt", "");
    overwrite("Sounds/Crunch.mp3", std::string(4096, '\x55'));

    const std::vector<CheckedFile> files = checkDataTree();
    EXPECT_EQ(names(files), whole);
    EXPECT_FALSE(everyFileLoaded(files));
    const struct {
        const char* name;
        FileOutcome outcome;
        const char* reason;
    } expected[] = {
        {"Textures/EnvX.png", FileOutcome::Missing, ""},
        {"Textures/EnvY.png", FileOutcome::Unreadable, "a folder, not a regular file"},
        {"Textures/Sky.png", FileOutcome::Rejected, "not a PNG or TGA picture the decoders accept"},
        {"Objects\\Scene1_27C27.rob", FileOutcome::Rejected,
         "does not start with the magic word TROB"},
        {"Curves/Scene2_ts.txt", FileOutcome::Rejected, "no keys"},
        {"Cameras/Scene2_Tour.txt", FileOutcome::Rejected, "no keys"},
        {kMusic.name, FileOutcome::Rejected, "not an MP3 the decoder can play"},
    };
    for (const auto& e : expected) {
        const CheckedFile& file = find(files, e.name);
        EXPECT_EQ(file.outcome, e.outcome) << e.name;
        EXPECT_EQ(file.reason, e.reason) << e.name;
    }
    const std::string text = describeCheck(files);
    EXPECT_NE(text.find("missing    Textures/EnvX.png\n"), std::string::npos) << text;
    EXPECT_NE(text.find("unreadable Textures/EnvY.png: a folder, not a regular file\n"),
              std::string::npos);
    EXPECT_NE(text.find("rejected   Curves/Scene2_ts.txt: no keys\n"), std::string::npos);
}

TEST_F(DataTreeCheckTest, NamesWhatIsNotARegularFileAndWhatIsTooLargeWithoutBlocking) {
    enterCopy();
    fs::remove("Textures/EnvX.png");
    ASSERT_EQ(mkfifo("Textures/EnvX.png", 0644), 0);  // no writer: a blocking open never returns
    fs::remove("Curves/Scene2_ts.txt");
    fs::create_symlink("/dev/zero", "Curves/Scene2_ts.txt");
    fs::rename("Textures/Sky.png", "Textures/Sky.real.png");
    fs::create_symlink("Sky.real.png", "Textures/Sky.png");
    // A title picture whose header claims 16384 x 16384; and a camera path past the text budget.
    std::string bomb("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x40\0\0\0\x40\0\x08\x02\0\0\0", 29);
    overwrite("Textures/Welcome.png", bomb + std::string(4096, '\0'));
    fs::resize_file("Cameras/Scene2_Tour.txt", kMaxTextBytes + 1);

    const std::vector<CheckedFile> files = checkDataTree();
    const struct {
        const char* name;
        FileOutcome outcome;
        std::string reason;
    } expected[] = {
        {"Textures/EnvX.png", FileOutcome::Unreadable, "a FIFO, not a regular file"},
        {"Curves/Scene2_ts.txt", FileOutcome::Unreadable, "a device, not a regular file"},
        {"Textures/Sky.png", FileOutcome::Loaded, ""},
        {"Textures/Welcome.png", FileOutcome::Rejected,
         "too large: 16384 x 16384 pixels, over the budget of 16777216 pixels"},
        {"Cameras/Scene2_Tour.txt", FileOutcome::Rejected,
         "too large: " + std::to_string(kMaxTextBytes + 1) + " bytes, over the budget of " +
             std::to_string(kMaxTextBytes) + " bytes for a text file"},
    };
    for (const auto& e : expected) {
        const CheckedFile& file = find(files, e.name);
        EXPECT_EQ(file.outcome, e.outcome) << e.name;
        EXPECT_EQ(file.reason, e.reason) << e.name;
    }
}

TEST_F(DataTreeCheckTest, AnUnreadableConfigurationHidesTheFilesItWouldName) {
    enterCopy();
    const std::vector<std::string> whole = names(checkDataTree());
    overwrite("Complex/xlab/room2/slinky.cfg", "");
    const std::vector<CheckedFile> files = checkDataTree();
    const CheckedFile& slinky = find(files, "Complex/xlab/room2/slinky.cfg");
    EXPECT_EQ(slinky.outcome, FileOutcome::Rejected);
    EXPECT_EQ(slinky.reason, "no keys");
    // Its mesh, picture and animation are no longer named, so no longer listed.
    EXPECT_LT(files.size(), whole.size());
    EXPECT_EQ(names(files).front(), whole.front());
    EXPECT_EQ(names(files).back(), whole.back());
}

TEST_F(DataTreeCheckTest, AnEmptyFolderListsOnlyWhatTheProgramNamesAndAllIsMissing) {
    copy = fs::temp_directory_path() / ("zentrox-check-empty-" + std::to_string(::getpid()));
    fs::create_directories(copy);
    fs::current_path(copy);
    const std::vector<CheckedFile> files = checkDataTree();
    // The pictures, the tour, the fifteen configurations, the curves, the four shapes, the
    // sky's configuration, the flight and the music.
    EXPECT_EQ(files.size(), 16u + 1u + 15u + 2u + 4u + 1u + 2u + 1u);
    for (const CheckedFile& file : files) {
        EXPECT_EQ(file.outcome, FileOutcome::Missing) << file.name;
    }
}

TEST_F(DataTreeCheckTest, AFolderHoldsATreeWhenItHoldsAnyFileTheDemoReads) {
    EXPECT_TRUE(holdsDataTree(ZENTROX_GENERATED_DATA));
    copy = fs::temp_directory_path() / ("zentrox-holds-" + std::to_string(::getpid()));
    fs::create_directories(copy / "Textures");
    EXPECT_FALSE(holdsDataTree(copy.string()));
    std::ofstream(copy / "unrelated.txt") << "not the demo's";
    EXPECT_FALSE(holdsDataTree(copy.string()));
    std::ofstream(copy / "Textures" / "Sky.png") << "";
    EXPECT_TRUE(holdsDataTree(copy.string()));
}

}  // namespace
