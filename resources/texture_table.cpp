#include "resources/texture_table.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "base/gl.h"
#include "base/picture.h"
#include "resources/picture_queue.h"

namespace {

// Made before the first look-up: pictures and blur target exist from the start, the scenes'
// targets once createRenderTargets knows how many there are.
std::vector<std::unique_ptr<Texture>> textureTable;

void growTo(int32_t count) {
    while (static_cast<int32_t>(textureTable.size()) < count) {
        textureTable.push_back(std::make_unique<Texture>());
    }
}

}  // namespace

Texture& textureEntry(int32_t number) {
    growTo(std::max(number, kBlurTarget));
    return *textureTable[static_cast<size_t>(number - 1)];
}

int32_t textureCount() {
    growTo(kBlurTarget);
    return static_cast<int32_t>(textureTable.size());
}

void loadTextureTable(int32_t lastTarget) {
    // A picture that does not load leaves its entry at name 0: it draws with GL's default
    // texture, and the demo goes on.
    // The GL keeps its own copy of every picture, so ours is freed once uploaded.
    PictureQueue pictures(kPictureFiles);
    for (int32_t number = 1; number <= kImageTextureCount; ++number) {
        Texture& texture = textureEntry(number);
        texture.adopt(pictures.next());
        texture.upload(1, 0);
        texture.releasePixels();
    }
    createRenderTargets(lastTarget);
}

void createRenderTargets(int32_t lastTarget) {
    growTo(lastTarget);
    for (int32_t number = kBlurTarget; number <= lastTarget; ++number) {
        Texture& target = textureEntry(number);
        target.create(pictureLayout().targetSide, pictureLayout().targetSide, 4);
        target.upload(0, GL_RGBA);
        target.releasePixels();
    }
}

void releaseTextureTable() {
    for (const std::unique_ptr<Texture>& texture : textureTable) {
        texture->release();
    }
    textureTable.resize(static_cast<size_t>(kBlurTarget));
}
