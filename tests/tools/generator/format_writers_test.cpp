#include "tools/generator/format_writers.h"

#include <gtest/gtest.h>

#include "resources/animation_track.h"
#include "resources/camera_path.h"
#include "resources/config_file.h"
#include "resources/text_file.h"

namespace {

TrackKey key(float t, float seed) {
    return {t, {seed, -seed / 3.0f, 1e-7f}, {seed * 7.0f, 0.1f, -0.0f}, {0.0f, 1.0f, seed}};
}

void expectSameKey(const TrackKey& a, const TrackKey& b) {
    EXPECT_EQ(a.time, b.time);
    EXPECT_EQ(a.first.x, b.first.x);
    EXPECT_EQ(a.first.y, b.first.y);
    EXPECT_EQ(a.first.z, b.first.z);
    EXPECT_EQ(a.second.x, b.second.x);
    EXPECT_EQ(a.second.y, b.second.y);
    EXPECT_EQ(a.third.z, b.third.z);
}

TEST(FormatWriters, CurvesComeBackExactly) {
    const std::vector<CurvePoint> points = {{0.0f, 0.1f}, {1.5f, -3.25e-5f}, {40.0f, 123456.7f}};
    std::string text, error;
    ASSERT_TRUE(writeCurveText(points, text, error)) << error;
    Curve curve;
    curve.loadLines(splitLines(text));
    ASSERT_EQ(curve.points.size(), points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(curve.points[static_cast<uint32_t>(i)].time, points[i].time);
        EXPECT_EQ(curve.points[static_cast<uint32_t>(i)].value, points[i].value);
    }
}

TEST(FormatWriters, AnimationTracksComeBackExactly) {
    const std::vector<TrackKey> keys = {key(0.0f, 1.0f), key(2.0f, 3.3f), key(9.5f, -11.0f)};
    std::string text, error;
    ASSERT_TRUE(writeAnimationText(keys, text, error)) << error;
    EXPECT_NE(text.find('\t'), std::string::npos);
    AnimationTrack track;
    track.loadLines(splitLines(text));
    ASSERT_EQ(track.keys.size(), keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        expectSameKey(track.keys[static_cast<uint32_t>(i)], keys[i]);
    }
}

TEST(FormatWriters, CameraPathsComeBackWithUnitUpVectors) {
    std::vector<TrackKey> keys = {key(0.0f, 2.0f), key(4.0f, 5.0f)};
    std::string text, error;
    ASSERT_TRUE(writeCameraPathText(keys, text, error)) << error;
    CameraPath path;
    path.loadLines(splitLines(text));
    ASSERT_EQ(path.keys.size(), 2u);
    EXPECT_EQ(path.keys[1].first.x, keys[1].first.x);
    EXPECT_EQ(path.keys[1].second.x, keys[1].second.x);
    const Vector3& up = path.keys[1].third;
    EXPECT_NEAR(up.x * up.x + up.y * up.y + up.z * up.z, 1.0f, 0.004f);
}

TEST(FormatWriters, MeshesComeBackExactly) {
    Mesh mesh;
    mesh.parts.resize(2);
    MeshPart& part = mesh.parts[1];
    part.vertices.append({0.5f, -1.25f, 3.0f, {0, 0, 0}});
    part.vertices.append({1.0f, 2.0f, 1e-3f, {0, 0, 0}});
    part.vertices.append({-4.0f, 0.0f, 0.333333343f, {0, 0, 0}});
    part.texCoords.append({0.0f, 1.0f});
    part.texCoords.append({0.25f, 0.5f});
    part.texCoords.append({1.0f, 0.0f});
    part.normals.append({0.0f, 0.0f, 1.0f});
    part.faces.append({0, 1, 2, 0, 0, 0, {0, 0, 0}, false, {0, 0, 0, 0}, {1.0f, 2.0f, 3.0f}});
    std::string text, error;
    ASSERT_TRUE(writeMeshText(mesh, text, error)) << error;
    Mesh loaded;
    ASSERT_TRUE(loadMeshLines(loaded, splitLines(text)));
    ASSERT_EQ(loaded.parts.size(), 2u);
    EXPECT_TRUE(loaded.parts[0].vertices.empty());
    const MeshPart& back = loaded.parts[1];
    ASSERT_EQ(back.vertices.size(), 3u);
    EXPECT_EQ(back.vertices[2].z, 0.333333343f);
    EXPECT_EQ(back.texCoords[1].s, 0.25f);
    EXPECT_EQ(back.normals[0].z, 1.0f);
    ASSERT_EQ(back.faces.size(), 1u);
    EXPECT_EQ(back.faces[0].c, 2);
    EXPECT_EQ(back.faces[0].triple[2], 3.0f);
}

TEST(FormatWriters, ConfigFilesComeBackAndRefuseWhatTheyCannotCarry) {
    const ConfigEntries entries = {{"ObjectFile", "Complex\\xlab\\room.rob"},
                                   {"AnimationMode", "AF_SLINK"},
                                   {"Render.Shade_2", "YES"}};
    std::string text, error;
    ASSERT_TRUE(writeConfigText(entries, text, error)) << error;
    ConfigFile config;
    config.parse(text);
    for (const auto& [k, v] : entries) {
        EXPECT_EQ(config.get(k, ""), v);
    }
    EXPECT_FALSE(writeConfigText({{"Key", "a \"quoted\" value"}}, text, error));
    EXPECT_FALSE(writeConfigText({{"9Key", "v"}}, text, error));
    EXPECT_FALSE(writeConfigText({{"Key", std::string(256, 'x')}}, text, error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
