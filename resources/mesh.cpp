#include "resources/mesh.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "resources/text_file.h"

namespace {

// Hands out the file's lines in order; past the end every line is empty, so every item of a
// short file reads as zero.
class LineReader {
public:
    explicit LineReader(const Array<String>& lines) : lines(lines) {}

    const char* next() { return at < lines.size() ? lines[at++].c_str() : ""; }
    uint32_t left() const { return lines.size() - at; }

private:
    const Array<String>& lines;
    uint32_t at = 0;
};

// A count line, limited to how many items of `linesPerItem` lines the rest of the file holds.
uint32_t readCount(LineReader& reader, uint32_t linesPerItem) {
    int32_t count = 0;
    std::sscanf(reader.next(), "%d", &count);
    const uint32_t most = reader.left() / linesPerItem;
    return count <= 0 ? 0 : std::min(static_cast<uint32_t>(count), most);
}

void readVertices(LineReader& reader, MeshPart& part) {
    const uint32_t count = readCount(reader, 2);
    part.vertices.resize(0);
    part.vertices.resize(count);
    part.texCoords.resize(0);
    part.texCoords.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        MeshVertex& v = part.vertices[i];
        std::sscanf(reader.next(), "%f %f %f", &v.x, &v.y, &v.z);
        std::sscanf(reader.next(), "%f %f", &part.texCoords[i].s, &part.texCoords[i].t);
    }
}

void readNormals(LineReader& reader, MeshPart& part) {
    const uint32_t count = readCount(reader, 1);
    part.normals.resize(0);
    part.normals.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        Normal& n = part.normals[i];
        std::sscanf(reader.next(), "%f %f %f", &n.x, &n.y, &n.z);
    }
}

void readFaces(LineReader& reader, MeshPart& part) {
    const uint32_t count = readCount(reader, 3);
    part.faces.resize(0);
    part.faces.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        MeshFace& f = part.faces[i];
        std::sscanf(reader.next(), "%d %d %d", &f.a, &f.b, &f.c);
        std::sscanf(reader.next(), "%d %d %d", &f.na, &f.nb, &f.nc);
        std::sscanf(reader.next(), "%f %f %f", &f.triple[0], &f.triple[1], &f.triple[2]);
    }
}

bool inside(int32_t index, uint32_t size) {
    return index >= 0 && static_cast<uint32_t>(index) < size;
}

}  // namespace

bool loadMesh(Mesh& mesh, const String& path) {
    Array<String> lines;
    if (!readTextLines(path, lines)) {
        return false;
    }
    return loadMeshLines(mesh, lines);
}

bool loadMeshLines(Mesh& mesh, const Array<String>& lines) {
    LineReader reader(lines);
    if (std::strncmp(reader.next(), "TROB", 4) != 0) {
        return false;
    }
    // Each part takes at least its two skipped lines and three count lines.
    const uint32_t partCount = readCount(reader, 5);
    mesh.parts.resize(0);
    mesh.parts.resize(partCount);
    for (MeshPart& part : mesh.parts) {
        reader.next();
        reader.next();
        readVertices(reader, part);
        readNormals(reader, part);
        readFaces(reader, part);
    }
    mesh.loaded = true;
    return true;
}

bool faceIsDrawable(const MeshPart& part, const MeshFace& face) {
    const uint32_t vertices = std::min(part.vertices.size(), part.texCoords.size());
    const uint32_t normals = part.normals.size();
    return inside(face.a, vertices) && inside(face.b, vertices) && inside(face.c, vertices) &&
           inside(face.na, normals) && inside(face.nb, normals) && inside(face.nc, normals);
}
