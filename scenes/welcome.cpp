#include "scenes/welcome.h"

#include "render/projection.h"
#include "base/gl.h"
#include "resources/texture_table.h"

namespace {

// The box the picture is laid out in; it is stretched over whatever the viewport is.
constexpr int32_t kBoxWidth = 800;
constexpr int32_t kBoxHeight = 450;

void emitPicture() {
    const float right = static_cast<float>(kBoxWidth);
    const float bottom = static_cast<float>(kBoxHeight);
    glBegin(GL_QUADS);
    {
        glTexCoord2f(0.0f, 1.0f);
        glVertex2f(0.0f, 0.0f);
        glTexCoord2f(1.0f, 1.0f);
        glVertex2f(right, 0.0f);
        glTexCoord2f(1.0f, 0.0f);
        glVertex2f(right, bottom);
        glTexCoord2f(0.0f, 0.0f);
        glVertex2f(0.0f, bottom);
    }
    glEnd();
}

}  // namespace

void EWelcome::draw(float, float) const {
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    setOrtho(viewport, kBoxWidth, kBoxHeight);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    textureEntry(kWelcomePicture).bind();
    emitPicture();
    glPopAttrib();
}

// The credit words have pictures in the texture table but no frame shows them, so the scene
// reads nothing of its own.
void EWelcome::load() {}
