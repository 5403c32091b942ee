#include "resources/mesh.h"

#include <gtest/gtest.h>

#include "tests/resources/track_test_support.h"

namespace {

// One part: a triangle of three vertices, two normals.
const char* const kTriangle =
    "TROB\n1\npart name\nmaterial\n"
    "3\n0 0 0\n0.1 0.2\n1 0 0\n0.3 0.4\n0 1 0\n0.5 0.6\n"
    "2\n0 0 1\n0 1 0\n"
    "1\n0 1 2\n1 1 0\n7 8 9\n";

bool load(Mesh& mesh, const std::string& text) {
    return loadMeshLines(mesh, linesOf(text));
}

TEST(MeshLoading, ReadsEveryItemOfAPart) {
    Mesh mesh;
    ASSERT_TRUE(load(mesh, kTriangle));
    EXPECT_TRUE(mesh.loaded);
    ASSERT_EQ(mesh.parts.size(), 1u);
    const MeshPart& part = mesh.parts[0];
    ASSERT_EQ(part.vertices.size(), 3u);
    EXPECT_EQ(part.vertices[1].x, 1.0f);
    EXPECT_EQ(part.vertices[2].extra[0], 0.0f);
    EXPECT_EQ(part.texCoords[2].t, 0.6f);
    ASSERT_EQ(part.normals.size(), 2u);
    EXPECT_EQ(part.normals[0].z, 1.0f);
    ASSERT_EQ(part.faces.size(), 1u);
    EXPECT_EQ(part.faces[0].c, 2);
    EXPECT_EQ(part.faces[0].na, 1);
    EXPECT_EQ(part.faces[0].triple[2], 9.0f);
    EXPECT_TRUE(faceIsDrawable(part, part.faces[0]));
}

TEST(MeshLoading, MagicWordIsTheFirstFourCharacters) {
    Mesh mesh;
    EXPECT_TRUE(load(mesh, "TROB version 2\n0\n"));
    EXPECT_TRUE(mesh.parts.empty());
    EXPECT_TRUE(mesh.loaded);  // an empty mesh still counts as loaded
    Mesh rejected;
    EXPECT_FALSE(load(rejected, "TRO\n0\n"));
    EXPECT_FALSE(load(rejected, "trob\n0\n"));
    EXPECT_FALSE(load(rejected, ""));
    EXPECT_FALSE(rejected.loaded);
}

TEST(MeshLoading, ReloadingLeavesExactlyTheFilesParts) {
    Mesh mesh;
    ASSERT_TRUE(load(mesh, std::string("TROB\n3\n") + "a\nb\n0\n0\n0\n" + "a\nb\n0\n0\n0\n" +
                               "a\nb\n1\n5 5 5\n0 0\n0\n0\n"));
    EXPECT_EQ(mesh.parts.size(), 3u);
    ASSERT_TRUE(load(mesh, kTriangle));
    EXPECT_EQ(mesh.parts.size(), 1u);
    EXPECT_EQ(mesh.parts[0].vertices.size(), 3u);
    // A failed load leaves the mesh as it was.
    EXPECT_FALSE(load(mesh, "XXXX\n"));
    EXPECT_EQ(mesh.parts.size(), 1u);
}

TEST(MeshLoading, WindowsLineEndsLoadTheSame) {
    std::string windows;
    for (const char c : std::string(kTriangle)) {
        windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    Mesh unix;
    Mesh crlf;
    ASSERT_TRUE(load(unix, kTriangle));
    ASSERT_TRUE(load(crlf, windows));
    EXPECT_EQ(crlf.parts[0].texCoords[1].s, unix.parts[0].texCoords[1].s);
    EXPECT_EQ(crlf.parts[0].faces[0].b, unix.parts[0].faces[0].b);
}

TEST(MeshLoading, AbsurdCountsNeitherHangNorExhaustMemory) {
    Mesh mesh;
    ASSERT_TRUE(load(mesh, "TROB\n2000000000\nx\ny\n2000000000\n1 2 3\n"));
    ASSERT_LE(mesh.parts.size(), 1u);
    if (!mesh.parts.empty()) {
        EXPECT_LE(mesh.parts[0].vertices.size(), 1u);
    }
    ASSERT_TRUE(load(mesh, "TROB\n1\nx\ny\n-5\n-1\n-7\n"));
    EXPECT_TRUE(mesh.parts[0].vertices.empty());
    EXPECT_TRUE(mesh.parts[0].faces.empty());
}

TEST(MeshLoading, OutOfRangeIndicesMakeAFaceUndrawable) {
    Mesh mesh;
    std::string text = kTriangle;
    text.replace(text.find("0 1 2\n"), 6, "0 1 3\n");
    ASSERT_TRUE(load(mesh, text));
    EXPECT_FALSE(faceIsDrawable(mesh.parts[0], mesh.parts[0].faces[0]));
    MeshFace face = mesh.parts[0].faces[0];
    face.c = 2;
    face.na = -1;
    EXPECT_FALSE(faceIsDrawable(mesh.parts[0], face));
    face.na = 2;  // only two normals
    EXPECT_FALSE(faceIsDrawable(mesh.parts[0], face));
    face.na = 1;
    EXPECT_TRUE(faceIsDrawable(mesh.parts[0], face));
}

}  // namespace
