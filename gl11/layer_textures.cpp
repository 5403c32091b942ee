// The layer's textures and pixels: what it must know of each texture object to texture as
// OpenGL does, GLU's mipmaps, and the RGB reads ES cannot do itself.

#include <cstring>
#include <vector>

#include "gl11/layer_context.h"
#include "gl11/mipmap_builder.h"

namespace {

int32_t componentsOf(GLint format) {
    switch (format) {
        case 3:
        case GL_RGB:
            return 3;
        case 4:
        case GL_RGBA:
            return 4;
        default:
            return 0;
    }
}

size_t rowBytes(int32_t width, int32_t components, GLint alignment) {
    const size_t packed = static_cast<size_t>(width) * static_cast<size_t>(components);
    const size_t align = alignment > 0 ? static_cast<size_t>(alignment) : 1;
    return (packed + align - 1) / align * align;
}

// The pixels as tight rows of `toComponents` each: ES takes an unsized format only with
// pixels of that format, where OpenGL converts (an RGBA picture into an RGB texture drops
// alpha; an RGB picture into an RGBA texture gains an opaque one).
std::vector<uint8_t> tightPixels(const void* pixels, int32_t width, int32_t height,
                                 int32_t fromComponents, int32_t toComponents, GLint alignment) {
    std::vector<uint8_t> result(static_cast<size_t>(width) * static_cast<size_t>(height) *
                                static_cast<size_t>(toComponents));
    const auto* source = static_cast<const uint8_t*>(pixels);
    const size_t stride = rowBytes(width, fromComponents, alignment);
    size_t out = 0;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = source + static_cast<size_t>(y) * stride;
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t* pixel =
                row + static_cast<size_t>(x) * static_cast<size_t>(fromComponents);
            for (int32_t c = 0; c < toComponents; ++c) {
                result[out++] = c < fromComponents ? pixel[c] : 255;
            }
        }
    }
    return result;
}

GLenum unsizedFormat(int32_t components) {
    return components == 4 ? GL_RGBA : GL_RGB;
}

}  // namespace

void LayerContext::generateTextures(GLsizei count, GLuint* names) {
    glGenTextures(count, names);
    for (GLsizei i = 0; i < count; ++i) {
        textures[names[i]] = TextureInfo{};
    }
}

void LayerContext::deleteTextures(GLsizei count, const GLuint* names) {
    glDeleteTextures(count, names);
    for (GLsizei i = 0; i < count; ++i) {
        textures.erase(names[i]);
        // ES, like OpenGL, binds nothing in place of a deleted bound texture.
        if (current.raster.boundTexture == names[i]) {
            current.raster.boundTexture = 0;
        }
        if (sentRaster.boundTexture == names[i]) {
            sentRaster.boundTexture = 0;
        }
    }
}

void LayerContext::textureImage(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                                GLsizei height, GLint border, GLenum format, GLenum type,
                                const void* pixels) {
    const int32_t components = componentsOf(internalFormat);
    const int32_t given = componentsOf(static_cast<GLint>(format));
    if (target != GL_TEXTURE_2D || border != 0 || type != GL_UNSIGNED_BYTE || components == 0 ||
        given == 0) {
        unsupported("glTexImage2D",
                    components == 0 ? static_cast<unsigned>(internalFormat) : format);
        return;
    }
    syncRasterState();
    const GLenum esFormat = unsizedFormat(components);
    if (pixels != nullptr && (given != components || unpackAlignment != 1)) {
        const std::vector<uint8_t> tight =
            tightPixels(pixels, width, height, given, components, unpackAlignment);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(target, level, static_cast<GLint>(esFormat), width, height, 0, esFormat,
                     GL_UNSIGNED_BYTE, tight.data());
        glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
    } else {
        glTexImage2D(target, level, static_cast<GLint>(esFormat), width, height, 0, esFormat,
                     GL_UNSIGNED_BYTE, pixels);
    }
    const auto found = textures.find(current.raster.boundTexture);
    if (found != textures.end() && level == 0) {
        found->second.hasImage = width > 0 && height > 0;
        found->second.hasAlpha = components == 4;
        found->second.hasMipmaps = width == 1 && height == 1;
    }
}

