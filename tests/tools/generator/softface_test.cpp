// The finale as authored: the morph shapes, the sky sphere, the camera's flight, and the files as
// the demo reads them back.

#include "tools/generator/softface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "generator_test_support.h"
#include "resources/camera_path.h"
#include "resources/config_file.h"
#include "resources/data_manifest.h"
#include "tools/generator/mesh_builder.h"
#include "tools/generator/portable_math.h"

namespace {

float length(Vector3 v) {
    return std::sqrt(dot(v, v));
}

std::vector<Vector3> pointsOf(const Mesh& mesh) {
    std::vector<Vector3> points;
    for (const MeshVertex& v : mesh.parts[0].vertices) {
        points.push_back({v.x, v.y, v.z});
    }
    return points;
}

Box boundsOf(const std::vector<Vector3>& points) {
    Box box = {points.front(), points.front()};
    for (const Vector3& p : points) {
        box.low = {std::min(box.low.x, p.x), std::min(box.low.y, p.y), std::min(box.low.z, p.z)};
        box.high = {std::max(box.high.x, p.x), std::max(box.high.y, p.y),
                    std::max(box.high.z, p.z)};
    }
    return box;
}

// The spread in x of the points whose y lies in [low, high].
float widthBetween(const std::vector<Vector3>& points, float low, float high) {
    float left = 1e9f, right = -1e9f;
    for (const Vector3& p : points) {
        if (p.y >= low && p.y <= high) {
            left = std::min(left, p.x);
            right = std::max(right, p.x);
        }
    }
    return right - left;
}

TEST(SoftfaceShapes, ShareOnePartAndOneVertexCount) {
    EXPECT_GE(kMorphPointCount, 200);
    EXPECT_LE(kMorphPointCount, 400);
    for (const MorphShape& shape : kMorphShapes) {
        const Mesh mesh = shape.build();
        ASSERT_EQ(mesh.parts.size(), 1u) << shape.file;
        const MeshPart& part = mesh.parts[0];
        EXPECT_EQ(part.vertices.size(), static_cast<uint32_t>(kMorphPointCount)) << shape.file;
        EXPECT_EQ(part.texCoords.size(), part.vertices.size()) << shape.file;
    }
}

TEST(SoftfaceShapes, AreSizedForTheCameraAndCentredOnTheOrigin) {
    struct Expected {
        Vector3 low, high;  // smallest and largest size on each axis
    };
    const Expected sizes[] = {
        {{20, 16, 0}, {26, 26, 3}},    // 27
        {{14, 14, 14}, {16, 16, 16}},  // cube
        {{20, 12, 0}, {26, 22, 3}},    // arrow
        {{20, 20, 0}, {26, 26, 3}},    // ring
    };
    for (size_t s = 0; s < kMorphShapes.size(); ++s) {
        const Box box = boundsOf(pointsOf(kMorphShapes[s].build()));
        const Vector3 size = box.high - box.low;
        const Vector3 middle = (box.low + box.high) * 0.5f;
        const char* file = kMorphShapes[s].file;
        EXPECT_GE(size.x, sizes[s].low.x) << file;
        EXPECT_LE(size.x, sizes[s].high.x) << file;
        EXPECT_GE(size.y, sizes[s].low.y) << file;
        EXPECT_LE(size.y, sizes[s].high.y) << file;
        EXPECT_GE(size.z, sizes[s].low.z) << file;
        EXPECT_LE(size.z, sizes[s].high.z) << file;
        EXPECT_LT(length(middle), 0.3f) << file;
    }
}

// Within a layer of equal z every point has a neighbour close enough for the cubes to read as
// one shape, and no two points anywhere are so close that their cubes merge.
TEST(SoftfaceShapes, SpaceTheirPointsSoTheCubesNeitherMergeNorScatter) {
    for (const MorphShape& shape : kMorphShapes) {
        const std::vector<Vector3> points = pointsOf(shape.build());
        for (size_t i = 0; i < points.size(); ++i) {
            float nearestInLayer = 1e9f, nearest = 1e9f;
            for (size_t j = 0; j < points.size(); ++j) {
                if (j == i) {
                    continue;
                }
                const float d = length(points[j] - points[i]);
                nearest = std::min(nearest, d);
                if (points[j].z == points[i].z) {
                    nearestInLayer = std::min(nearestInLayer, d);
                }
            }
            const Vector3 p = points[i];
            EXPECT_GE(nearest, 1.3f) << shape.file << " at " << p.x << " " << p.y << " " << p.z;
            EXPECT_LE(nearestInLayer, 1.85f)
                << shape.file << " at " << p.x << " " << p.y << " " << p.z;
        }
    }
}

// Vertex i of one shape flies to vertex i of the next: with the shared order each point crosses
// its own side of the picture, far less than if the points were paired at random.
TEST(SoftfaceShapes, MorphsMovePointsAcrossTheirOwnSector) {
    for (size_t s = 0; s + 1 < kMorphShapes.size(); ++s) {
        const std::vector<Vector3> from = pointsOf(kMorphShapes[s].build());
        const std::vector<Vector3> to = pointsOf(kMorphShapes[s + 1].build());
        const size_t count = from.size();
        float travel = 0.0f, halfTurned = 0.0f, sameSide = 0.0f;
        for (size_t i = 0; i < count; ++i) {
            travel += length(to[i] - from[i]);
            halfTurned += length(to[(i + count / 2) % count] - from[i]);
            const double turn = atan2Turns(from[i].y, from[i].x) - atan2Turns(to[i].y, to[i].x);
            sameSide += std::fabs(turn - std::floor(turn + 0.5)) < 0.125 ? 1.0f : 0.0f;
        }
        EXPECT_LT(travel, 0.5f * halfTurned) << kMorphShapes[s + 1].file;
        EXPECT_GT(sameSide, 0.9f * static_cast<float>(count)) << kMorphShapes[s + 1].file;
    }
}

TEST(SoftfaceShapes, DigitsReadAsTwoAndSeven) {
    std::vector<Vector3> two, seven;
    for (const Vector3& p : pointsOf(morphDigitsMesh())) {
        (p.x < 0.0f ? two : seven).push_back(p);
    }
    const Box twoBox = boundsOf(two), sevenBox = boundsOf(seven);
    // The 2: a full-width base, a single diagonal stroke across its middle.
    EXPECT_GT(widthBetween(two, twoBox.low.y, twoBox.low.y + 3.0f), 8.0f);
    EXPECT_LT(widthBetween(two, -1.0f, 1.0f), 5.0f);
    // Its bowl: two strokes on either side of an open middle, high up.
    const float bowl = twoBox.high.y - 6.0f;
    const float bowlMiddle = 0.5f * (twoBox.low.x + twoBox.high.x);
    for (const Vector3& p : two) {
        EXPECT_FALSE(std::fabs(p.y - bowl) < 1.0f && std::fabs(p.x - bowlMiddle) < 1.0f)
            << p.x << " " << p.y;
    }
    // The 7: a full-width bar on top of a narrow stem that leans to the left.
    EXPECT_GT(widthBetween(seven, sevenBox.high.y - 3.0f, sevenBox.high.y), 8.0f);
    EXPECT_LT(widthBetween(seven, sevenBox.low.y, sevenBox.low.y + 3.0f), 5.0f);
    const auto meanX = [&](float low, float high) {
        float sum = 0.0f;
        int32_t count = 0;
        for (const Vector3& p : seven) {
            if (p.y >= low && p.y <= high) {
                sum += p.x;
                ++count;
            }
        }
        return sum / static_cast<float>(std::max(count, 1));
    };
    EXPECT_LT(meanX(sevenBox.low.y, sevenBox.low.y + 3.0f), meanX(-1.5f, 1.5f) - 1.0f);
}

TEST(SoftfaceShapes, ArrowPointsToPlusXAndRingIsOpen) {
    const std::vector<Vector3> arrow = pointsOf(morphArrowMesh());
    const Box box = boundsOf(arrow);
    for (const Vector3& p : arrow) {
        if (p.x > box.high.x - 1.0f) {
            EXPECT_LT(std::fabs(p.y), 1.0f) << "the tip";
        }
        if (p.x < box.low.x + 3.0f) {
            EXPECT_LT(std::fabs(p.y), 3.5f) << "the shaft";
        }
    }
    EXPECT_GT(box.high.y - box.low.y, 12.0f);
    for (const Vector3& p : arrow) {
        if (std::fabs(p.y) > 5.0f) {
            EXPECT_GT(p.x, 0.0f) << "the head";
        }
    }
    for (const Vector3& p : pointsOf(morphRingMesh())) {
        const float radius = std::hypot(p.x, p.y);
        EXPECT_GT(radius, 8.0f);
        EXPECT_LT(radius, 13.0f);
    }
}

TEST(SoftfaceSky, FacesItsCentreWithinTheTriangleBudget) {
    const Mesh sky = softfaceSkyMesh();
    ASSERT_EQ(sky.parts.size(), 1u);
    const MeshPart& part = sky.parts[0];
    EXPECT_LT(part.faces.size(), 2000u);
    for (const MeshFace& face : part.faces) {
        ASSERT_TRUE(faceIsDrawable(part, face));
        const MeshVertex& v = part.vertices[face.a];
        const Normal& n = part.normals[face.na];
        EXPECT_LT(v.x * n.x + v.y * n.y + v.z * n.z, 0.0f);
        EXPECT_NEAR(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z), kSoftfaceSkyRadius, 0.01f);
    }
}

