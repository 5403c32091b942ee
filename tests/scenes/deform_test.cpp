// The laboratory's drawing order, with a recording stand-in for its objects.

#include "scenes/deform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every call of every object, in order, as "update 3" or "wire 10 0.5".
struct CallLog {
    std::vector<std::string> calls;
};

struct RecordingObject {
    void update(float) { log->calls.push_back("update " + std::to_string(index)); }
    CallLog* log;
    int32_t index;
};

void drawObject(const RecordingObject& object) {
    object.log->calls.push_back("draw " + std::to_string(object.index));
}

void drawObjectWireframe(const RecordingObject& object, float alpha) {
    object.log->calls.push_back("wire " + std::to_string(object.index) + " " +
                                std::to_string(alpha));
}

std::vector<RecordingObject> objectsLoggingTo(CallLog& log) {
    std::vector<RecordingObject> objects;
    for (int32_t i = 0; i < kDeformObjectCount; ++i) {
        objects.push_back({&log, i});
    }
    return objects;
}

TEST(DeformGroups, EveryGroupUpdatesAllItsObjectsBeforeDrawingAny) {
    CallLog log;
    std::vector<RecordingObject> objects = objectsLoggingTo(log);
    updateAndDrawGroups(std::span<RecordingObject>(objects), 12.0f);
    std::vector<std::string> expected;
    const std::vector<std::vector<int32_t>> groups = {
        {0, 1, 2, 3, 4}, {5, 6, 7, 8, 9, 10}, {11, 12, 13, 14}};
    for (const std::vector<int32_t>& group : groups) {
        for (const int32_t i : group) {
            expected.push_back("update " + std::to_string(i));
        }
        for (const int32_t i : group) {
            expected.push_back("draw " + std::to_string(i));
        }
    }
    EXPECT_EQ(log.calls, expected);
}

TEST(DeformGroups, TheGroupsCoverEveryObjectOnceInOrder) {
    int32_t next = 0;
    for (const ObjectGroup& group : kDeformGroups) {
        EXPECT_EQ(group.first, next);
        next += group.count;
    }
    EXPECT_EQ(next, kDeformObjectCount);
    EXPECT_STREQ(kDeformObjects[kSlinkyObject].name, "Complex/xlab/room2/slinky.cfg");
    EXPECT_STREQ(kDeformObjects[kWindowObject].name, "Complex/xlab/room1/window.cfg");
}

TEST(DeformWireframe, DrawsNothingAtOrBelowZeroAndBothAboveSlinkyFirst) {
    CallLog log;
    std::vector<RecordingObject> objects = objectsLoggingTo(log);
    for (const float w : {0.0f, -0.0f, -0.5f}) {
        drawWireframeOverlay(objects[kSlinkyObject], objects[kWindowObject], w);
    }
    EXPECT_TRUE(log.calls.empty());
    drawWireframeOverlay(objects[kSlinkyObject], objects[kWindowObject], 1.0e-6f);
    drawWireframeOverlay(objects[kSlinkyObject], objects[kWindowObject], 0.5f);
    const std::vector<std::string> expected = {"wire 13 0.000001", "wire 10 0.000001",
                                               "wire 13 0.500000", "wire 10 0.500000"};
    EXPECT_EQ(log.calls, expected);
}

}  // namespace

namespace {

TEST(DeformGlowBox, HoldsTheSmallestAndTheLargestCopyWithAMargin) {
    Mesh mesh;
    mesh.parts.resize(2);
    mesh.parts[0].vertices.append({1.0f, 2.0f, 3.0f, {}});
    mesh.parts[1].vertices.append({-1.0f, -4.0f, -2.0f, {}});
    const Box box = glowBox(mesh);
    // x and z reach 2.0 times the farthest vertex; y is not scaled. The margin is 1 % of
    // the largest side, here z's 10.
    EXPECT_FLOAT_EQ(box.low.x, -2.1f);
    EXPECT_FLOAT_EQ(box.high.x, 2.1f);
    EXPECT_FLOAT_EQ(box.low.y, -4.1f);
    EXPECT_FLOAT_EQ(box.high.y, 2.1f);
    EXPECT_FLOAT_EQ(box.low.z, -4.1f);
    EXPECT_FLOAT_EQ(box.high.z, 6.1f);
}

TEST(DeformGlowBox, AnEmptyMeshGivesAnInvertedBox) {
    const Box box = glowBox(Mesh{});
    EXPECT_GT(box.low.x, box.high.x);
}

}  // namespace
