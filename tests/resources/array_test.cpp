#include "resources/array.h"

#include <gtest/gtest.h>

#include "resources/string.h"

namespace {

struct Point {
    float x;
    float y;
};

TEST(ArrayResize, NewElementsAreZeroAndOldOnesKept) {
    Array<Point> points;
    points.append({1.0f, 2.0f});
    points.resize(3);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].x, 1.0f);
    EXPECT_EQ(points[0].y, 2.0f);
    EXPECT_EQ(points[2].x, 0.0f);
    EXPECT_EQ(points[2].y, 0.0f);
    points.resize(1);
    EXPECT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].y, 2.0f);
    points.resize(0);
    EXPECT_TRUE(points.empty());
    EXPECT_EQ(points.begin(), points.end());
}

TEST(ArrayCopy, IsDeepForOwningElements) {
    Array<String> names;
    names.append("Crunch.mp3");
    names.append("Bump.tga");
    Array<String> copy(names);
    names[0] = "changed";
    EXPECT_STREQ(copy[0].c_str(), "Crunch.mp3");
    EXPECT_STREQ(copy[1].c_str(), "Bump.tga");

    Array<String> assigned;
    assigned = copy;
    assigned = assigned;
    EXPECT_EQ(assigned.size(), 2u);
    EXPECT_STREQ(assigned[1].c_str(), "Bump.tga");
}

TEST(ArrayMove, LeavesTheSourceEmpty) {
    Array<int32_t> numbers;
    for (int32_t i = 0; i < 100; ++i) {
        numbers.append(i);
    }
    Array<int32_t> taken(std::move(numbers));
    EXPECT_EQ(taken.size(), 100u);
    EXPECT_EQ(taken[99], 99);
    EXPECT_TRUE(numbers.empty());  // NOLINT: moved-from state is specified
    int32_t sum = 0;
    for (const int32_t n : taken) {
        sum += n;
    }
    EXPECT_EQ(sum, 4950);
}

}  // namespace
