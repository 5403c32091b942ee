#pragma once
// The OpenGL 1.1 and GLU entry points the layer implements, one for each call the portable code
// makes, in namespace gl11 under their OpenGL names so that they never collide with ES's own.
// gl11/gl.h points the OpenGL names at these; kEntryPoints lists them for the test that checks
// every call the code makes is here.

#include <array>
#include <string_view>

#include "gl11/desktop_enums.h"

namespace gl11 {

void glEnable(GLenum cap);
void glDisable(GLenum cap);
GLboolean glIsEnabled(GLenum cap);
void glBlendFunc(GLenum source, GLenum destination);
void glDepthFunc(GLenum func);
void glDepthMask(GLboolean flag);
void glColorMask(GLboolean red, GLboolean green, GLboolean blue, GLboolean alpha);
void glCullFace(GLenum mode);
void glFrontFace(GLenum mode);
void glPolygonMode(GLenum face, GLenum mode);
void glLineWidth(GLfloat width);
void glShadeModel(GLenum mode);
void glHint(GLenum target, GLenum mode);
void glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void glClearDepth(GLclampd depth);
void glClearStencil(GLint s);
void glClear(GLbitfield mask);
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void glPushAttrib(GLbitfield mask);
void glPopAttrib();
void glPushClientAttrib(GLbitfield mask);
void glPopClientAttrib();
void glFlush();
void glFinish();
void glGetFloatv(GLenum name, GLfloat* values);
void glGetIntegerv(GLenum name, GLint* values);
const GLubyte* glGetString(GLenum name);
void glPixelStorei(GLenum name, GLint value);
void glMatrixMode(GLenum mode);
void glLoadIdentity();
void glPushMatrix();
void glPopMatrix();
void glTranslatef(GLfloat x, GLfloat y, GLfloat z);
void glRotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z);
void glScalef(GLfloat x, GLfloat y, GLfloat z);
void glMultMatrixf(const GLfloat* m);
void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near,
             GLdouble far);
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble near, GLdouble far);
void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY,
               GLdouble centreZ, GLdouble upX, GLdouble upY, GLdouble upZ);
void glBegin(GLenum mode);
void glEnd();
void glVertex2f(GLfloat x, GLfloat y);
void glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void glVertex3fv(const GLfloat* v);
void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void glColor4fv(const GLfloat* v);
void glNormal3f(GLfloat x, GLfloat y, GLfloat z);
void glNormal3fv(const GLfloat* v);
void glTexCoord2f(GLfloat s, GLfloat t);
void glTexCoord4f(GLfloat s, GLfloat t, GLfloat r, GLfloat q);
void glEnableClientState(GLenum array);
void glDisableClientState(GLenum array);
void glInterleavedArrays(GLenum format, GLsizei stride, const void* pointer);
void glDrawArrays(GLenum mode, GLint first, GLsizei count);
void glLightfv(GLenum light, GLenum name, const GLfloat* values);
void glLightModelfv(GLenum name, const GLfloat* values);
void glMaterialfv(GLenum face, GLenum name, const GLfloat* values);
void glMaterialf(GLenum face, GLenum name, GLfloat value);
void glColorMaterial(GLenum face, GLenum mode);
void glFogf(GLenum name, GLfloat value);
void glFogi(GLenum name, GLint value);
void glFogfv(GLenum name, const GLfloat* values);
void glTexEnvi(GLenum target, GLenum name, GLint value);
void glTexGeni(GLenum coordinate, GLenum name, GLint value);
void glGenTextures(GLsizei count, GLuint* names);
void glDeleteTextures(GLsizei count, const GLuint* names);
void glBindTexture(GLenum target, GLuint texture);
void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const void* pixels);
GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                        GLenum format, GLenum type, const void* pixels);
void glTexParameteri(GLenum target, GLenum name, GLint value);
void glCopyTexSubImage2D(GLenum target, GLint level, GLint xOffset, GLint yOffset, GLint x, GLint y,
                         GLsizei width, GLsizei height);
