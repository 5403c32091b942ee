#include "tools/capture/span_join.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/capture/video_writer.h"

namespace {

namespace fs = std::filesystem;

// A stand-in for ffmpeg, so the join's checks run without encoding a video. A "span video" is a
// text file: its frame count on the first line, then the lines of its metadata as ffmpeg's
// metadata format writes them. The stand-in counts frames (framecrc), prints the metadata
// (ffmetadata), and for the join itself records its arguments and writes the total count.
constexpr const char* kStandInFfmpeg = R"script(#!/bin/sh
dir=$(dirname "$0")
input= previous= mode=
for argument; do
  [ "$previous" = -i ] && [ -z "$input" ] && input=${argument#file:}
  case $argument in concat | framecrc | ffmetadata) [ -n "$mode" ] || mode=$argument ;; esac
  previous=$argument
done
output=${argument#file:}
case $mode in
  framecrc)
    i=0; echo '#tb 0: 1/30'
    while [ "$i" -lt "$(head -n 1 "$input")" ]; do echo "0, $i, $i, 1, 100, 0x0"; i=$((i + 1)); done ;;
  ffmetadata) echo ';FFMETADATA1'; tail -n +2 "$input" ;;
  concat)
    printf '%s\n' "$@" >"$dir/joined-with.txt"
    total=0
    sed -n "s/^file '\(.*\)'$/\1/p" "$input" >"$dir/spans.txt"
    while read -r span; do total=$((total + $(head -n 1 "$span"))); done <"$dir/spans.txt"
    echo "$total" >"$output" ;;
esac
)script";

class SpanJoinTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("zentrox_join_test_" + std::to_string(getpid()));
        fs::create_directories(folder / "bin");
        fs::create_directories(folder / "spans");
        fs::create_directories(folder / "out");
        fs::create_directories(folder / "tmp");
        const char* previous = std::getenv("TMPDIR");
        savedTemporary = previous != nullptr ? previous : "";
        hadTemporary = previous != nullptr;
        setenv("TMPDIR", (folder / "tmp").c_str(), 1);
        const fs::path program = folder / "bin" / "ffmpeg";
        std::ofstream(program) << kStandInFfmpeg;
        chmod(program.c_str(), 0755);
        settings.ffmpeg = program.string();
        settings.output = (folder / "out" / "joined.mp4").string();
    }
    void TearDown() override {
        if (hadTemporary) {
            setenv("TMPDIR", savedTemporary.c_str(), 1);
        } else {
            unsetenv("TMPDIR");
        }
        fs::remove_all(folder);
    }

    // A span of `frames` frames drawn by `renderer` (none recorded when empty).
    void addSpan(int64_t frames, const std::string& renderer) {
        const fs::path path =
            folder / "spans" / ("part" + std::to_string(settings.spans.size() + 1) + ".mp4");
        std::ofstream file(path);
        file << frames << "\nmajor_brand=isom\n";
        if (!renderer.empty()) {
            file << kRendererTag << "=" << renderer << "\n";
        }
        file << "encoder=Lavf59.27.100\n";
        settings.spans.push_back(path.string());
        settings.expectedFrames.push_back(frames);
    }

    // Names in the output and temporary folders: what a join leaves behind.
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

    bool join(std::string& error) const {
        return joinSpans(settings, std::vector<float>(2 * 100, 0.0f), error);
    }

    fs::path folder;
    JoinSettings settings;
    std::string savedTemporary;
    bool hadTemporary = false;
};

constexpr const char* kWide = "llvmpipe (LLVM 15.0.6, 256 bits)";
constexpr const char* kNarrow = "llvmpipe (LLVM 15.0.6, 128 bits)";

TEST_F(SpanJoinTest, SpansOfOneRendererJoinAndTheJoinedVideoRecordsIt) {
    addSpan(20, kWide);
    addSpan(20, kWide);
    addSpan(20, kWide);
    std::string error;
    ASSERT_TRUE(join(error)) << error;
    EXPECT_EQ(contents(settings.output), "60\n");
    const std::string arguments = contents(folder / "bin" / "joined-with.txt");
    EXPECT_NE(arguments.find(std::string("\n-metadata\nzentrox_renderer=") + kWide + "\n"),
              std::string::npos)
        << arguments;
    EXPECT_EQ(leftovers(), std::vector<std::string>{"out/joined.mp4"});
}