// u once round, v rising with height from 0 at the bottom pole to 1 at the top, where the
// picture's top row (its zenith) goes.
TEST(SoftfaceSky, WrapsThePictureOnceRoundAndUpright) {
    const MeshPart part = softfaceSkyMesh().parts[0];
    float lowestU = 1.0f, highestU = 0.0f;
    for (uint32_t i = 0; i < part.vertices.size(); ++i) {
        const float y = part.vertices[i].y;
        const TexCoord uv = part.texCoords[i];
        lowestU = std::min(lowestU, uv.s);
        highestU = std::max(highestU, uv.s);
        if (y > kSoftfaceSkyRadius - 0.01f) {
            EXPECT_EQ(uv.t, 1.0f);
        }
        if (y < -kSoftfaceSkyRadius + 0.01f) {
            EXPECT_EQ(uv.t, 0.0f);
        }
        for (uint32_t j = 0; j < part.vertices.size(); j += 7) {
            if (part.vertices[j].y > y + 1.0f) {
                ASSERT_GT(part.texCoords[j].t, uv.t);
            }
        }
    }
    EXPECT_EQ(lowestU, 0.0f);
    EXPECT_EQ(highestU, 1.0f);
}

TEST(SoftfaceFlight, CoversTheSceneWithDenseIncreasingKeys) {
    const std::vector<TrackKey> keys = softfaceFlightPath();
    ASSERT_GT(keys.size(), 290u);
    EXPECT_EQ(keys.front().time, 0.0f);
    EXPECT_NEAR(keys.back().time, kSoftfaceSeconds, 1e-4f);
    for (size_t i = 1; i < keys.size(); ++i) {
        EXPECT_GT(keys[i].time, keys[i - 1].time);
        EXPECT_LE(keys[i].time - keys[i - 1].time, 0.21f);
    }
}

