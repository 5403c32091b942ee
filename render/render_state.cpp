#include "render/render_state.h"

#include <initializer_list>

#include "base/gl.h"

namespace {

// Off at start, and switched on only inside the drawing routines.
constexpr GLenum kOffCapabilities[] = {
    GL_ALPHA_TEST,   GL_BLEND,       GL_COLOR_MATERIAL, GL_CULL_FACE,           GL_FOG,
    GL_LIGHTING,     GL_LINE_SMOOTH, GL_NORMALIZE,      GL_POLYGON_OFFSET_FILL, GL_SCISSOR_TEST,
    GL_STENCIL_TEST, GL_TEXTURE_2D,  GL_TEXTURE_GEN_S,  GL_TEXTURE_GEN_T,
};

constexpr GLenum kClientArrays[] = {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_COLOR_ARRAY,
                                    GL_TEXTURE_COORD_ARRAY};

void setStartUpState() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHT0);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearStencil(0);
    glClearDepth(1.0);
    glDepthFunc(GL_LESS);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

void resetMatrices() {
    for (const GLenum mode : {GL_TEXTURE, GL_PROJECTION, GL_MODELVIEW}) {
        glMatrixMode(mode);
        glLoadIdentity();
    }
}

void resetFragmentState() {
    glBlendFunc(GL_ONE, GL_ZERO);
    glDepthMask(GL_TRUE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glLineWidth(1.0f);
}

void resetTexturing() {
    glBindTexture(GL_TEXTURE_2D, 0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
}

void resetFog() {
    const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glFogi(GL_FOG_MODE, GL_EXP);
    glFogf(GL_FOG_DENSITY, 1.0f);
    glFogf(GL_FOG_START, 0.0f);
    glFogf(GL_FOG_END, 1.0f);
    glFogfv(GL_FOG_COLOR, black);
}

// NOTE: light positions are taken through the model-view matrix of the moment, so this runs
// with it at identity: the default light then shines along the viewing axis.
void resetLighting() {
    const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat towardsViewer[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    const GLfloat diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, black);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white);
    glLightfv(GL_LIGHT0, GL_POSITION, towardsViewer);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, black);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.0f);
}

void resetCurrentVertexState() {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord4f(0.0f, 0.0f, 0.0f, 1.0f);
    for (const GLenum array : kClientArrays) {
        glDisableClientState(array);
    }
}

}  // namespace

// Colour material goes off first, so that neither the current colour nor the material set
// below is written into the other.
void setBaseRenderState() {
    for (const GLenum capability : kOffCapabilities) {
        glDisable(capability);
    }
    setStartUpState();
    resetMatrices();
    resetFragmentState();
    resetTexturing();
    resetFog();
    resetLighting();
    resetCurrentVertexState();
}
