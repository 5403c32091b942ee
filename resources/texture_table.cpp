#include "resources/texture_table.h"

#include <array>

#include "base/gl.h"
#include "base/picture.h"
#include "resources/data_manifest.h"

namespace {

std::array<Texture, kTextureCount> textureTable;

}  // namespace

Texture& textureEntry(int32_t number) {
    return textureTable[static_cast<size_t>(number - 1)];
}

void loadTextureTable() {
    // A picture that does not load leaves its entry at name 0: it draws with GL's default
    // texture, and the demo goes on.
    // The GL keeps its own copy of every picture, so ours is freed once uploaded.
    for (int32_t number = 1; number <= kImageTextureCount; ++number) {
        Texture& texture = textureEntry(number);
        texture.load(kPictureFiles[static_cast<size_t>(number - 1)].name);
        texture.upload(1, 0);
        texture.releasePixels();
    }
    for (int32_t number = kBlurTarget; number <= kSoftfaceTarget; ++number) {
        Texture& target = textureEntry(number);
        target.create(pictureLayout().targetSide, pictureLayout().targetSide, 4);
        target.upload(0, GL_RGBA);
        target.releasePixels();
    }
}

void releaseTextureTable() {
    for (Texture& texture : textureTable) {
        texture.release();
    }
}
