// No picture depends on GL state left by an earlier frame: whole demo frames from the generated
// data tree, drawn once after a clean start and once after every piece of state a picture could
// read has been set to something else, are the same bytes.

#include "render/render_state.h"

#include <gtest/gtest.h>

#include <string>

#include "app/sys/offscreen_context.h"
#include "app/timeline.h"
#include "base/gl.h"
#include "resources/texture_table.h"
#include "tests/support/generated_tree.h"

namespace {

class RenderStateTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { enterGeneratedTree(context); }
    static void TearDownTestSuite() { leaveGeneratedTree(context); }

    // dt = 0 keeps the scenes' carried state where it is, so every frame at t shows one state.
    static std::vector<uint8_t> frameAt(float t) {
        runTimeline(demoTimeline(), t, 0.0f);
        return finished();
    }
    // The same frame with all state spoiled before each of its two passes.
    static std::vector<uint8_t> spoiledFrameAt(float t);
    static std::vector<uint8_t> finished() {
        context.swap();
        return context.readPixels();
    }

    static OffscreenContext context;
};

OffscreenContext RenderStateTest::context;

void dirtyCapabilities() {
    for (const GLenum capability :
         {GL_BLEND, GL_CULL_FACE, GL_FOG, GL_LIGHTING, GL_TEXTURE_2D, GL_TEXTURE_GEN_S,
          GL_TEXTURE_GEN_T, GL_COLOR_MATERIAL, GL_NORMALIZE, GL_LINE_SMOOTH, GL_ALPHA_TEST,
          GL_POLYGON_OFFSET_FILL, GL_SCISSOR_TEST, GL_STENCIL_TEST}) {
        glEnable(capability);
    }
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHT0);
    glAlphaFunc(GL_GREATER, 0.9f);
    glScissor(10, 10, 20, 20);
    glStencilFunc(GL_NEVER, 1, 0xFF);
    glPolygonOffset(4.0f, 4.0f);
}

void dirtyFragmentsAndRasterisation() {
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glDepthFunc(GL_ALWAYS);
    glDepthMask(GL_FALSE);
    glColorMask(GL_TRUE, GL_FALSE, GL_TRUE, GL_TRUE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glCullFace(GL_FRONT);
    glFrontFace(GL_CW);
    glLineWidth(5.0f);
    glShadeModel(GL_FLAT);
}

void dirtyTexturingFogAndLight() {
    textureEntry(kFrameOverlay).bind();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    const GLfloat odd[4] = {0.9f, 0.1f, 0.4f, 0.5f};
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, 0.0f);
    glFogf(GL_FOG_END, 0.5f);
    glFogfv(GL_FOG_COLOR, odd);
    glLightfv(GL_LIGHT0, GL_AMBIENT, odd);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, odd);
    glLightfv(GL_LIGHT0, GL_POSITION, odd);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, odd);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, odd);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 100.0f);
    glColorMaterial(GL_FRONT, GL_EMISSION);
}

void dirtyMatricesAndCurrentValues() {
    glMatrixMode(GL_PROJECTION);
    glRotatef(30.0f, 0.0f, 0.0f, 1.0f);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(0.3f, 0.2f, 0.1f);
    glMatrixMode(GL_TEXTURE);
    glScalef(3.0f, 2.0f, 1.0f);
    glColor4f(1.0f, 0.0f, 0.0f, 0.3f);
    glNormal3f(1.0f, 0.0f, 0.0f);
    glTexCoord4f(0.5f, 0.5f, 0.0f, 1.0f);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
}

void dirtyEverything() {
    dirtyCapabilities();
    dirtyFragmentsAndRasterisation();
    dirtyTexturingFogAndLight();
    dirtyMatricesAndCurrentValues();
}

std::vector<uint8_t> RenderStateTest::spoiledFrameAt(float t) {
    dirtyEverything();
    scenePass(demoTimeline(), t, 0.0f);
    dirtyEverything();
    composePass(demoTimeline(), t);
    return finished();
}

TEST_F(RenderStateTest, AFrameIsTheSameWhateverStateTheFrameBeforeLeft) {
    // One time in every span of the timeline, the transitions and the held picture included.
    for (const float t :
         {5.0f, 12.5f, 50.0f, 86.0f, 100.0f, 121.0f, 126.5f, 140.0f, 160.0f, 185.0f}) {
        setBaseRenderState();
        const std::vector<uint8_t> clean = frameAt(t);
        EXPECT_TRUE(spoiledFrameAt(t) == clean) << "demo time " << t;
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

}  // namespace
