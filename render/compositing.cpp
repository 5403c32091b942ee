#include "render/compositing.h"

#include <array>
#include <cmath>
#include <numeric>
#include <utility>

#include "render/projection.h"
#include "base/random.h"
#include "base/gl.h"
#include "resources/texture.h"

namespace {

// The unit box's corners top-left, top-right, bottom-right, bottom-left, with s running from
// sLeft to sRight across and t from tTop down to tBottom.
void emitUnitQuad(float sLeft, float sRight, float tTop, float tBottom) {
    glBegin(GL_QUADS);
    {
        glTexCoord2f(sLeft, tTop);
        glVertex2f(0.0f, 0.0f);
        glTexCoord2f(sRight, tTop);
        glVertex2f(1.0f, 0.0f);
        glTexCoord2f(sRight, tBottom);
        glVertex2f(1.0f, 1.0f);
        glTexCoord2f(sLeft, tBottom);
        glVertex2f(0.0f, 1.0f);
    }
    glEnd();
}

// t = 1 at the top: the framebuffer's and the images' bottom row is row 0.
void emitFullScreenQuad() {
    emitUnitQuad(0.0f, 1.0f, 1.0f, 0.0f);
}

void emitUntexturedUnitQuad() {
    glBegin(GL_QUADS);
    {
        glVertex2f(0.0f, 0.0f);
        glVertex2f(1.0f, 0.0f);
        glVertex2f(1.0f, 1.0f);
        glVertex2f(0.0f, 1.0f);
    }
    glEnd();
}

// The set-up the overlays share, inside the caller's glPushAttrib.
void beginTexturedOverlay(const Texture& texture) {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    texture.bind();
}

// NOTE: texture parameters belong to the texture object, not to the attribute stack, so the
// wrap mode outlives the call. That is wanted: the overlays tile and scroll the texture.
void repeatBoundTexture() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

float tileAlpha(int32_t position, int32_t count) {
    if (position < count) {
        return 0.0f;
    }
    return position == count ? 0.5f : 1.0f;
}

// One tile of the grid, in a box of one unit per tile, showing its own part of the texture.
void emitTile(int32_t tile) {
    const float tileWidth = 0.0625f;        // 1/16 of the texture
    const float tileHeight = 0.083333336f;  // 1/12 of the texture
    const int32_t column = tile % kDissolveColumns;
    const int32_t row = tile / kDissolveColumns;
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

void drawZoomedQuad(float zoom, const Texture& texture) {
    const float half = 0.5f / zoom;  // half the visible width, in texture units
    const float lo = 0.5f - half;
    const float hi = 0.5f + half;
    setOrtho(viewport, 1, 1);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    texture.bind();
    emitUnitQuad(lo, hi, hi, lo);
    glPopAttrib();
}

namespace {

// NOTE: Mesa (seen on 22.3) forgets the saved current colour when another attribute push and
// pop happen inside an outer pair, so the layered draws put the caller's colour back by hand.
class CurrentColourKeeper {
public:
    CurrentColourKeeper() { glGetFloatv(GL_CURRENT_COLOR, colour.data()); }
    ~CurrentColourKeeper() { glColor4fv(colour.data()); }
    CurrentColourKeeper(const CurrentColourKeeper&) = delete;
    CurrentColourKeeper& operator=(const CurrentColourKeeper&) = delete;

private:
    std::array<float, 4> colour = {};
};

}  // namespace

void radialBlur(float amount, int32_t layers, const Texture& texture) {
    drawFullScreenQuad(texture);
    // NOTE: no layers means nothing to add; the step and the opacity would divide by zero.
    if (layers <= 0) {
        return;
    }
    const float step = amount / static_cast<float>(layers);
    const CurrentColourKeeper keeper;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f / static_cast<float>(layers));
    for (int32_t i = 0; i < layers; ++i) {
        drawZoomedQuad(static_cast<float>(i) * step + 1.0f, texture);
    }
    glPopAttrib();
}

void flash(float duration, float elapsed, float peak) {
    const float alpha = peak * std::sin(elapsed * (3.1415927f / duration));
    // NOTE: glPushMatrix saves whichever stack is current; setOrtho resets the model-view one,
    // and callers keep the model-view stack current, so that is the one saved.
    glPushMatrix();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    setOrtho(viewport, 1, 1);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    emitUntexturedUnitQuad();
    glPopAttrib();
    glPopMatrix();
}

void drawOverlay(const Texture& texture) {
    setOrtho(viewport, 1, 1);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    beginTexturedOverlay(texture);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    emitFullScreenQuad();
    glPopAttrib();
}

void blendOverlay(int32_t mode, float intensity, const Texture& texture) {
    setOrtho(viewport, 1, 1);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    beginTexturedOverlay(texture);
    if (mode == 0) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else if (mode == 1) {
        glBlendFunc(GL_ONE, GL_ONE);
    }
    glColor4f(intensity, intensity, intensity, intensity);
    repeatBoundTexture();
    emitFullScreenQuad();
    glPopAttrib();
}

void scrollOverlayLeft(float scroll, float intensity, const Texture& texture) {
    // A box two units wide: the unit quad covers the left half of the viewport.
    setOrtho(viewport, 2, 1);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    beginTexturedOverlay(texture);
    glBlendFunc(GL_ONE, GL_ONE);
    glColor4f(intensity, intensity, intensity, intensity);
    repeatBoundTexture();
    emitUnitQuad(0.0f, 1.0f, scroll + 1.0f, scroll);
    glPopAttrib();
}

void crossFade(float x, const Texture& from, const Texture& to) {
    const CurrentColourKeeper keeper;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f - x);
    drawFullScreenQuad(from);
    glColor4f(1.0f, 1.0f, 1.0f, x);
    drawFullScreenQuad(to);
    glPopAttrib();
}

DissolveOrder identityDissolveOrder() {
    DissolveOrder order;
    std::iota(order.begin(), order.end(), 0);
    return order;
}

DissolveOrder drawDissolveOrder() {
    DissolveOrder order = identityDissolveOrder();
    shuffleIndices(order.data(), kDissolveTiles);
    return order;
}

void tileDissolve(float x, const Texture& from, const Texture& to, const DissolveOrder& order) {
    const int32_t count = static_cast<int32_t>(x * 191.0f + 0.5f);

    drawFullScreenQuad(to);

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    setOrtho(viewport, kDissolveColumns, kDissolveRows);
    from.bind();
    glBegin(GL_QUADS);
    {
        for (int32_t position = 0; position < kDissolveTiles; ++position) {
            glColor4f(1.0f, 1.0f, 1.0f, tileAlpha(position, count));
            emitTile(order[static_cast<size_t>(position)]);
        }
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
