// The layer's vertices: immediate mode, client arrays, and each block's way to ES.

#include <cstring>

#include "gl11/layer_context.h"

namespace {

// One element of a client array of floats, or `fallback` where the array is off.
Vector4 readArray(const ClientArray& array, GLint index, const Vector4& fallback) {
    if (!array.enabled || array.pointer == nullptr) {
        return fallback;
    }
    const GLsizei stride =
        array.stride != 0 ? array.stride : static_cast<GLsizei>(array.size * sizeof(float));
    const auto* bytes =
        static_cast<const unsigned char*>(array.pointer) + static_cast<ptrdiff_t>(index) * stride;
    Vector4 result = {0, 0, 0, 1};
    std::memcpy(result.data(), bytes, static_cast<size_t>(array.size) * sizeof(float));
    return result;
}

}  // namespace

void LayerContext::begin(GLenum mode) {
    if (!isPrimitiveMode(mode)) {
        unsupported("glBegin", mode);
        return;
    }
    immediate.begin(static_cast<PrimitiveMode>(mode));
}

void LayerContext::end() {
    if (immediate.end(block)) {
        drawVertices(block.mode, block.vertices);
    }
}

void LayerContext::vertex(float x, float y, float z) {
    immediate.vertex(x, y, z);
}

void LayerContext::colour(float red, float green, float blue, float alpha) {
    current.colour = {red, green, blue, alpha};
    immediate.colour(red, green, blue, alpha);
    if (current.lighting.colourMaterial) {
        writeColourMaterial(current.lighting.material, current.lighting.colourMaterialMode,
                            current.colour);
    }
}

void LayerContext::normal(float x, float y, float z) {
    current.normal = {x, y, z};
    immediate.normal(x, y, z);
}

void LayerContext::texCoord(float s, float t, float r, float q) {
    current.texCoord = {s, t, r, q};
    immediate.texCoord(s, t, r, q);
}

void LayerContext::setClientArray(GLenum array, bool on) {
    switch (array) {
        case GL_VERTEX_ARRAY:
            clientArrays.vertex.enabled = on;
            break;
        case GL_NORMAL_ARRAY:
            clientArrays.normal.enabled = on;
            break;
        case GL_COLOR_ARRAY:
            clientArrays.colour.enabled = on;
            break;
        case GL_TEXTURE_COORD_ARRAY:
            clientArrays.texCoord.enabled = on;
            break;
        default:
            unsupported(on ? "glEnableClientState" : "glDisableClientState", array);
            break;
    }
}

void LayerContext::interleavedArrays(GLenum format, GLsizei stride, const void* pointer) {
    if (format != GL_T2F_V3F) {
        unsupported("glInterleavedArrays", format);
        return;
    }
    const GLsizei step = stride != 0 ? stride : static_cast<GLsizei>(5 * sizeof(float));
    const auto* bytes = static_cast<const unsigned char*>(pointer);
    clientArrays.texCoord = {true, 2, step, bytes};
    clientArrays.vertex = {true, 3, step, bytes + 2 * sizeof(float)};
    clientArrays.colour.enabled = false;
    clientArrays.normal.enabled = false;
}

void LayerContext::drawArrays(GLenum mode, GLint first, GLsizei count) {
    if (!isPrimitiveMode(mode)) {
        unsupported("glDrawArrays", mode);
        return;
    }
    if (!clientArrays.vertex.enabled || first < 0 || count <= 0) {
        return;
    }
    std::vector<LayerVertex> vertices(static_cast<size_t>(count));
    const Vector4 normalFallback = {current.normal[0], current.normal[1], current.normal[2], 0};
    for (GLsizei i = 0; i < count; ++i) {
        LayerVertex& v = vertices[static_cast<size_t>(i)];
        v.position = readArray(clientArrays.vertex, first + i, {0, 0, 0, 1});
        v.colour = readArray(clientArrays.colour, first + i, current.colour);
        const Vector4 n = readArray(clientArrays.normal, first + i, normalFallback);
        v.normal = {n[0], n[1], n[2]};
        v.texCoord = readArray(clientArrays.texCoord, first + i, current.texCoord);
    }
    drawVertices(static_cast<PrimitiveMode>(mode), vertices);
}

VertexStage LayerContext::vertexStage() const {
    return {modelView.top(), projection.top(), texture.top(), &current.lighting,
            &current.texturing};
}

// OpenGL textures nothing with a texture that is not complete, where ES would sample black.
bool LayerContext::textureIsUsable() const {
    const auto found = textures.find(current.raster.boundTexture);
    if (found == textures.end()) {
        return false;
    }
    const TextureInfo& info = found->second;
    return info.hasImage && (!info.mipmapFilter || info.hasMipmaps);
}

FragmentSettings LayerContext::fragmentSettings() const {
    FragmentSettings settings;
    if (current.texturing.enabled && textureIsUsable()) {
        settings.texture = current.texturing.envMode == TextureEnvMode::Replace
                               ? TextureStage::Replace
                               : TextureStage::Modulate;
        settings.textureHasAlpha = textures.at(current.raster.boundTexture).hasAlpha;
    }
    settings.fog = current.fog;
    return settings;
}

// Triangles go to ES as they were given; every other mode through its indices, lines and
// outlines as the layer's quads.
void LayerContext::drawVertices(PrimitiveMode mode, const std::vector<LayerVertex>& vertices) {
    const PrimitiveKind kind = kindOf(mode);
    if (kind == PrimitiveKind::Points) {
        unsupported("points", static_cast<unsigned>(mode));
        return;
    }
    batch.vertices.clear();
    batch.lines.clear();
    batch.indices.clear();
    const bool asLines = kind == PrimitiveKind::Lines || current.polygonLines;
    if (!asLines) {
        shadeVertices(vertexStage(), vertices, batch.vertices);
        if (mode == PrimitiveMode::Triangles) {
            batch.vertices.resize(batch.vertices.size() / 3 * 3);
        } else {
            batch.indices = assemble(mode, static_cast<uint32_t>(batch.vertices.size()));
            if (batch.indices.empty()) {
                return;
            }
        }
    } else {
        shadeVertices(vertexStage(), vertices, shaded);
        addLines(mode, kind);
    }
    syncRasterState();
    // A line's quad faces whichever way its ends run; lines are never culled.
    const bool uncull = asLines && sentRaster.cullFace;
    if (uncull) {
        glDisable(GL_CULL_FACE);
    }
    pipeline.draw(batch, fragmentSettings());
    if (uncull) {
        glEnable(GL_CULL_FACE);
    }
}

void LayerContext::addLines(PrimitiveMode mode, PrimitiveKind kind) {
    const RasterState& raster = current.raster;
    const LineStyle line = {raster.viewport, current.lineWidth, current.lineSmooth};
    const uint32_t count = static_cast<uint32_t>(shaded.size());
    if (kind == PrimitiveKind::Lines) {
        const std::vector<uint32_t> ends = assemble(mode, count);
        for (size_t i = 0; i + 1 < ends.size(); i += 2) {
            addLine(batch, shaded[ends[i]], shaded[ends[i + 1]], line);
        }
        return;
    }
    const bool culls = raster.cullFace;
    const GLenum face = raster.cullFaceMode;
    const CullStyle cull = {culls && (face == GL_FRONT || face == GL_FRONT_AND_BACK),
                            culls && (face == GL_BACK || face == GL_FRONT_AND_BACK),
                            raster.frontFace == GL_CW};
    addPolygonOutlines(batch, shaded, polygonsOf(mode, count), line, cull);
}
