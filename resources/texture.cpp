#include "resources/texture.h"

#include <cstring>
#include <utility>

#include "base/gl.h"
#include "resources/image_loader.h"

Texture::~Texture() {
    release();
}

void Texture::release() {
    image.reset();
    if (id != 0) {
        glDeleteTextures(1, &id);
        id = 0;
    }
}

void Texture::releasePixels() {
    if (image) {
        image->releasePixels();
    }
}

bool Texture::load(const String& name) {
    return adopt(loadImage(name));
}

bool Texture::adopt(std::unique_ptr<Image> decoded) {
    release();
    image = std::move(decoded);
    return image != nullptr;
}

bool Texture::create(int32_t width, int32_t height, int32_t components) {
    release();
    image = std::make_unique<Image>();
    image->allocate(width, height, components);
    if (image->data) {
        std::memset(image->data, 0, static_cast<size_t>(image->byteCount()));
    }
    return true;
}

void Texture::upload(int32_t mode, uint32_t format) {
    if (!image || !image->data) {
        return;
    }
    GLint internalFormat = 0;
    if (image->components == 3) {
        internalFormat = GL_RGB;
    } else if (image->components == 4) {
        internalFormat = GL_RGBA;
    } else {
        return;
    }
    const GLenum pixelFormat = format == 0 ? static_cast<GLenum>(internalFormat) : format;
    // A picture wider or taller than this context's textures can be would upload as an
    // incomplete texture; it is left out like a picture that did not decode.
    GLint largestSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largestSide);
    if (image->width > largestSide || image->height > largestSide) {
        return;
    }

    // A second upload replaces the first rather than leaving its GL name behind.
    if (id != 0) {
        glDeleteTextures(1, &id);
        id = 0;
    }
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    // Rows are tightly packed whatever their width.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (mode == 0) {
        glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, image->width, image->height, 0, pixelFormat,
                     GL_UNSIGNED_BYTE, image->data);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    } else if (mode == 1) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, internalFormat, image->width, image->height, pixelFormat,
                          GL_UNSIGNED_BYTE, image->data);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    } else {
        glDeleteTextures(1, &id);
        id = 0;
        return;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

void Texture::bind() const {
    glBindTexture(GL_TEXTURE_2D, id);
}

void Texture::copyFromFramebuffer() {
    if (!image) {
        return;
    }
    glBindTexture(GL_TEXTURE_2D, id);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, image->width, image->height);
}
