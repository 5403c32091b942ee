#include "resources/string.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(StringConstruction, DefaultAndNullAreEmptyButNeverNull) {
    const String empty;
    const String fromNull(static_cast<const char*>(nullptr));
    for (const String* s : {&empty, &fromNull}) {
        ASSERT_NE(s->c_str(), nullptr);
        EXPECT_STREQ(s->c_str(), "");
        EXPECT_EQ(s->size(), 0);
        EXPECT_TRUE(s->empty());
    }
}

TEST(StringConstruction, CopiesOwnTheirCharacters) {
    char text[] = "Objects";
    const String s(text);
    text[0] = 'X';
    EXPECT_STREQ(s.c_str(), "Objects");

    const String copy(s);
    EXPECT_NE(copy.c_str(), s.c_str());
    EXPECT_EQ(copy, s);
}

TEST(StringAssignment, SelfAssignmentKeepsTheText) {
    String s("Tunnel");
    const String& alias = s;
    s = alias;
    EXPECT_STREQ(s.c_str(), "Tunnel");
    s = s.c_str();  // assigning its own characters
    EXPECT_STREQ(s.c_str(), "Tunnel");
    EXPECT_EQ(s.size(), 6);
}

TEST(StringConcatenation, JoinsAndCountsLength) {
    const String path = String("Objects") + "/" + String("Scene1.rob");
    EXPECT_STREQ(path.c_str(), "Objects/Scene1.rob");
    EXPECT_EQ(path.size(), static_cast<int32_t>(std::strlen("Objects/Scene1.rob")));
    EXPECT_EQ("a" + String("b"), "ab");
    EXPECT_EQ(String() + String(), "");
}

TEST(StringConcatenation, AppendingToItselfDoublesTheText) {
    String s("ab");
    s += s;
    EXPECT_STREQ(s.c_str(), "abab");
    s += s.c_str();
    EXPECT_STREQ(s.c_str(), "abababab");
    EXPECT_EQ(s.size(), 8);
}

TEST(StringComparison, OrdersAsStrcmpDoes) {
    EXPECT_TRUE(String("abc") == "abc");
    EXPECT_TRUE(String("abc") != "abd");
    EXPECT_TRUE(String("ABC") < String("abc"));  // case-sensitive, byte order
    EXPECT_TRUE(String("ab") < String("abc"));   // a prefix sorts first
    EXPECT_TRUE(String("b") > "abc");
    EXPECT_TRUE(String("") <= String(""));
    EXPECT_TRUE(String("\xff") > String("a"));  // bytes compare unsigned
}

}  // namespace