// Each act is seen whole from outside it: the 20-26-unit shapes, the metaballs in the middle of
// their 20-unit cube, the 45-unit cube arms; and the camera stays well inside the sky.
TEST(SoftfaceFlight, FramesEachActFromOutsideIt) {
    for (const TrackKey& key : softfaceFlightPath()) {
        const float t = key.time;
        const float distance = length(key.first);
        float nearest = 28.0f, farthest = 40.0f;
        if (t <= kSoftfaceCloudEnd) {
            nearest = 17.0f, farthest = 27.0f;
        } else if (t < kSoftfaceHit) {
            nearest = 15.0f, farthest = 32.0f;
        }
        EXPECT_GE(distance, nearest) << "at " << t << " s";
        EXPECT_LE(distance, farthest) << "at " << t << " s";
        EXPECT_LT(distance, 0.5f * kSoftfaceSkyRadius);
        // Looking at the act: the origin within 10 degrees of the middle of the picture.
        const Vector3 view = normalised(key.second - key.first);
        EXPECT_GT(dot(view, normalised(key.first * -1.0f)), 0.985f) << "at " << t << " s";
        // Rolling a little at most.
        EXPECT_GT(normalised(key.third).y, 0.98f) << "at " << t << " s";
    }
}

// The flat shapes face +z: seen from behind they would read mirrored, edge-on not at all.
TEST(SoftfaceFlight, KeepsInFrontOfTheFlatShapes) {
    for (const TrackKey& key : softfaceFlightPath()) {
        const float facing = normalised(key.first).z;
        if (key.time <= 5.0f) {
            EXPECT_GT(facing, 0.7f) << "the 27 at " << key.time << " s";
        } else if (key.time <= kSoftfaceCloudEnd) {
            EXPECT_GT(facing, 0.5f) << "at " << key.time << " s";
        }
    }
}

