#include "scenes/tunnel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(TunnelRings, RunFromSixteenBehindToSixtyFourAhead) {
    EXPECT_EQ(tunnelRings(0.0f).first, -16);
    EXPECT_EQ(tunnelRings(0.0f).count, 80);  // k = -16 .. 63
    EXPECT_EQ(tunnelRings(10.7f).first, -6);
    EXPECT_EQ(tunnelRings(10.7f).count, 81);  // k = -6 .. 74
    EXPECT_EQ(tunnelRings(std::nanf("")).count, 0);
    EXPECT_LE(tunnelRings(3.0e9f).count, 81);
}

TEST(TunnelRings, PointsFollowTheEllipseRoundTheAxis) {
    for (const float j : {-16.0f, 0.0f, 7.0f, 63.0f}) {
        for (const float theta : {0.0f, 0.39269909f, 3.1415927f}) {
            const Vector3 p = ringPoint(j, theta);
            const Vector3 axis = tunnelAxis(j);
            const float dx = (p.x - axis.x) / 4.0f;
            const float dy = p.y - axis.y;
            EXPECT_NEAR(dx * dx + dy * dy, 1.0f, 1e-5f);
            EXPECT_EQ(p.z, -0.5f * j);
            EXPECT_NEAR(dx, std::cos(theta + 0.1f * j), 1e-5f);
        }
    }
    EXPECT_EQ(centreX(0.0f), 0.0f);
    EXPECT_NEAR(centreY(5.0f), 1.5f * std::sin(1.0f), 1e-6f);
}

}  // namespace