void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                  void* pixels);
void glGenQueries(GLsizei count, GLuint* names);
void glDeleteQueries(GLsizei count, const GLuint* names);
void glBeginQuery(GLenum target, GLuint query);
void glEndQuery(GLenum target);
void glGetQueryObjectuiv(GLuint query, GLenum name, GLuint* value);
void glGenFramebuffers(GLsizei count, GLuint* names);
void glDeleteFramebuffers(GLsizei count, const GLuint* names);
void glBindFramebuffer(GLenum target, GLuint framebuffer);
GLenum glCheckFramebufferStatus(GLenum target);
void glFramebufferRenderbuffer(GLenum target, GLenum attachment, GLenum renderbufferTarget,
                               GLuint renderbuffer);
void glGenRenderbuffers(GLsizei count, GLuint* names);
void glDeleteRenderbuffers(GLsizei count, const GLuint* names);
void glBindRenderbuffer(GLenum target, GLuint renderbuffer);
void glRenderbufferStorage(GLenum target, GLenum format, GLsizei width, GLsizei height);
void glBlitFramebuffer(GLint x0, GLint y0, GLint x1, GLint y1, GLint dx0, GLint dy0, GLint dx1,
                       GLint dy1, GLbitfield mask, GLenum filter);

inline constexpr std::array<std::string_view, 87> kEntryPoints = {
    "glEnable",
    "glDisable",
    "glIsEnabled",
    "glBlendFunc",
    "glDepthFunc",
    "glDepthMask",
    "glColorMask",
    "glCullFace",
    "glFrontFace",
    "glPolygonMode",
    "glLineWidth",
    "glShadeModel",
    "glHint",
    "glClearColor",
    "glClearDepth",
    "glClearStencil",
    "glClear",
    "glViewport",
    "glPushAttrib",
    "glPopAttrib",
    "glPushClientAttrib",
    "glPopClientAttrib",
    "glFlush",
    "glFinish",
    "glGetFloatv",
    "glGetIntegerv",
    "glGetString",
    "glPixelStorei",
    "glMatrixMode",
    "glLoadIdentity",
    "glPushMatrix",
    "glPopMatrix",
    "glTranslatef",
    "glRotatef",
    "glScalef",
    "glMultMatrixf",
    "glOrtho",
    "gluPerspective",
    "gluLookAt",
    "glBegin",
    "glEnd",
    "glVertex2f",
    "glVertex3f",
    "glVertex3fv",
    "glColor4f",
    "glColor4fv",
    "glNormal3f",
    "glNormal3fv",
    "glTexCoord2f",
    "glTexCoord4f",
    "glEnableClientState",
    "glDisableClientState",
    "glInterleavedArrays",
    "glDrawArrays",
    "glLightfv",
    "glLightModelfv",
    "glMaterialfv",
    "glMaterialf",
    "glColorMaterial",
    "glFogf",
    "glFogi",
    "glFogfv",
    "glTexEnvi",
    "glTexGeni",
    "glGenTextures",
    "glDeleteTextures",
    "glBindTexture",
    "glTexImage2D",
    "gluBuild2DMipmaps",
    "glTexParameteri",
    "glCopyTexSubImage2D",
    "glReadPixels",
    "glGenQueries",
    "glDeleteQueries",
    "glBeginQuery",
    "glEndQuery",
    "glGetQueryObjectuiv",
    "glGenFramebuffers",
    "glDeleteFramebuffers",
    "glBindFramebuffer",
    "glCheckFramebufferStatus",
    "glFramebufferRenderbuffer",
    "glGenRenderbuffers",
    "glDeleteRenderbuffers",
    "glBindRenderbuffer",
    "glRenderbufferStorage",
    "glBlitFramebuffer",
};

}  // namespace gl11
