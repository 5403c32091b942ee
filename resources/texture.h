#pragma once
// A picture and the GL texture made from it. The texture owns its image, which stays attached
// after upload: its size is the area that copyFromFramebuffer copies. Name 0 means no GL
// object yet; binding it binds GL's default texture.

#include <cstdint>
#include <memory>

#include "resources/image.h"
#include "resources/string.h"

class Texture {
public:
    Texture() = default;
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;
    ~Texture();

    // Drops the current image and GL name, then loads the picture file. False when no image
    // came back (unknown extension, missing file). Creates no GL object.
    bool load(const String& name);
    // Drops the current image and GL name, then takes `decoded` as the image: a picture
    // loaded elsewhere, or null for none. False for null.
    bool adopt(std::unique_ptr<Image> decoded);
    // A blank width x height image of `components` bytes per pixel, every byte 0.
    bool create(int32_t width, int32_t height, int32_t components);
    // Mode 0: one level, linear filtering. Mode 1: mipmapped. A format of 0 means the same as
    // the internal format, which is RGB for 3 components and RGBA for 4; other images are not
    // uploaded.
    void upload(int32_t mode, uint32_t format);
    void bind() const;
    // Copies the lower-left image-sized area of the current read buffer into level 0.
    void copyFromFramebuffer();
    // Drops the image and the GL name; the texture is empty again.
    void release();
    // Frees the image's pixels, which the GL holds a copy of once uploaded; the image's size
    // stays for copyFromFramebuffer and the component count for blending decisions.
    void releasePixels();

    const Image* picture() const { return image.get(); }
    Image* picture() { return image.get(); }
    uint32_t name() const { return id; }

private:
    std::unique_ptr<Image> image;
    uint32_t id = 0;
};
