#include "app/demo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(Title, FollowsTheTitleFormat) {
    char title[kTitleCapacity];
    formatTitle(title, sizeof title, 12.34f, 0.02f, String("Tunnel"));
    EXPECT_STREQ(title, "Zentrox [FPS:   50] [TIME: 12.3] - Tunnel");
}

TEST(Title, EmptyStatusEndsWithTheSeparator) {
    char title[kTitleCapacity];
    formatTitle(title, sizeof title, 0.0f, 0.016f, String());
    EXPECT_STREQ(title, "Zentrox [FPS:   62] [TIME: 0.0] - ");
}

TEST(Title, ZeroFrameTimeShowsInfinity) {
    char title[kTitleCapacity];
    formatTitle(title, sizeof title, 1.0f, 0.0f, String());
    EXPECT_STREQ(title, "Zentrox [FPS:  inf] [TIME: 1.0] - ");
}

TEST(Title, LongStatusIsCutAtTheBufferEnd) {
    const std::string longStatus(1000, 'x');
    char title[kTitleCapacity + 8];
    std::memset(title, '#', sizeof title);
    formatTitle(title, kTitleCapacity, 1.0f, 0.01f, String(longStatus.c_str()));
    EXPECT_EQ(std::strlen(title), kTitleCapacity - 1);
    for (size_t i = kTitleCapacity; i < sizeof title; ++i) {
        EXPECT_EQ(title[i], '#') << "byte " << i << " past the buffer was written";
    }
}

}  // namespace
