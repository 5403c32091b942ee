#include "gl11/entry_points.h"

#include "gl11/layer_context.h"
#include "gl11/query_result.h"

namespace gl11 {

void glEnable(GLenum cap) {
    layerContext().setCapability(cap, true);
}

void glDisable(GLenum cap) {
    layerContext().setCapability(cap, false);
}

GLboolean glIsEnabled(GLenum cap) {
    return layerContext().isEnabled(cap) ? GL_TRUE : GL_FALSE;
}

void glBlendFunc(GLenum source, GLenum destination) {
    layerContext().raster().blendSource = source;
    layerContext().raster().blendDestination = destination;
}

void glDepthFunc(GLenum func) {
    layerContext().raster().depthFunc = func;
}

void glDepthMask(GLboolean flag) {
    layerContext().raster().depthMask = flag != GL_FALSE;
}

void glColorMask(GLboolean red, GLboolean green, GLboolean blue, GLboolean alpha) {
    layerContext().raster().colourMask = {red != GL_FALSE, green != GL_FALSE, blue != GL_FALSE,
                                          alpha != GL_FALSE};
}

void glCullFace(GLenum mode) {
    layerContext().raster().cullFaceMode = mode;
}

void glFrontFace(GLenum mode) {
    layerContext().raster().frontFace = mode;
}

void glPolygonMode(GLenum face, GLenum mode) {
    layerContext().setPolygonMode(face, mode);
}

void glLineWidth(GLfloat width) {
    if (width > 0.0f) {
        layerContext().state().lineWidth = width;
    }
}

void glShadeModel(GLenum mode) {
    layerContext().setShadeModel(mode);
}

void glHint(GLenum target, GLenum mode) {
    // ES interpolates in perspective always, OpenGL's nicest.
    if (target != GL_PERSPECTIVE_CORRECTION_HINT) {
        unsupported("glHint", target);
    }
    (void)mode;
}

void glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
    layerContext().raster().clearColour = {red, green, blue, alpha};
}

void glClearDepth(GLclampd depth) {
    layerContext().raster().clearDepth = static_cast<float>(depth);
}

void glClearStencil(GLint s) {
    layerContext().raster().clearStencil = s;
}

void glClear(GLbitfield mask) {
    layerContext().clear(mask);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    layerContext().raster().viewport = {x, y, width, height};
}

void glPushAttrib(GLbitfield mask) {
    layerContext().pushAttributes(mask);
}

void glPopAttrib() {
    layerContext().popAttributes();
}

void glPushClientAttrib(GLbitfield mask) {
    layerContext().pushClientAttributes(mask);
}

void glPopClientAttrib() {
    layerContext().popClientAttributes();
}

void glFlush() {
    ::glFlush();
}

void glFinish() {
    ::glFinish();
}

void glGetFloatv(GLenum name, GLfloat* values) {
    layerContext().getFloats(name, values);
}

void glGetIntegerv(GLenum name, GLint* values) {
    layerContext().getIntegers(name, values);
}

const GLubyte* glGetString(GLenum name) {
    return ::glGetString(name);
}

void glPixelStorei(GLenum name, GLint value) {
    layerContext().setPixelStore(name, value);
}

void glMatrixMode(GLenum mode) {
    layerContext().setMatrixMode(mode);
}

void glLoadIdentity() {
    layerContext().loadMatrix(identityMatrix());
}

void glPushMatrix() {
    layerContext().pushMatrix();
}

void glPopMatrix() {
    layerContext().popMatrix();
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    layerContext().multiplyMatrix(translationMatrix(x, y, z));
}

void glRotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z) {
    layerContext().multiplyMatrix(rotationMatrix(degrees, x, y, z));
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) {
    layerContext().multiplyMatrix(scalingMatrix(x, y, z));
}

void glMultMatrixf(const GLfloat* m) {
    Matrix4 matrix{};
    for (size_t i = 0; i < 16; ++i) {
        matrix.m[i] = m[i];
    }
    layerContext().multiplyMatrix(matrix);
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near,
             GLdouble far) {
    layerContext().multiplyMatrix(orthographicMatrix(left, right, bottom, top, near, far));
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble near, GLdouble far) {
    layerContext().multiplyMatrix(perspectiveMatrix(fovy, aspect, near, far));
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY,
               GLdouble centreZ, GLdouble upX, GLdouble upY, GLdouble upZ) {
    layerContext().multiplyMatrix(
        lookAtMatrix(eyeX, eyeY, eyeZ, centreX, centreY, centreZ, upX, upY, upZ));
}

void glBegin(GLenum mode) {
    layerContext().begin(mode);
}

void glEnd() {
    layerContext().end();
}

void glVertex2f(GLfloat x, GLfloat y) {
    layerContext().vertex(x, y, 0.0f);
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    layerContext().vertex(x, y, z);
}

void glVertex3fv(const GLfloat* v) {
    layerContext().vertex(v[0], v[1], v[2]);
}

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
    layerContext().colour(red, green, blue, alpha);
}

void glColor4fv(const GLfloat* v) {
    layerContext().colour(v[0], v[1], v[2], v[3]);
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    layerContext().normal(x, y, z);
}

void glNormal3fv(const GLfloat* v) {
    layerContext().normal(v[0], v[1], v[2]);
}

void glTexCoord2f(GLfloat s, GLfloat t) {
    layerContext().texCoord(s, t, 0.0f, 1.0f);
}

