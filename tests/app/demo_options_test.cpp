#include "app/demo_options.h"

#include <gtest/gtest.h>

namespace {

TEST(DemoOptions, WithoutOptionsTheDemoPlaysAsMade) {
    std::string error;
    const std::optional<DemoOptions> options = parseDemoOptions({}, error);
    ASSERT_TRUE(options);
    EXPECT_FALSE(options->sharp);
    EXPECT_FALSE(options->windowed);
    EXPECT_FALSE(options->showHelp);
    EXPECT_FALSE(options->showVersion);
}

TEST(DemoOptions, EachOptionSetsItsFlag) {
    std::string error;
    const std::optional<DemoOptions> options =
        parseDemoOptions({"--window", "--sharp", "-h", "--version"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_TRUE(options->sharp);
    EXPECT_TRUE(options->windowed);
    EXPECT_TRUE(options->showHelp);
    EXPECT_TRUE(options->showVersion);
}

TEST(DemoOptions, AnythingElseIsRefusedByName) {
    std::string error;
    EXPECT_FALSE(parseDemoOptions({"--sharper"}, error));
    EXPECT_EQ(error, "unknown option --sharper");
    EXPECT_FALSE(parseDemoOptions({"data"}, error));
    EXPECT_EQ(error, "unexpected argument 'data'");
}

TEST(DemoOptions, TheHelpNamesEveryOption) {
    const std::string usage = demoUsage();
    for (const char* name : {"--sharp", "--window", "--help", "--version"}) {
        EXPECT_NE(usage.find(std::string("  ") + name + " "), std::string::npos) << name;
    }
}

}  // namespace
