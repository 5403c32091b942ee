#include "resources/texture_table.h"

#include "render/gl.h"

namespace {

std::array<Texture, kTextureCount> textureTable;

}  // namespace

const std::array<const char*, kImageTextureCount> kTextureFiles = {
    "Textures/EnvX.png",       "Textures/EnvY.png",       "Textures/Sky.png",
    "Textures/Welcome.png",    "Textures/Particle.png",   "Textures/srcfilea.png",
    "Textures/srcfileb.png",   "Textures/lines.png",      "Textures/frame169.png",
    "Textures/theend.png",     "Textures/Text/and.png",   "Textures/Text/zentrox.png",
    "Textures/Text/rq73.png",  "Textures/Text/telun.png", "Textures/Text/present.png",
    "Textures/Text/morva.png",
};

Texture& textureEntry(int32_t number) {
    return textureTable[static_cast<size_t>(number - 1)];
}

void loadTextureTable() {
    // The pictures of entries 1..16 arrive with the image decoders; until then those entries
    // stay empty (name 0) and draw with GL's default texture.
    for (int32_t number = kBlurTarget; number <= kSoftfaceTarget; ++number) {
        Texture& target = textureEntry(number);
        target.create(kRenderTargetSize, kRenderTargetSize, 4);
        target.upload(0, GL_RGBA);
    }
}

void releaseTextureTable() {
    for (Texture& texture : textureTable) {
        texture.release();
    }
}
