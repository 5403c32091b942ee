#include "resources/config_file.h"

#include <gtest/gtest.h>

namespace {

ConfigFile parsed(const std::string& text) {
    ConfigFile config;
    config.parse(text);
    return config;
}

TEST(ConfigParsing, KeyThenQuotedValueInEveryLayout) {
    const ConfigFile config =
        parsed("TextureFile \"Textures/Sky.png\"\nObjectFile = \"a.rob\"\nMode\"X\"\n");
    EXPECT_EQ(config.get("TextureFile", ""), "Textures/Sky.png");
    EXPECT_EQ(config.get("ObjectFile", ""), "a.rob");
    EXPECT_EQ(config.get("Mode", ""), "X");
    EXPECT_EQ(config.size(), 3u);
}

TEST(ConfigParsing, EmptyAndMissingBehaveAlike) {
    const ConfigFile config = parsed("Empty \"\"\n");
    EXPECT_EQ(config.get("Empty", "default"), "default");
    EXPECT_EQ(config.get("Missing", "default"), "default");
    EXPECT_EQ(parsed("").size(), 0u);
}

TEST(ConfigParsing, KeysStartWithALetterAndKeepDotsAndUnderscores) {
    const ConfigFile config =
        parsed("9Lives \"cat\"\nmy_key.v2 \"x\"\nkey \"lower\"\nKEY \"upper\"\n");
    EXPECT_EQ(config.get("Lives", ""), "cat");
    EXPECT_EQ(config.get("my_key.v2", ""), "x");
    EXPECT_EQ(config.get("key", ""), "lower");
    EXPECT_EQ(config.get("KEY", ""), "upper");
}

TEST(ConfigParsing, LaterValuesWinAndUnclosedValuesEndAtTheLine) {
    const ConfigFile config = parsed("A \"1\"\nA \"2\"\nB \"open\nC \"3\"\n");
    EXPECT_EQ(config.get("A", ""), "2");
    EXPECT_EQ(config.get("B", ""), "open");
    EXPECT_EQ(config.get("C", ""), "3");
}

TEST(ConfigParsing, AKeyWithoutValueTakesTheNextQuotedText) {
    const ConfigFile config = parsed("Lonely\nNext \"value\"\n");
    EXPECT_EQ(config.get("Lonely", ""), "value");
}

TEST(ConfigParsing, LongKeysAndValuesAreCut) {
    const std::string key(300, 'k');
    const std::string value(400, 'v');
    const ConfigFile config = parsed(key + " \"" + value + "\"\n");
    EXPECT_EQ(config.get(key.substr(0, 255), ""), value.substr(0, 255));
}

TEST(ConfigParsing, WindowsLineEndsAndHighBytes) {
    const ConfigFile config = parsed("A \"1\"\r\nB \"2\"\r\n\xC3\xA9t\xC3\xA9 \"summer\"\n");
    EXPECT_EQ(config.get("A", ""), "1");
    EXPECT_EQ(config.get("B", ""), "2");
    EXPECT_EQ(config.get("t", ""), "summer");  // bytes above 0x7F are never letters
}

TEST(ConfigFile, MissingFileReportsOneAndStaysEmpty) {
    ConfigFile config;
    EXPECT_EQ(config.load("Complex/none.cfg"), 1);
    EXPECT_EQ(config.size(), 0u);
    config.set("K", "v");
    config.clear();
    EXPECT_EQ(config.get("K", "d"), "d");
}

}  // namespace
