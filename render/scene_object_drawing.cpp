#include "render/scene_object_drawing.h"

#include "base/gl.h"
#include "base/picture.h"
#include "render/mesh_drawing.h"
#include "resources/scene_object.h"

void bindObjectTextures(const SceneObject& object) {
    if (object.hasTexture) {
        glEnable(GL_TEXTURE_2D);
        object.texture.bind();
    }
    if (object.hasEnvironment) {
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
        glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
        glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
        object.environment.bind();
    }
}

void drawObject(const SceneObject& object) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    bindObjectTextures(object);
    if (object.isTranslucent()) {
        glDepthMask(GL_FALSE);
        glEnable(GL_CULL_FACE);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    if (object.lit) {
        glEnable(GL_LIGHTING);
    }
    drawObjectGeometry(object);
    glPopAttrib();
}

void drawObjectGeometry(const SceneObject& object, bool applyTransform) {
    drawMesh(object.working, applyTransform);
}

void drawObjectWireframe(const SceneObject& object, float alpha) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glEnable(GL_BLEND);
    glEnable(GL_LINE_SMOOTH);
    glDepthMask(GL_FALSE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glLineWidth(pictureLayout().scale);
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    drawObjectGeometry(object);
    glPopAttrib();
}
