#pragma once
// The state of one OpenGL 1.1 context as the layer gives it on OpenGL ES 3.0: fixed-function
// state, the matrix stacks, the attribute stacks, immediate mode and client arrays, and what
// the layer knows of each texture object. State ES keeps too is sent to ES only when a draw,
// clear, blit or texture call needs it, so glPushAttrib/glPopAttrib cost no ES calls. One
// context serves the program, made on the first call, with ES 3.0 current from then on.

#include <GLES3/gl3.h>

#include <array>
#include <unordered_map>
#include <vector>

#include "gl11/desktop_enums.h"
#include "gl11/draw_batch.h"
#include "gl11/context_state.h"
#include "gl11/immediate_mode.h"
#include "gl11/matrix_stack.h"
#include "gl11/shader_pipeline.h"

struct TextureInfo {
    bool hasAlpha = false;
    bool hasImage = false;
    bool hasMipmaps = false;
    bool mipmapFilter = true;  // OpenGL's initial minification filter uses mipmaps
};

class LayerContext {
public:
    LayerContext();

    // Capabilities and fixed state.
    void setCapability(GLenum capability, bool on);
    bool isEnabled(GLenum capability) const;
    ContextState& state() { return current; }
    RasterState& raster() { return current.raster; }
    void setPolygonMode(GLenum face, GLenum mode);
    void setShadeModel(GLenum mode);
    void setLight(GLenum light, GLenum name, const GLfloat* values);
    void setLightModel(GLenum name, const GLfloat* values);
    void setMaterial(GLenum face, GLenum name, const GLfloat* values);
    void setColourMaterial(GLenum face, GLenum mode);
    void setFog(GLenum name, const GLfloat* values);
    void setTextureEnv(GLenum target, GLenum name, GLint value);
    void setTexGen(GLenum coordinate, GLenum name, GLint value);
    void pushAttributes(GLbitfield mask);
    void popAttributes();
    void pushClientAttributes(GLbitfield mask);
    void popClientAttributes();
    void getFloats(GLenum name, GLfloat* values) const;
    void getIntegers(GLenum name, GLint* values) const;

    // Matrices.
    void setMatrixMode(GLenum mode);
    MatrixStack& matrices();
    void loadMatrix(const Matrix4& matrix) { matrices().load(matrix); }
    void multiplyMatrix(const Matrix4& matrix) { matrices().multiply(matrix); }
    void pushMatrix();
    void popMatrix();

    // Vertices.
    void begin(GLenum mode);
    void end();
    void vertex(float x, float y, float z);
    void colour(float red, float green, float blue, float alpha);
    void normal(float x, float y, float z);
    void texCoord(float s, float t, float r, float q);
    void setClientArray(GLenum array, bool on);
    const ClientArrayState& clientState() const { return clientArrays; }
    void interleavedArrays(GLenum format, GLsizei stride, const void* pointer);
    void drawArrays(GLenum mode, GLint first, GLsizei count);

    // ES's own state, sent on first.
    void clear(GLbitfield mask);
    void blitFramebuffer(GLint x0, GLint y0, GLint x1, GLint y1, GLint dx0, GLint dy0, GLint dx1,
                         GLint dy1, GLbitfield mask, GLenum filter);
    void setPixelStore(GLenum name, GLint value);

    // Textures.
    void generateTextures(GLsizei count, GLuint* names);
    void deleteTextures(GLsizei count, const GLuint* names);
    void textureImage(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                      GLsizei height, GLint border, GLenum format, GLenum type, const void* pixels);
    GLint buildMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                       GLenum format, GLenum type, const void* pixels);
    void textureParameter(GLenum target, GLenum name, GLint value);
    void copyTextureSubImage(GLenum target, GLint level, GLint xOffset, GLint yOffset, GLint x,
                             GLint y, GLsizei width, GLsizei height);
    void readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                    void* pixels);

    // Occlusion queries: OpenGL's sample count read as ES's any-samples answer (0 or 1).
    void beginQuery(GLenum target, GLuint query);
    void endQuery(GLenum target);

private:
    void syncRasterState();
    void syncTextureBinding();
    void drawVertices(PrimitiveMode mode, const std::vector<LayerVertex>& vertices);
    void addLines(PrimitiveMode mode, PrimitiveKind kind);
    FragmentSettings fragmentSettings() const;
    VertexStage vertexStage() const;
    bool textureIsUsable() const;

    ContextState current;
    RasterState sentRaster;  // what ES holds
    bool rasterKnown = false;
    ClientArrayState clientArrays;
    std::vector<ContextState> attributeStack;
    std::vector<ClientArrayState> clientAttributeStack;
    MatrixStack modelView{32};
    MatrixStack projection{4};
    MatrixStack texture{4};
    ImmediateMode immediate;
    PrimitiveBatch block;  // the last glBegin/glEnd block's, its memory kept
    std::unordered_map<GLuint, TextureInfo> textures;
    GLint unpackAlignment = 4;
    GLint packAlignment = 4;
    ShaderPipeline pipeline;
    GLuint copyFramebuffer = 0;        // where copies into RGBA textures are blitted
    DrawBatch batch;                   // reused between draws, as is:
    std::vector<ShadedVertex> shaded;  // a block's vertices before they become lines
};

LayerContext& layerContext();

// A call or value outside what the layer implements: in a debug build an assertion naming it,
// in a release build the call is ignored; it never draws something else.
void unsupported(const char* call, unsigned value);
