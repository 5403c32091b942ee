// Any text at all as a ".rob" mesh: loading must end without reading past the lines, and every
// face the drawing would emit must index inside its part's arrays.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "resources/mesh.h"
#include "resources/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Mesh mesh;
    if (!loadMeshLines(mesh, splitLines(std::string(reinterpret_cast<const char*>(data), size)))) {
        return 0;
    }
    volatile float sum = 0.0f;
    for (const MeshPart& part : mesh.parts) {
        for (const MeshFace& face : part.faces) {
            if (!faceIsDrawable(part, face)) {
                continue;
            }
            // What drawing reads for one corner of each drawn face.
            sum = sum + part.vertices[static_cast<uint32_t>(face.c)].x +
                  part.texCoords[static_cast<uint32_t>(face.c)].s +
                  part.normals[static_cast<uint32_t>(face.nc)].z;
        }
    }
    return 0;
}
