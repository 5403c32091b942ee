#include "gl11/layer_context.h"

#include "gl11/vertex_pipeline.h"

#include <cassert>
#include <cstdio>

namespace {

constexpr size_t kAttributeStackDepth = 16;

Vector4 fourValues(const GLfloat* values) {
    return {values[0], values[1], values[2], values[3]};
}

void sendCapability(GLenum capability, bool on, bool& sent) {
    if (on != sent) {
        if (on) {
            glEnable(capability);
        } else {
            glDisable(capability);
        }
        sent = on;
    }
}

}  // namespace

void unsupported(const char* call, unsigned value) {
    std::fprintf(stderr, "gl11: %s does not implement 0x%04X\n", call, value);
    assert(!"a call outside the OpenGL 1.1 the layer implements");
}

LayerContext& layerContext() {
    static LayerContext context;
    return context;
}

LayerContext::LayerContext() {
    // OpenGL sets the viewport to the drawable's size when a context first becomes current.
    glGetIntegerv(GL_VIEWPORT, current.raster.viewport.data());
    sentRaster = current.raster;
}

void LayerContext::setCapability(GLenum capability, bool on) {
    RasterState& raster = current.raster;
    LightingState& lighting = current.lighting;
    TexturingState& texturing = current.texturing;
    if (capability >= GL_LIGHT0 && capability <= GL_LIGHT7) {
        lighting.lights[capability - GL_LIGHT0].enabled = on;
        return;
    }
    switch (capability) {
        case GL_BLEND:
            raster.blend = on;
            break;
        case GL_CULL_FACE:
            raster.cullFace = on;
            break;
        case GL_DEPTH_TEST:
            raster.depthTest = on;
            break;
        case GL_SCISSOR_TEST:
            raster.scissorTest = on;
            break;
        case GL_STENCIL_TEST:
            raster.stencilTest = on;
            break;
        case GL_POLYGON_OFFSET_FILL:
            raster.polygonOffsetFill = on;
            break;
        case GL_ALPHA_TEST:
            current.alphaTest = on;
            break;
        case GL_COLOR_MATERIAL:
            // The material takes the current colour at once, and follows it from then on.
            if (on && !lighting.colourMaterial) {
                writeColourMaterial(lighting.material, lighting.colourMaterialMode, current.colour);
            }
            lighting.colourMaterial = on;
            break;
        case GL_FOG:
            current.fog.enabled = on;
            break;
        case GL_LIGHTING:
            lighting.enabled = on;
            break;
        case GL_LINE_SMOOTH:
            current.lineSmooth = on;
            break;
        case GL_NORMALIZE:
            lighting.normalize = on;
            break;
        case GL_TEXTURE_2D:
            texturing.enabled = on;
            break;
        case GL_TEXTURE_GEN_S:
            texturing.generateS = on;
            break;
        case GL_TEXTURE_GEN_T:
            texturing.generateT = on;
            break;
        default:
            unsupported(on ? "glEnable" : "glDisable", capability);
            break;
    }
}

bool LayerContext::isEnabled(GLenum capability) const {
    const RasterState& raster = current.raster;
    const LightingState& lighting = current.lighting;
    const TexturingState& texturing = current.texturing;
    if (capability >= GL_LIGHT0 && capability <= GL_LIGHT7) {
        return lighting.lights[capability - GL_LIGHT0].enabled;
    }
    switch (capability) {
        case GL_BLEND:
            return raster.blend;
        case GL_CULL_FACE:
            return raster.cullFace;
        case GL_DEPTH_TEST:
            return raster.depthTest;
        case GL_SCISSOR_TEST:
            return raster.scissorTest;
        case GL_STENCIL_TEST:
            return raster.stencilTest;
        case GL_POLYGON_OFFSET_FILL:
            return raster.polygonOffsetFill;
        case GL_ALPHA_TEST:
            return current.alphaTest;
        case GL_COLOR_MATERIAL:
            return lighting.colourMaterial;
        case GL_FOG:
            return current.fog.enabled;
        case GL_LIGHTING:
            return lighting.enabled;
        case GL_LINE_SMOOTH:
            return current.lineSmooth;
        case GL_NORMALIZE:
            return lighting.normalize;
        case GL_TEXTURE_2D:
            return texturing.enabled;
        case GL_TEXTURE_GEN_S:
            return texturing.generateS;
        case GL_TEXTURE_GEN_T:
            return texturing.generateT;
        default:
            unsupported("glIsEnabled", capability);
            return false;
    }
}

