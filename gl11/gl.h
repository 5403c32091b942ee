#pragma once
// OpenGL 1.1 and GLU for the portable code, on OpenGL ES 3.0: ES's header for the types and the
// names both share, OpenGL 1.1's own names beside them, and every call the code makes pointed
// at the layer's entry point of the same name. A call the layer lacks names no function and
// fails the build.

#include "gl11/desktop_enums.h"
#include "gl11/entry_points.h"

#define glEnable gl11::glEnable
#define glDisable gl11::glDisable
#define glIsEnabled gl11::glIsEnabled
#define glBlendFunc gl11::glBlendFunc
#define glDepthFunc gl11::glDepthFunc
#define glDepthMask gl11::glDepthMask
#define glColorMask gl11::glColorMask
#define glCullFace gl11::glCullFace
#define glFrontFace gl11::glFrontFace
#define glPolygonMode gl11::glPolygonMode
#define glLineWidth gl11::glLineWidth
#define glShadeModel gl11::glShadeModel
#define glHint gl11::glHint
#define glClearColor gl11::glClearColor
#define glClearDepth gl11::glClearDepth
#define glClearStencil gl11::glClearStencil
#define glClear gl11::glClear
#define glViewport gl11::glViewport
#define glPushAttrib gl11::glPushAttrib
#define glPopAttrib gl11::glPopAttrib
#define glPushClientAttrib gl11::glPushClientAttrib
#define glPopClientAttrib gl11::glPopClientAttrib
#define glFlush gl11::glFlush
#define glFinish gl11::glFinish
#define glGetFloatv gl11::glGetFloatv
#define glGetIntegerv gl11::glGetIntegerv
#define glGetString gl11::glGetString
#define glPixelStorei gl11::glPixelStorei
#define glMatrixMode gl11::glMatrixMode
#define glLoadIdentity gl11::glLoadIdentity
#define glPushMatrix gl11::glPushMatrix
#define glPopMatrix gl11::glPopMatrix
#define glTranslatef gl11::glTranslatef
#define glRotatef gl11::glRotatef
#define glScalef gl11::glScalef
#define glMultMatrixf gl11::glMultMatrixf
#define glOrtho gl11::glOrtho
#define gluPerspective gl11::gluPerspective
#define gluLookAt gl11::gluLookAt
#define glBegin gl11::glBegin
#define glEnd gl11::glEnd
#define glVertex2f gl11::glVertex2f
#define glVertex3f gl11::glVertex3f
#define glVertex3fv gl11::glVertex3fv
#define glColor4f gl11::glColor4f
#define glColor4fv gl11::glColor4fv
#define glNormal3f gl11::glNormal3f
#define glNormal3fv gl11::glNormal3fv
#define glTexCoord2f gl11::glTexCoord2f
#define glTexCoord4f gl11::glTexCoord4f
#define glEnableClientState gl11::glEnableClientState
#define glDisableClientState gl11::glDisableClientState
#define glInterleavedArrays gl11::glInterleavedArrays
#define glDrawArrays gl11::glDrawArrays
#define glLightfv gl11::glLightfv
#define glLightModelfv gl11::glLightModelfv
#define glMaterialfv gl11::glMaterialfv
#define glMaterialf gl11::glMaterialf
#define glColorMaterial gl11::glColorMaterial
#define glFogf gl11::glFogf
#define glFogi gl11::glFogi
#define glFogfv gl11::glFogfv
#define glTexEnvi gl11::glTexEnvi
#define glTexGeni gl11::glTexGeni
#define glGenTextures gl11::glGenTextures
#define glDeleteTextures gl11::glDeleteTextures
#define glBindTexture gl11::glBindTexture
#define glTexImage2D gl11::glTexImage2D
#define gluBuild2DMipmaps gl11::gluBuild2DMipmaps
#define glTexParameteri gl11::glTexParameteri
#define glCopyTexSubImage2D gl11::glCopyTexSubImage2D
#define glReadPixels gl11::glReadPixels
#define glGenQueries gl11::glGenQueries
#define glDeleteQueries gl11::glDeleteQueries
#define glBeginQuery gl11::glBeginQuery
#define glEndQuery gl11::glEndQuery
#define glGetQueryObjectuiv gl11::glGetQueryObjectuiv
#define glGenFramebuffers gl11::glGenFramebuffers
#define glDeleteFramebuffers gl11::glDeleteFramebuffers
#define glBindFramebuffer gl11::glBindFramebuffer
#define glCheckFramebufferStatus gl11::glCheckFramebufferStatus
#define glFramebufferRenderbuffer gl11::glFramebufferRenderbuffer
#define glGenRenderbuffers gl11::glGenRenderbuffers
#define glDeleteRenderbuffers gl11::glDeleteRenderbuffers
#define glBindRenderbuffer gl11::glBindRenderbuffer
#define glRenderbufferStorage gl11::glRenderbufferStorage
#define glBlitFramebuffer gl11::glBlitFramebuffer
