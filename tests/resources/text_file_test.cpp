#include "resources/text_file.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitLines, KeepsLineEndsAndAddsNoEmptyLastLine) {
    const Array<String> lines = splitLines("1 2\n3 4\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "1 2\n");
    EXPECT_EQ(lines[1], "3 4\n");
    EXPECT_EQ(splitLines("1 2\n3 4").size(), 2u);
    EXPECT_EQ(splitLines("").size(), 0u);
    EXPECT_EQ(splitLines("\n\n").size(), 2u);
}

TEST(SplitLines, CutsLongLinesAsALineBufferWould) {
    const std::string longLine(300, 'x');
    const Array<String> lines = splitLines(longLine + "\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 255);
    EXPECT_EQ(lines[1].size(), 300 - 255 + 1);
    // Exactly 255 characters fill the buffer; the line end then comes as a line of its own.
    EXPECT_EQ(splitLines(std::string(255, 'y') + "\n").size(), 2u);
    EXPECT_EQ(splitLines(std::string(254, 'y') + "\n").size(), 1u);
}

}  // namespace