void LayerContext::setPolygonMode(GLenum face, GLenum mode) {
    if (face != GL_FRONT_AND_BACK || (mode != GL_FILL && mode != GL_LINE)) {
        unsupported("glPolygonMode", face == GL_FRONT_AND_BACK ? mode : face);
        return;
    }
    current.polygonLines = mode == GL_LINE;
}

void LayerContext::setShadeModel(GLenum mode) {
    if (mode != GL_SMOOTH) {
        unsupported("glShadeModel", mode);
        return;
    }
    current.shadeModel = mode;
}

void LayerContext::setLight(GLenum light, GLenum name, const GLfloat* values) {
    if (light < GL_LIGHT0 || light > GL_LIGHT7) {
        unsupported("glLightfv", light);
        return;
    }
    LightState& target = current.lighting.lights[light - GL_LIGHT0];
    switch (name) {
        case GL_AMBIENT:
            target.ambient = fourValues(values);
            break;
        case GL_DIFFUSE:
            target.diffuse = fourValues(values);
            break;
        case GL_SPECULAR:
            target.specular = fourValues(values);
            break;
        // Kept in eye space: the model-view matrix of this moment carries it there.
        case GL_POSITION:
            target.position = modelView.top() * fourValues(values);
            break;
        default:
            unsupported("glLightfv", name);
            break;
    }
}

void LayerContext::setLightModel(GLenum name, const GLfloat* values) {
    if (name != GL_LIGHT_MODEL_AMBIENT) {
        unsupported("glLightModelfv", name);
        return;
    }
    current.lighting.modelAmbient = fourValues(values);
}

// Without two-sided lighting only the front material lights anything.
void LayerContext::setMaterial(GLenum face, GLenum name, const GLfloat* values) {
    if (face == GL_BACK) {
        return;
    }
    if (face != GL_FRONT && face != GL_FRONT_AND_BACK) {
        unsupported("glMaterialfv", face);
        return;
    }
    MaterialState& material = current.lighting.material;
    switch (name) {
        case GL_AMBIENT:
            material.ambient = fourValues(values);
            break;
        case GL_DIFFUSE:
            material.diffuse = fourValues(values);
            break;
        case GL_SPECULAR:
            material.specular = fourValues(values);
            break;
        case GL_EMISSION:
            material.emission = fourValues(values);
            break;
        case GL_SHININESS:
            material.shininess = values[0];
            break;
        case GL_AMBIENT_AND_DIFFUSE:
            material.ambient = fourValues(values);
            material.diffuse = fourValues(values);
            break;
        default:
            unsupported("glMaterialfv", name);
            break;
    }
}

void LayerContext::setColourMaterial(GLenum face, GLenum mode) {
    if (face != GL_FRONT && face != GL_FRONT_AND_BACK) {
        unsupported("glColorMaterial", face);
        return;
    }
    ColourMaterialMode& target = current.lighting.colourMaterialMode;
    switch (mode) {
        case GL_AMBIENT:
            target = ColourMaterialMode::Ambient;
            break;
        case GL_DIFFUSE:
            target = ColourMaterialMode::Diffuse;
            break;
        case GL_AMBIENT_AND_DIFFUSE:
            target = ColourMaterialMode::AmbientAndDiffuse;
            break;
        case GL_SPECULAR:
            target = ColourMaterialMode::Specular;
            break;
        case GL_EMISSION:
            target = ColourMaterialMode::Emission;
            break;
        default:
            unsupported("glColorMaterial", mode);
            break;
    }
}

void LayerContext::setFog(GLenum name, const GLfloat* values) {
    FogState& fog = current.fog;
    switch (name) {
        case GL_FOG_MODE: {
            const GLenum mode = static_cast<GLenum>(values[0]);
            if (mode == GL_LINEAR) {
                fog.mode = FogMode::Linear;
            } else if (mode == GL_EXP) {
                fog.mode = FogMode::Exp;
            } else if (mode == GL_EXP2) {
                fog.mode = FogMode::Exp2;
            } else {
                unsupported("glFog(GL_FOG_MODE)", mode);
            }
            break;
        }
        case GL_FOG_DENSITY:
            fog.density = values[0];
            break;
        case GL_FOG_START:
            fog.start = values[0];
            break;
        case GL_FOG_END:
            fog.end = values[0];
            break;
        case GL_FOG_COLOR:
            fog.colour = fourValues(values);
            break;
        default:
            unsupported("glFog", name);
            break;
    }
}