TEST_F(SpanJoinTest, ASpanOfAnotherRendererIsNamedWithItAndNothingIsWritten) {
    addSpan(20, kWide);
    addSpan(20, kNarrow);
    addSpan(20, kWide);
    std::string error;
    EXPECT_FALSE(join(error));
    EXPECT_NE(error.find("span 2 of 3 (" + settings.spans[1] + ") by '" + kNarrow + "'"),
              std::string::npos)
        << error;
    EXPECT_NE(error.find(std::string("the others by '") + kWide + "'"), std::string::npos) << error;
    EXPECT_EQ(error.find("span 1 of 3"), std::string::npos) << error;
    EXPECT_EQ(error.find("span 3 of 3"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(folder / "bin" / "joined-with.txt")) << "the join ran";
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(SpanJoinTest, EverySpanThatDiffersIsNamedAgainstTheRendererMostSpansShare) {
    addSpan(10, kNarrow);
    addSpan(10, kWide);
    addSpan(10, kWide);
    addSpan(10, "");
    addSpan(10, kWide);
    std::string error;
    EXPECT_FALSE(join(error));
    EXPECT_NE(error.find("span 1 of 5 (" + settings.spans[0] + ") by '" + kNarrow + "'"),
              std::string::npos)
        << error;
    EXPECT_NE(error.find("span 4 of 5 (" + settings.spans[3] + ") by an unrecorded renderer"),
              std::string::npos)
        << error;
    EXPECT_NE(error.find(std::string("the others by '") + kWide + "'"), std::string::npos) << error;
    for (const char* agreeing : {"span 2 of 5", "span 3 of 5", "span 5 of 5"}) {
        EXPECT_EQ(error.find(agreeing), std::string::npos) << error;
    }
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(SpanJoinTest, SpansThatRecordNoRendererStillJoinAndRecordNone) {
    addSpan(5, "");
    addSpan(6, "");
    std::string error;
    ASSERT_TRUE(join(error)) << error;
    EXPECT_EQ(contents(settings.output), "11\n");
    const std::string arguments = contents(folder / "bin" / "joined-with.txt");
    EXPECT_EQ(arguments.find("-metadata"), std::string::npos) << arguments;
}

TEST(SpanJoinRenderers, OnATieTheFirstSpansRendererIsTheReference) {
    EXPECT_EQ(rendererMismatch({"span 1", "span 2"}, {"A", "A"}), "");
    const std::string tie = rendererMismatch({"span 1", "span 2"}, {"A", "B"});
    EXPECT_NE(tie.find("span 2 by 'B'; the others by 'A'"), std::string::npos) << tie;
    EXPECT_EQ(tie.find("span 1 by"), std::string::npos) << tie;
}

TEST(SpanJoinRenderers, MetadataValuesAreReadWithFfmpegsEscapesUndone) {
    const std::string text =
        ";FFMETADATA1\n"
        "major_brand=isom\n"
        "zentrox_renderer_note=not this one\n"
        "zentrox_renderer=a\\=b\\;c\\#d\\\\e \\\n"
        "second line\n"
        "encoder=Lavf59.27.100\n"
        "[STREAM]\n"
        "zentrox_renderer=a stream's, not the file's\n";
    EXPECT_EQ(metadataValue(text, "zentrox_renderer"), "a=b;c#d\\e \nsecond line");
    EXPECT_EQ(metadataValue(text, "encoder"), "Lavf59.27.100");
    EXPECT_EQ(metadataValue(text, "title"), "");
    EXPECT_EQ(metadataValue("", "zentrox_renderer"), "");
    EXPECT_EQ(
        metadataValue(";FFMETADATA1\n[STREAM]\nzentrox_renderer=a stream's\n", "zentrox_renderer"),
        "");
}

}  // namespace
