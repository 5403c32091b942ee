#include "render/mesh_drawing.h"

#include "base/gl.h"

namespace {

void emitCorner(const MeshPart& part, int32_t vertex, int32_t normal) {
    const TexCoord& uv = part.texCoords[static_cast<uint32_t>(vertex)];
    const Normal& n = part.normals[static_cast<uint32_t>(normal)];
    const MeshVertex& v = part.vertices[static_cast<uint32_t>(vertex)];
    glTexCoord2f(uv.s, uv.t);
    glNormal3f(n.x, n.y, n.z);
    glVertex3f(v.x, v.y, v.z);
}

}  // namespace

void drawPart(const Mesh& mesh, const MeshPart& part, bool applyTransform) {
    glPushMatrix();
    if (applyTransform && mesh.loaded) {
        glMultMatrixf(mesh.transform.data());
    }
    glBegin(GL_TRIANGLES);
    {
        for (const MeshFace& face : part.faces) {
            if (!faceIsDrawable(part, face)) {
                continue;
            }
            emitCorner(part, face.a, face.na);
            emitCorner(part, face.b, face.nb);
            emitCorner(part, face.c, face.nc);
        }
    }
    glEnd();
    glPopMatrix();
}

void drawMesh(const Mesh& mesh, bool applyTransform) {
    for (const MeshPart& part : mesh.parts) {
        drawPart(mesh, part, applyTransform);
    }
}
