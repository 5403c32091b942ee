#include "render/framebuffer.h"

#include <algorithm>
#include <cstring>

#include "base/gl.h"

bool Framebuffer::create(int32_t width, int32_t height) {
    destroy();
    glGenRenderbuffers(1, &colourBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, colourBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGB8, width, height);
    glGenRenderbuffers(1, &depthStencilBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, depthStencilBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);

    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colourBuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              depthStencilBuffer);
    surfaceWidth = width;
    surfaceHeight = height;
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        destroy();
        return false;
    }
    return true;
}

void Framebuffer::destroy() {
    if (framebuffer != 0) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer);
    }
    if (colourBuffer != 0) {
        glDeleteRenderbuffers(1, &colourBuffer);
    }
    if (depthStencilBuffer != 0) {
        glDeleteRenderbuffers(1, &depthStencilBuffer);
    }
    framebuffer = colourBuffer = depthStencilBuffer = 0;
    surfaceWidth = surfaceHeight = 0;
}

void Framebuffer::bind() const {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

void Framebuffer::blitTo(uint32_t target, int32_t targetWidth, int32_t targetHeight) const {
    const Rectangle area = letterbox(surfaceWidth, surfaceHeight, targetWidth, targetHeight);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, targetWidth, targetHeight);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glBlitFramebuffer(0, 0, surfaceWidth, surfaceHeight, area.x, area.y, area.x + area.width,
                      area.y + area.height, GL_COLOR_BUFFER_BIT, GL_LINEAR);
    glPopAttrib();
    bind();
}

std::vector<uint8_t> Framebuffer::readPixels() const {
    const size_t rowBytes = static_cast<size_t>(surfaceWidth) * 3;
    std::vector<uint8_t> bottomUp(rowBytes * static_cast<size_t>(surfaceHeight));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, surfaceWidth, surfaceHeight, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<uint8_t> topDown(bottomUp.size());
    for (int32_t row = 0; row < surfaceHeight; ++row) {
        std::memcpy(&topDown[static_cast<size_t>(row) * rowBytes],
                    &bottomUp[static_cast<size_t>(surfaceHeight - 1 - row) * rowBytes], rowBytes);
    }
    return topDown;
}

void Framebuffer::finish() const {
    glFlush();
    glFinish();
}

int32_t Framebuffer::largestSide() {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    return largest;
}