void LayerContext::setTextureEnv(GLenum target, GLenum name, GLint value) {
    if (target != GL_TEXTURE_ENV || name != GL_TEXTURE_ENV_MODE) {
        unsupported("glTexEnvi", name);
        return;
    }
    if (value == GL_MODULATE) {
        current.texturing.envMode = TextureEnvMode::Modulate;
    } else if (value == GL_REPLACE) {
        current.texturing.envMode = TextureEnvMode::Replace;
    } else {
        unsupported("glTexEnvi", static_cast<unsigned>(value));
    }
}

void LayerContext::setTexGen(GLenum coordinate, GLenum name, GLint value) {
    if ((coordinate != GL_S && coordinate != GL_T) || name != GL_TEXTURE_GEN_MODE ||
        (value != GL_SPHERE_MAP && value != GL_EYE_LINEAR)) {
        unsupported("glTexGeni", name == GL_TEXTURE_GEN_MODE ? static_cast<unsigned>(value) : name);
        return;
    }
    const TexGenMode mode = value == GL_SPHERE_MAP ? TexGenMode::SphereMap : TexGenMode::EyeLinear;
    (coordinate == GL_S ? current.texturing.modeS : current.texturing.modeT) = mode;
}

// A push past the stack's depth or a pop of an empty stack changes nothing, as OpenGL's
// overflow and underflow errors leave the state.
void LayerContext::pushAttributes(GLbitfield mask) {
    if (mask != GL_ALL_ATTRIB_BITS) {
        unsupported("glPushAttrib", mask);
        return;
    }
    if (attributeStack.size() < kAttributeStackDepth) {
        attributeStack.push_back(current);
    }
}

void LayerContext::popAttributes() {
    if (attributeStack.empty()) {
        return;
    }
    current = attributeStack.back();
    attributeStack.pop_back();
    immediate.colour(current.colour[0], current.colour[1], current.colour[2], current.colour[3]);
    immediate.normal(current.normal[0], current.normal[1], current.normal[2]);
    immediate.texCoord(current.texCoord[0], current.texCoord[1], current.texCoord[2],
                       current.texCoord[3]);
}

void LayerContext::pushClientAttributes(GLbitfield mask) {
    if (mask != GL_CLIENT_VERTEX_ARRAY_BIT) {
        unsupported("glPushClientAttrib", mask);
        return;
    }
    if (clientAttributeStack.size() < kAttributeStackDepth) {
        clientAttributeStack.push_back(clientArrays);
    }
}

void LayerContext::popClientAttributes() {
    if (!clientAttributeStack.empty()) {
        clientArrays = clientAttributeStack.back();
        clientAttributeStack.pop_back();
    }
}

void LayerContext::getFloats(GLenum name, GLfloat* values) const {
    const auto copy = [values](const auto& from) {
        for (size_t i = 0; i < from.size(); ++i) {
            values[i] = from[i];
        }
    };
    switch (name) {
        case GL_MODELVIEW_MATRIX:
            copy(modelView.top().m);
            break;
        case GL_PROJECTION_MATRIX:
            copy(projection.top().m);
            break;
        case GL_TEXTURE_MATRIX:
            copy(texture.top().m);
            break;
        case GL_CURRENT_COLOR:
            copy(current.colour);
            break;
        default:
            unsupported("glGetFloatv", name);
            break;
    }
}

void LayerContext::getIntegers(GLenum name, GLint* values) const {
    switch (name) {
        case GL_MAX_TEXTURE_SIZE:
        case GL_MAX_RENDERBUFFER_SIZE:
            glGetIntegerv(name, values);
            break;
        case GL_VIEWPORT:
            for (size_t i = 0; i < 4; ++i) {
                values[i] = current.raster.viewport[i];
            }
            break;
        case GL_MATRIX_MODE:
            values[0] = static_cast<GLint>(current.matrixMode);
            break;
        default:
            unsupported("glGetIntegerv", name);
            break;
    }
}