void glTexCoord4f(GLfloat s, GLfloat t, GLfloat r, GLfloat q) {
    layerContext().texCoord(s, t, r, q);
}

void glEnableClientState(GLenum array) {
    layerContext().setClientArray(array, true);
}

void glDisableClientState(GLenum array) {
    layerContext().setClientArray(array, false);
}

void glInterleavedArrays(GLenum format, GLsizei stride, const void* pointer) {
    layerContext().interleavedArrays(format, stride, pointer);
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    layerContext().drawArrays(mode, first, count);
}

void glLightfv(GLenum light, GLenum name, const GLfloat* values) {
    layerContext().setLight(light, name, values);
}

void glLightModelfv(GLenum name, const GLfloat* values) {
    layerContext().setLightModel(name, values);
}

void glMaterialfv(GLenum face, GLenum name, const GLfloat* values) {
    layerContext().setMaterial(face, name, values);
}

void glMaterialf(GLenum face, GLenum name, GLfloat value) {
    layerContext().setMaterial(face, name, &value);
}

void glColorMaterial(GLenum face, GLenum mode) {
    layerContext().setColourMaterial(face, mode);
}

void glFogf(GLenum name, GLfloat value) {
    layerContext().setFog(name, &value);
}

void glFogi(GLenum name, GLint value) {
    const GLfloat asFloat = static_cast<GLfloat>(value);
    layerContext().setFog(name, &asFloat);
}

void glFogfv(GLenum name, const GLfloat* values) {
    layerContext().setFog(name, values);
}

void glTexEnvi(GLenum target, GLenum name, GLint value) {
    layerContext().setTextureEnv(target, name, value);
}

void glTexGeni(GLenum coordinate, GLenum name, GLint value) {
    layerContext().setTexGen(coordinate, name, value);
}

void glGenTextures(GLsizei count, GLuint* names) {
    layerContext().generateTextures(count, names);
}

void glDeleteTextures(GLsizei count, const GLuint* names) {
    layerContext().deleteTextures(count, names);
}

void glBindTexture(GLenum target, GLuint texture) {
    if (target != GL_TEXTURE_2D) {
        unsupported("glBindTexture", target);
        return;
    }
    layerContext().raster().boundTexture = texture;
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const void* pixels) {
    layerContext().textureImage(target, level, internalFormat, width, height, border, format, type,
                                pixels);
}

GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                        GLenum format, GLenum type, const void* pixels) {
    return layerContext().buildMipmaps(target, internalFormat, width, height, format, type, pixels);
}

void glTexParameteri(GLenum target, GLenum name, GLint value) {
    layerContext().textureParameter(target, name, value);
}

void glCopyTexSubImage2D(GLenum target, GLint level, GLint xOffset, GLint yOffset, GLint x, GLint y,
                         GLsizei width, GLsizei height) {
    layerContext().copyTextureSubImage(target, level, xOffset, yOffset, x, y, width, height);
}

void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                  void* pixels) {
    layerContext().readPixels(x, y, width, height, format, type, pixels);
}

void glGenQueries(GLsizei count, GLuint* names) {
    ::glGenQueries(count, names);
}

void glDeleteQueries(GLsizei count, const GLuint* names) {
    ::glDeleteQueries(count, names);
}

void glBeginQuery(GLenum target, GLuint query) {
    layerContext().beginQuery(target, query);
}

void glEndQuery(GLenum target) {
    layerContext().endQuery(target);
}

void glGetQueryObjectuiv(GLuint query, GLenum name, GLuint* value) {
    if (name == GL_QUERY_RESULT) {
        *value = queryResult(query);
        return;
    }
    ::glGetQueryObjectuiv(query, name, value);
}

void glGenFramebuffers(GLsizei count, GLuint* names) {
    ::glGenFramebuffers(count, names);
}

void glDeleteFramebuffers(GLsizei count, const GLuint* names) {
    ::glDeleteFramebuffers(count, names);
}

void glBindFramebuffer(GLenum target, GLuint framebuffer) {
    ::glBindFramebuffer(target, framebuffer);
}

GLenum glCheckFramebufferStatus(GLenum target) {
    return ::glCheckFramebufferStatus(target);
}

void glFramebufferRenderbuffer(GLenum target, GLenum attachment, GLenum renderbufferTarget,
                               GLuint renderbuffer) {
    ::glFramebufferRenderbuffer(target, attachment, renderbufferTarget, renderbuffer);
}

void glGenRenderbuffers(GLsizei count, GLuint* names) {
    ::glGenRenderbuffers(count, names);
}

void glDeleteRenderbuffers(GLsizei count, const GLuint* names) {
    ::glDeleteRenderbuffers(count, names);
}

void glBindRenderbuffer(GLenum target, GLuint renderbuffer) {
    ::glBindRenderbuffer(target, renderbuffer);
}

void glRenderbufferStorage(GLenum target, GLenum format, GLsizei width, GLsizei height) {
    ::glRenderbufferStorage(target, format, width, height);
}

void glBlitFramebuffer(GLint x0, GLint y0, GLint x1, GLint y1, GLint dx0, GLint dy0, GLint dx1,
                       GLint dy1, GLbitfield mask, GLenum filter) {
    layerContext().blitFramebuffer(x0, y0, x1, y1, dx0, dy0, dx1, dy1, mask, filter);
}

}  // namespace gl11
