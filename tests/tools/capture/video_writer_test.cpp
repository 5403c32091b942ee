#include "tools/capture/video_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

// Stand-in encoders are small shell scripts, so that every way an ffmpeg can fail is
// reproducible without ffmpeg; the real encoder is exercised by the capture's end-to-end test.
class VideoWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("zentrox_video_test_" + std::to_string(getpid()));
        fs::create_directories(folder / "bin");
        fs::create_directories(folder / "out");
        fs::create_directories(folder / "tmp");
        const char* previous = std::getenv("TMPDIR");
        savedTemporary = previous != nullptr ? previous : "";
        hadTemporary = previous != nullptr;
        setenv("TMPDIR", (folder / "tmp").c_str(), 1);
    }
    void TearDown() override {
        if (hadTemporary) {
            setenv("TMPDIR", savedTemporary.c_str(), 1);
        } else {
            unsetenv("TMPDIR");
        }
        fs::remove_all(folder);
    }

    std::string encoder(const std::string& body) const {
        const fs::path path = folder / "bin" / "encoder.sh";
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        chmod(path.c_str(), 0755);
        return path.string();
    }

    VideoSettings settings(const std::string& program, int32_t width = 4,
                           int32_t height = 2) const {
        VideoSettings result;
        result.path = (folder / "out" / "it's a \"video\".mp4").string();
        result.ffmpeg = program;
        result.framesPerSecond = 30.0;
        result.width = width;
        result.height = height;
        return result;
    }

    // Names in the output and temporary folders: what a finished or failed video leaves behind.
    std::vector<std::string> leftovers() const {
        std::vector<std::string> names;
        for (const char* sub : {"out", "tmp"}) {
            for (const fs::directory_entry& entry : fs::directory_iterator(folder / sub)) {
                names.push_back(std::string(sub) + "/" + entry.path().filename().string());
            }
        }
        return names;
    }

    static std::string contents(const fs::path& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    fs::path folder;
    std::string savedTemporary;
    bool hadTemporary = false;
};

// Records its arguments, the frames and the sound it was given, then writes a stand-in video
// to its last argument, as ffmpeg would.
constexpr const char* kRecordingEncoder = R"(dir=$(dirname "$0")
printf '%s\n' "$@" > "$dir/arguments.txt"
previous=
for argument; do
  case "$previous:$argument" in -i:file:*) cp "${argument#file:}" "$dir/sound.wav" ;; esac
  previous=$argument
done
cat > "$dir/frames.raw"
printf encoded > "${argument#file:}")";

TEST_F(VideoWriterTest, SendsEveryFrameAndTheSoundThenMovesTheVideoIntoPlace) {
    VideoWriter writer(settings(encoder(kRecordingEncoder)));
    const std::string output = settings("").path;
    std::ofstream(output) << "an older video";
    std::string error;
    const std::vector<float> audio(2 * 4410, 0.25f);
    ASSERT_TRUE(writer.start(audio, 3, error)) << error;
    std::string expectedFrames;
    for (uint8_t frame = 0; frame < 3; ++frame) {
        const std::vector<uint8_t> rgb(4 * 2 * 3, static_cast<uint8_t>('a' + frame));
        ASSERT_TRUE(writer.write(rgb, error)) << error;
        expectedFrames.append(rgb.begin(), rgb.end());
    }
    ASSERT_TRUE(writer.finish(error)) << error;
    EXPECT_EQ(writer.framesWritten(), 3);
    EXPECT_DOUBLE_EQ(writer.seconds(), 0.1);

    EXPECT_EQ(contents(output), "encoded");
    EXPECT_EQ(contents(folder / "bin" / "frames.raw"), expectedFrames);
    EXPECT_EQ(fs::file_size(folder / "bin" / "sound.wav"), 44u + 4410u * 4u);
    // The quotes and spaces of the name reach the encoder untouched: no shell in between.
    const std::string arguments = contents(folder / "bin" / "arguments.txt");
    EXPECT_NE(arguments.find("\nfile:" + (folder / "out").string() + "/.it's a \"video\".mp4."),
              std::string::npos)
        << arguments;
    EXPECT_EQ(leftovers(), std::vector<std::string>{"out/it's a \"video\".mp4"});
}

TEST_F(VideoWriterTest, RecordsTheRendererInTheVideosMetadata) {
    VideoSettings plain = settings("ffmpeg");
    std::vector<std::string> arguments = ffmpegArguments(plain, "sound.wav", "out.mp4");
    EXPECT_EQ(std::find(arguments.begin(), arguments.end(), "-metadata"), arguments.end());

    VideoWriter writer(settings(encoder(kRecordingEncoder)));
    writer.recordRenderer("llvmpipe (LLVM 15.0.6, 256 bits)");
    std::string error;
    ASSERT_TRUE(writer.start(std::vector<float>(2 * 1470), 1, error)) << error;
    ASSERT_TRUE(writer.write(std::vector<uint8_t>(4 * 2 * 3), error)) << error;
    ASSERT_TRUE(writer.finish(error)) << error;
    // One argument each, spaces and all, and the flag that lets MP4 keep a key of its own.
    const std::string recorded = contents(folder / "bin" / "arguments.txt");
    EXPECT_NE(recorded.find("\n-metadata\nzentrox_renderer=llvmpipe (LLVM 15.0.6, 256 bits)\n"),
              std::string::npos)
        << recorded;
    EXPECT_NE(recorded.find("\n+faststart+use_metadata_tags\n"), std::string::npos) << recorded;
}