void LayerContext::setMatrixMode(GLenum mode) {
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) {
        unsupported("glMatrixMode", mode);
        return;
    }
    current.matrixMode = mode;
}

MatrixStack& LayerContext::matrices() {
    switch (current.matrixMode) {
        case GL_PROJECTION:
            return projection;
        case GL_TEXTURE:
            return texture;
        default:
            return modelView;
    }
}

void LayerContext::pushMatrix() {
    matrices().push();
}

void LayerContext::popMatrix() {
    matrices().pop();
}

void LayerContext::syncRasterState() {
    const RasterState& want = current.raster;
    RasterState& sent = sentRaster;
    if (want == sent) {
        return;
    }
    sendCapability(GL_BLEND, want.blend, sent.blend);
    sendCapability(GL_CULL_FACE, want.cullFace, sent.cullFace);
    sendCapability(GL_DEPTH_TEST, want.depthTest, sent.depthTest);
    sendCapability(GL_SCISSOR_TEST, want.scissorTest, sent.scissorTest);
    sendCapability(GL_STENCIL_TEST, want.stencilTest, sent.stencilTest);
    sendCapability(GL_POLYGON_OFFSET_FILL, want.polygonOffsetFill, sent.polygonOffsetFill);
    if (want.blendSource != sent.blendSource || want.blendDestination != sent.blendDestination) {
        glBlendFunc(want.blendSource, want.blendDestination);
    }
    if (want.depthFunc != sent.depthFunc) {
        glDepthFunc(want.depthFunc);
    }
    if (want.depthMask != sent.depthMask) {
        glDepthMask(want.depthMask ? GL_TRUE : GL_FALSE);
    }
    if (want.colourMask != sent.colourMask) {
        glColorMask(want.colourMask[0], want.colourMask[1], want.colourMask[2], want.colourMask[3]);
    }
    if (want.cullFaceMode != sent.cullFaceMode) {
        glCullFace(want.cullFaceMode);
    }
    if (want.frontFace != sent.frontFace) {
        glFrontFace(want.frontFace);
    }
    if (want.clearColour != sent.clearColour) {
        glClearColor(want.clearColour[0], want.clearColour[1], want.clearColour[2],
                     want.clearColour[3]);
    }
    if (want.clearDepth != sent.clearDepth) {
        glClearDepthf(want.clearDepth);
    }
    if (want.clearStencil != sent.clearStencil) {
        glClearStencil(want.clearStencil);
    }
    if (want.viewport != sent.viewport) {
        glViewport(want.viewport[0], want.viewport[1], want.viewport[2], want.viewport[3]);
    }
    if (want.boundTexture != sent.boundTexture) {
        glBindTexture(GL_TEXTURE_2D, want.boundTexture);
    }
    sent = want;
}

void LayerContext::clear(GLbitfield mask) {
    syncRasterState();
    glClear(mask);
}

void LayerContext::blitFramebuffer(GLint x0, GLint y0, GLint x1, GLint y1, GLint dx0, GLint dy0,
                                   GLint dx1, GLint dy1, GLbitfield mask, GLenum filter) {
    syncRasterState();  // the scissor test applies to a blit
    glBlitFramebuffer(x0, y0, x1, y1, dx0, dy0, dx1, dy1, mask, filter);
}

void LayerContext::setPixelStore(GLenum name, GLint value) {
    if (name == GL_UNPACK_ALIGNMENT) {
        unpackAlignment = value;
    } else if (name == GL_PACK_ALIGNMENT) {
        packAlignment = value;
    } else {
        unsupported("glPixelStorei", name);
        return;
    }
    glPixelStorei(name, value);
}

void LayerContext::beginQuery(GLenum target, GLuint query) {
    if (target != GL_SAMPLES_PASSED) {
        unsupported("glBeginQuery", target);
        return;
    }
    glBeginQuery(GL_ANY_SAMPLES_PASSED, query);
}

void LayerContext::endQuery(GLenum target) {
    if (target != GL_SAMPLES_PASSED) {
        unsupported("glEndQuery", target);
        return;
    }
    glEndQuery(GL_ANY_SAMPLES_PASSED);
}
