// Writes the starting corpora of the text-format fuzzers with the data generator's own
// writers, so the fuzzers begin from files shaped like the real ones.
//   write_seeds OUTDIR  (creates OUTDIR/track, OUTDIR/mesh, OUTDIR/config)

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/generator/format_writers.h"

namespace {

bool save(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

Mesh sampleMesh() {
    Mesh mesh;
    mesh.parts.resize(1);
    MeshPart& part = mesh.parts[0];
    for (int i = 0; i < 4; ++i) {
        part.vertices.append({static_cast<float>(i & 1), static_cast<float>(i >> 1), 0.0f, {}});
        part.texCoords.append({static_cast<float>(i & 1), static_cast<float>(i >> 1)});
    }
    part.normals.append({0.0f, 0.0f, 1.0f});
    part.faces.append({0, 1, 2, 0, 0, 0, {}, false, {}, {0.0f, 0.0f, 1.0f}});
    part.faces.append({1, 3, 2, 0, 0, 0, {}, false, {}, {0.0f, 0.0f, 1.0f}});
    return mesh;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_seeds OUTDIR\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    for (const char* folder : {"track", "mesh", "config"}) {
        std::filesystem::create_directories(root / folder);
    }
    const std::vector<TrackKey> keys = {{0.0f, {0, 0, 0}, {0, 0, -1}, {0, 1, 0}},
                                        {2.5f, {1, 2, 3}, {4, 5, 6}, {0, 2, 0}},
                                        {5.0f, {-1, 0, 9}, {0, 90, 0}, {1, 1, 1}}};
    std::string text, error;
    bool ok = writeCurveText({{0.0f, 0.0f}, {1.0f, 0.5f}, {4.0f, 1.0f}}, text, error) &&
              save(root / "track/curve.txt", text);
    ok = ok && writeCameraPathText(keys, text, error) && save(root / "track/camera.txt", text);
    ok = ok && writeAnimationText(keys, text, error) && save(root / "track/animation.txt", text);
    ok = ok && writeMeshText(sampleMesh(), text, error) && save(root / "mesh/quad.rob", text);
    ok = ok &&
         writeConfigText({{"ObjectFile", "Objects\\quad.rob"},
                          {"TextureFile", "Textures/Sky.png"},
                          {"AnimationMode", "AF_TWIST"},
                          {"RenderShade", "YES"}},
                         text, error) &&
         save(root / "config/object.cfg", text);
    if (!ok) {
        std::fprintf(stderr, "write_seeds: %s\n", error.empty() ? "cannot write" : error.c_str());
        return 1;
    }
    return 0;
}