TEST_F(VideoWriterTest, AFailingEncoderLeavesTheOldVideoAndNoTemporaryFiles) {
    const std::string output = settings("").path;
    std::ofstream(output) << "an older video";
    struct Case {
        const char* body;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"cat > /dev/null; echo 'stand-in refuses' >&2; exit 3", "failed with exit code 3"},
        {"cat > /dev/null", "exited without writing the video"},
        {"cat > /dev/null; kill -9 $$", "killed by signal 9"},
    };
    for (const Case& failure : cases) {
        VideoWriter writer(settings(encoder(failure.body)));
        std::string error;
        ASSERT_TRUE(writer.start(std::vector<float>(2 * 100), 1, error)) << error;
        ASSERT_TRUE(writer.write(std::vector<uint8_t>(4 * 2 * 3), error)) << error;
        EXPECT_FALSE(writer.finish(error)) << failure.body;
        EXPECT_NE(error.find(failure.reason), std::string::npos) << error;
        EXPECT_NE(error.find(output), std::string::npos) << error;
        EXPECT_EQ(contents(output), "an older video");
        EXPECT_EQ(leftovers(), std::vector<std::string>{"out/it's a \"video\".mp4"});
    }
}

TEST_F(VideoWriterTest, AnEncoderThatStopsReadingIsReportedNotFatal) {
    // Frames larger than a pipe's buffer, so the write meets the closed pipe whatever the timing;
    // without SIGPIPE ignored, this test process would die here.
    struct Case {
        const char* body;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"exit 0", "stopped reading the frames"},
        {"echo 'stand-in gives up' >&2; exit 1", "failed with exit code 1"},
        {"kill -9 $$", "killed by signal 9"},
    };
    for (const Case& failure : cases) {
        VideoWriter writer(settings(encoder(failure.body), 800, 600));
        std::string error;
        ASSERT_TRUE(writer.start(std::vector<float>(2 * 1470), 2, error)) << error;
        EXPECT_FALSE(writer.write(std::vector<uint8_t>(800 * 600 * 3), error)) << failure.body;
        EXPECT_NE(error.find(failure.reason), std::string::npos) << error;
        EXPECT_FALSE(writer.finish(error));
        EXPECT_TRUE(leftovers().empty());
    }
}

TEST_F(VideoWriterTest, FewerFramesThanAnnouncedAreNotKept) {
    VideoWriter writer(settings(encoder(kRecordingEncoder)));
    std::string error;
    ASSERT_TRUE(writer.start(std::vector<float>(2 * 4410), 3, error)) << error;
    ASSERT_TRUE(writer.write(std::vector<uint8_t>(4 * 2 * 3), error)) << error;
    ASSERT_TRUE(writer.write(std::vector<uint8_t>(4 * 2 * 3), error)) << error;
    EXPECT_FALSE(writer.write(std::vector<uint8_t>(5), error)) << "a frame of the wrong size";
    EXPECT_FALSE(writer.finish(error));
    EXPECT_NE(error.find("2 of 3 frames"), std::string::npos) << error;
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(VideoWriterTest, AbandonedVideosAreCleanedUp) {
    {
        VideoWriter writer(settings(encoder("cat > /dev/null")));
        std::string error;
        ASSERT_TRUE(writer.start(std::vector<float>(2 * 100), 5, error)) << error;
        ASSERT_TRUE(writer.write(std::vector<uint8_t>(4 * 2 * 3), error)) << error;
    }
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(VideoWriterTest, RefusesBeforeEncodingWhatCannotWork) {
    std::string error;
    VideoWriter missing(settings("zentrox-no-such-encoder"));
    EXPECT_FALSE(missing.start({}, 0, error));
    EXPECT_NE(error.find("zentrox-no-such-encoder: not found on PATH"), std::string::npos) << error;
    EXPECT_NE(error.find(kFfmpegVariable), std::string::npos) << error;

    VideoWriter absent(settings((folder / "bin" / "ffmpeg").string()));
    EXPECT_FALSE(absent.start({}, 0, error));
    EXPECT_NE(error.find((folder / "bin" / "ffmpeg").string()), std::string::npos) << error;

    const std::string program = encoder(kRecordingEncoder);
    for (const fs::path& output : {folder / "none" / "a.mp4", folder / "out"}) {
        VideoSettings unwritable = settings(program);
        unwritable.path = output.string();
        VideoWriter writer(unwritable);
        EXPECT_FALSE(writer.start({}, 0, error)) << output;
        EXPECT_NE(error.find("cannot write " + output.string()), std::string::npos) << error;
    }
    EXPECT_TRUE(leftovers().empty());
    EXPECT_FALSE(fs::exists(folder / "bin" / "arguments.txt")) << "the encoder ran";
}

}  // namespace
