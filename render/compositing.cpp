#include "render/compositing.h"

#include <array>
#include <numeric>

#include "app/projection.h"
#include "app/random.h"
#include "render/gl.h"
#include "resources/texture.h"

namespace {

constexpr int32_t kTileColumns = 16;
constexpr int32_t kTileRows = 12;
constexpr int32_t kTileCount = kTileColumns * kTileRows;

// The vanishing order of the dissolve's tiles, drawn once per run.
std::array<int32_t, kTileCount> tileOrder;
bool tileOrderBuilt = false;

void emitFullScreenQuad() {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(1.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, 1.0f);
    glEnd();
}

float tileAlpha(int32_t position, int32_t count) {
    if (position < count) {
        return 0.0f;
    }
    return position == count ? 0.5f : 1.0f;
}

void emitTile(int32_t tile) {
    const float tileWidth = 0.0625f;        // 1/16 of the texture
    const float tileHeight = 0.083333336f;  // 1/12 of the texture
    const int32_t column = tile % kTileColumns;
    const int32_t row = tile / kTileColumns;
    const float s0 = static_cast<float>(column) * tileWidth;
    const float s1 = s0 + tileWidth;
    const float tBottom = 1.0f - static_cast<float>(row) * tileHeight - tileHeight;
    const float tTop = tBottom + tileHeight;
    const float x0 = static_cast<float>(column);
    const float y0 = static_cast<float>(row);
    glTexCoord2f(s0, tTop);
    glVertex2f(x0, y0);
    glTexCoord2f(s1, tTop);
    glVertex2f(x0 + 1.0f, y0);
    glTexCoord2f(s1, tBottom);
    glVertex2f(x0 + 1.0f, y0 + 1.0f);
    glTexCoord2f(s0, tBottom);
    glVertex2f(x0, y0 + 1.0f);
}

}  // namespace

void drawFullScreenQuad(const Texture& texture) {
    setOrtho(viewport, 1, 1);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    texture.bind();
    emitFullScreenQuad();
    glPopAttrib();
}

void crossFade(float x, const Texture& from, const Texture& to) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f - x);
    drawFullScreenQuad(from);
    glColor4f(1.0f, 1.0f, 1.0f, x);
    drawFullScreenQuad(to);
    glPopAttrib();
}

void tileDissolve(float x, const Texture& from, const Texture& to) {
    if (!tileOrderBuilt) {
        std::iota(tileOrder.begin(), tileOrder.end(), 0);
        shuffleIndices(tileOrder.data(), kTileCount);
        tileOrderBuilt = true;
    }
    const int32_t count = static_cast<int32_t>(x * 191.0f + 0.5f);

    drawFullScreenQuad(to);

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    setOrtho(viewport, kTileColumns, kTileRows);
    from.bind();
    glBegin(GL_QUADS);
    for (int32_t position = 0; position < kTileCount; ++position) {
        glColor4f(1.0f, 1.0f, 1.0f, tileAlpha(position, count));
        emitTile(tileOrder[static_cast<size_t>(position)]);
    }
    glEnd();
    glPopAttrib();
}

int32_t randomIndex(int32_t count) {
    int32_t r = 0;
    do {
        r = nextRandom();
    } while (r == 0);
    const int32_t index = static_cast<int32_t>(r / 32767.0 * (count - 1) + 0.5);
    return index >= count ? count - 1 : index;
}

void shuffleIndices(int32_t* values, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        const int32_t first = randomIndex(count);
        const int32_t second = randomIndex(count);
        std::swap(values[first], values[second]);
    }
}