TEST(SoftfaceFlight, FliesWithoutJerks) {
    const std::vector<TrackKey> keys = softfaceFlightPath();
    for (size_t i = 1; i + 1 < keys.size(); ++i) {
        const float dt = keys[i].time - keys[i - 1].time;
        for (Vector3 TrackKey::*point : {&TrackKey::first, &TrackKey::second, &TrackKey::third}) {
            const Vector3 before = (keys[i].*point - keys[i - 1].*point) * (1.0f / dt);
            const Vector3 after = (keys[i + 1].*point - keys[i].*point) * (1.0f / dt);
            EXPECT_LT(length(after - before) / dt, 25.0f) << "at " << keys[i].time << " s";
        }
        const Vector3 speed = (keys[i].first - keys[i - 1].first) * (1.0f / dt);
        EXPECT_LT(length(speed), 25.0f) << "at " << keys[i].time << " s";
    }
}

TEST(SoftfaceFlight, HoldsStillUnderTheClosingPicture) {
    const std::vector<TrackKey> keys = softfaceFlightPath();
    const TrackKey* rest = nullptr;
    for (const TrackKey& key : keys) {
        if (key.time < kSoftfaceClosing - 1e-3f) {
            continue;
        }
        if (rest == nullptr) {
            rest = &key;
        }
        EXPECT_LT(length(key.first - rest->first), 0.01f) << "at " << key.time << " s";
        EXPECT_LT(length(key.second - rest->second), 0.01f) << "at " << key.time << " s";
        EXPECT_LT(length(key.third - rest->third), 0.001f) << "at " << key.time << " s";
    }
    ASSERT_NE(rest, nullptr);
    // Arriving gently: under a unit per second over the last second before the rest.
    for (const TrackKey& key : keys) {
        if (key.time > kSoftfaceClosing - 1.0f && key.time < kSoftfaceClosing) {
            EXPECT_LT(length(rest->first - key.first), kSoftfaceClosing - key.time + 0.01f);
        }
    }
}

// Written and read back as the scene loads them: morph meshes with no normals and no faces, the
// sky's configuration naming only its mesh, so the scene's Sky.png is the picture drawn on it.
TEST(SoftfaceFiles, LoadAsTheSceneReadsThem) {
    const ScratchFolder folder("zentrox-softface");
    const DataTree tree(folder.path);
    std::string error;
    ASSERT_TRUE(writeSoftface(tree, error)) << error;
    for (const MorphShape& shape : kMorphShapes) {
        Mesh loaded;
        ASSERT_TRUE(loadMesh(loaded, tree.pathOf(shape.file).c_str())) << shape.file;
        ASSERT_EQ(loaded.parts.size(), 1u);
        const std::vector<Vector3> written = pointsOf(shape.build());
        const std::vector<Vector3> read = pointsOf(loaded);
        ASSERT_EQ(read.size(), written.size()) << shape.file;
        for (size_t i = 0; i < read.size(); ++i) {
            EXPECT_EQ(read[i].x, written[i].x);
            EXPECT_EQ(read[i].z, written[i].z);
        }
    }
    ConfigFile config;
    ASSERT_EQ(config.load(tree.pathOf(kSoftfaceEnvironment.name).c_str()), 0);
    EXPECT_EQ(config.get("ObjectFile", ""), kSoftfaceSkyMeshFile);
    EXPECT_EQ(config.get("TextureFile", ""), "");
    EXPECT_EQ(config.get("AnimationMode", ""), "AF_CLEAN");
    EXPECT_EQ(config.get("RenderShade", ""), "NO");
    Mesh sky;
    ASSERT_TRUE(loadMesh(sky, tree.pathOf(kSoftfaceSkyMeshFile).c_str()));
    EXPECT_EQ(sky.parts[0].faces.size(), softfaceSkyMesh().parts[0].faces.size());
    CameraPath path;
    ASSERT_TRUE(path.load(tree.pathOf(kSoftfaceFlight.name).c_str()));
    EXPECT_EQ(path.keys.size(), softfaceFlightPath().size());
}

}  // namespace