GLint LayerContext::buildMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                                 GLenum format, GLenum type, const void* pixels) {
    const int32_t components = componentsOf(internalFormat);
    const int32_t given = componentsOf(static_cast<GLint>(format));
    if (target != GL_TEXTURE_2D || type != GL_UNSIGNED_BYTE || components == 0 || given == 0) {
        unsupported("gluBuild2DMipmaps", format);
        return GL_INVALID_ENUM;
    }
    if (width < 1 || height < 1 || pixels == nullptr) {
        return GL_INVALID_VALUE;
    }
    GLint largestSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largestSide);
    const std::vector<uint8_t> tight =
        tightPixels(pixels, width, height, given, components, unpackAlignment);
    const std::vector<MipLevel> levels =
        ::buildMipmaps(components, width, height, tight.data(), largestSide);
    if (levels.empty()) {
        return GL_INVALID_VALUE;
    }
    syncRasterState();
    const GLenum esFormat = unsizedFormat(components);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (size_t level = 0; level < levels.size(); ++level) {
        const MipLevel& mip = levels[level];
        glTexImage2D(target, static_cast<GLint>(level), static_cast<GLint>(esFormat), mip.width,
                     mip.height, 0, esFormat, GL_UNSIGNED_BYTE, mip.pixels.data());
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
    const auto found = textures.find(current.raster.boundTexture);
    if (found != textures.end()) {
        found->second.hasImage = true;
        found->second.hasAlpha = components == 4;
        found->second.hasMipmaps = true;
    }
    return 0;
}

void LayerContext::textureParameter(GLenum target, GLenum name, GLint value) {
    syncRasterState();
    glTexParameteri(target, name, value);
    const auto found = textures.find(current.raster.boundTexture);
    if (found != textures.end() && name == GL_TEXTURE_MIN_FILTER) {
        found->second.mipmapFilter = value != GL_NEAREST && value != GL_LINEAR;
    }
}

// NOTE: ES copies into a texture only what the framebuffer has: an RGBA texture cannot take
// the drawing surface's RGB pixels, where OpenGL fills in an opaque alpha. A blit into the
// texture converts as OpenGL's copy does.
void LayerContext::copyTextureSubImage(GLenum target, GLint level, GLint xOffset, GLint yOffset,
                                       GLint x, GLint y, GLsizei width, GLsizei height) {
    syncRasterState();
    const auto found = textures.find(current.raster.boundTexture);
    if (target != GL_TEXTURE_2D || found == textures.end() || !found->second.hasAlpha) {
        glCopyTexSubImage2D(target, level, xOffset, yOffset, x, y, width, height);
        return;
    }
    GLint reading = 0;
    GLint drawing = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &reading);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawing);
    if (copyFramebuffer == 0) {
        glGenFramebuffers(1, &copyFramebuffer);
    }
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, copyFramebuffer);
    glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                           current.raster.boundTexture, level);
    // A blit is scissored, a copy is not.
    if (sentRaster.scissorTest) {
        glDisable(GL_SCISSOR_TEST);
    }
    glBlitFramebuffer(x, y, x + width, y + height, xOffset, yOffset, xOffset + width,
                      yOffset + height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    if (sentRaster.scissorTest) {
        glEnable(GL_SCISSOR_TEST);
    }
    glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(reading));
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawing));
}

// ES reads RGBA bytes; OpenGL's RGB read drops alpha, each row padded to the pack alignment.
void LayerContext::readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                              GLenum type, void* pixels) {
    if (type != GL_UNSIGNED_BYTE || (format != GL_RGB && format != GL_RGBA)) {
        unsupported("glReadPixels", format);
        return;
    }
    if (format == GL_RGBA || width <= 0 || height <= 0) {
        glReadPixels(x, y, width, height, format, type, pixels);
        return;
    }
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    const size_t stride = rowBytes(width, 3, packAlignment);
    auto* out = static_cast<uint8_t*>(pixels);
    for (GLsizei row = 0; row < height; ++row) {
        const uint8_t* source =
            rgba.data() + static_cast<size_t>(row) * static_cast<size_t>(width) * 4;
        uint8_t* target = out + static_cast<size_t>(row) * stride;
        for (GLsizei i = 0; i < width; ++i) {
            std::memcpy(target + static_cast<size_t>(i) * 3, source + static_cast<size_t>(i) * 4,
                        3);
        }
    }
}
