#include "gl11/shader_pipeline.h"

#include <cstddef>
#include <cstdio>
#include <string>

namespace {

const char* const kVertexShader = R"(#version 300 es
layout(location = 0) in vec4 clipPosition;
layout(location = 1) in vec4 colour;
layout(location = 2) in vec4 texCoord;
layout(location = 3) in float fogCoord;
layout(location = 4) in vec4 lineEnds;
layout(location = 5) in vec2 lineShape;
out vec4 vColour;
out vec4 vTexCoord;
out float vFog;
flat out vec2 vLine;
flat out vec4 vLineEnds;
void main() {
    gl_Position = clipPosition;
    vColour = colour;
    vTexCoord = texCoord;
    vFog = fogCoord;
    vLine = lineShape;
    vLineEnds = lineEnds;
}
)";

// The switches a program is made with: TEXTURE_MODE 0 off, 1 modulate, 2 replace;
// TEXTURE_ALPHA; FOG_MODE 0 off, 1 linear, 2 exp, 3 exp2 (fogRange holds start, end and
// density); LINE_COVERAGE.
const char* const kFragmentShader = R"(
precision highp float;
uniform highp sampler2D image;
uniform vec3 fogRange;
uniform vec3 fogColour;
in vec4 vColour;
in vec4 vTexCoord;
in float vFog;
flat in vec2 vLine;
flat in vec4 vLineEnds;
out vec4 fragColour;

// The share of this pixel's square a line of the given half width covers, the square's
// distances to the line's axis and ends taken as a box filter.
float lineCoverage() {
    vec2 span = vLineEnds.zw - vLineEnds.xy;
    float len = length(span);
    vec2 along = span / len;
    vec2 p = gl_FragCoord.xy - vLineEnds.xy;
    float across = abs(dot(p, vec2(-along.y, along.x)));
    float onAxis = dot(p, along);
    return clamp(vLine.x + 0.5 - across, 0.0, 1.0) *
           clamp(min(onAxis, len - onAxis) + 0.5, 0.0, 1.0);
}

void main() {
    vec4 c = vColour;
#if TEXTURE_MODE != 0
    vec4 t = texture(image, vTexCoord.xy / vTexCoord.w);
#if TEXTURE_MODE == 1 && TEXTURE_ALPHA
    c = c * t;
#elif TEXTURE_MODE == 1
    c = vec4(c.rgb * t.rgb, c.a);
#elif TEXTURE_ALPHA
    c = t;
#else
    c = vec4(t.rgb, c.a);
#endif
#endif
#if FOG_MODE == 1
    float f = (fogRange.y - vFog) / (fogRange.y - fogRange.x);
#elif FOG_MODE == 2
    float f = exp(-fogRange.z * vFog);
#elif FOG_MODE == 3
    float e = fogRange.z * vFog;
    float f = exp(-e * e);
#endif
#if FOG_MODE != 0
    c.rgb = mix(fogColour, c.rgb, clamp(f, 0.0, 1.0));
#endif
#if LINE_COVERAGE
    float coverage = lineCoverage();
    if (coverage <= 0.0) {
        discard;
    }
    c.a *= coverage;
#endif
    fragColour = c;
}
)";

GLuint compile(GLenum kind, const std::string& source) {
    const GLuint shader = glCreateShader(kind);
    const char* const text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "gl11: the layer's shader does not compile: %s\n", log);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

int textureMode(TextureStage stage) {
    switch (stage) {
        case TextureStage::Off:
            return 0;
        case TextureStage::Modulate:
            return 1;
        case TextureStage::Replace:
            return 2;
    }
    return 0;
}

int fogMode(const FragmentSettings& settings) {
    if (!settings.fog.enabled) {
        return 0;
    }
    switch (settings.fog.mode) {
        case FogMode::Linear:
            return 1;
        case FogMode::Exp:
            return 2;
        case FogMode::Exp2:
            return 3;
    }
    return 0;
}

size_t programIndex(const FragmentSettings& settings) {
    const size_t texture = static_cast<size_t>(textureMode(settings.texture));
    const size_t alpha = settings.texture != TextureStage::Off && settings.textureHasAlpha;
    const size_t fog = static_cast<size_t>(fogMode(settings));
    return ((texture * 2 + alpha) * 4 + fog) * 2 + (settings.lineCoverage ? 1 : 0);
}

std::string fragmentSource(const FragmentSettings& settings) {
    const bool alpha = settings.texture != TextureStage::Off && settings.textureHasAlpha;
    return "#version 300 es\n#define TEXTURE_MODE " +
           std::to_string(textureMode(settings.texture)) + "\n#define TEXTURE_ALPHA " +
           (alpha ? "1" : "0") + "\n#define FOG_MODE " + std::to_string(fogMode(settings)) +
           "\n#define LINE_COVERAGE " + (settings.lineCoverage ? "1" : "0") + "\n" +
           kFragmentShader;
}

}  // namespace

bool ShaderPipeline::createBuffers() {
    vertexShader = compile(GL_VERTEX_SHADER, kVertexShader);
    if (vertexShader == 0) {
        return false;
    }
    glGenVertexArrays(1, &vertexArray);
    glGenBuffers(1, &vertexBuffer);
    glGenBuffers(1, &lineBuffer);
    glGenBuffers(1, &indexBuffer);
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    const GLsizei stride = sizeof(ShadedVertex);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(ShadedVertex, clip)));
    glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(ShadedVertex, colour)));
    glVertexAttribPointer(2, 4, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(ShadedVertex, texCoord)));
    glVertexAttribPointer(3, 1, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(ShadedVertex, fogCoord)));
    for (GLuint i = 0; i < 4; ++i) {
        glEnableVertexAttribArray(i);
    }
    glBindBuffer(GL_ARRAY_BUFFER, lineBuffer);
    glVertexAttribPointer(4, 4, GL_FLOAT, GL_FALSE, sizeof(LineAttributes),
                          reinterpret_cast<const void*>(offsetof(LineAttributes, ends)));
    glVertexAttribPointer(5, 2, GL_FLOAT, GL_FALSE, sizeof(LineAttributes),
                          reinterpret_cast<const void*>(offsetof(LineAttributes, halfWidth)));
    setLineArrays(false);
    return true;
}

ShaderPipeline::Program* ShaderPipeline::programFor(const FragmentSettings& settings) {
    Program& program = programs[programIndex(settings)];
    if (program.name != 0) {
        return &program;
    }
    const GLuint fragment = compile(GL_FRAGMENT_SHADER, fragmentSource(settings));
    if (fragment == 0) {
        return nullptr;
    }
    const GLuint name = glCreateProgram();
    glAttachShader(name, vertexShader);
    glAttachShader(name, fragment);
    glLinkProgram(name);
    glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(name, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        std::fprintf(stderr, "gl11: the layer's program does not link\n");
        glDeleteProgram(name);
        return nullptr;
    }
    program.name = name;
    program.fogRangeAt = glGetUniformLocation(name, "fogRange");
    program.fogColourAt = glGetUniformLocation(name, "fogColour");
    glUseProgram(name);
    used = name;
    glUniform1i(glGetUniformLocation(name, "image"), 0);
    program.sent = settings;
    sendFog(program, settings.fog);
    return &program;
}

void ShaderPipeline::setUniforms(Program& program, const FragmentSettings& settings) {
    if (used != program.name) {
        glUseProgram(program.name);
        used = program.name;
    }
    if (settings == program.sent) {
        return;
    }
    sendFog(program, settings.fog);
    program.sent = settings;
}

void ShaderPipeline::sendFog(const Program& program, const FogState& fog) {
    glUniform3f(program.fogRangeAt, fog.start, fog.end, fog.density);
    glUniform3f(program.fogColourAt, fog.colour[0], fog.colour[1], fog.colour[2]);
}

void ShaderPipeline::draw(const DrawBatch& batch, const FragmentSettings& given) {
    if (batch.vertices.empty() || failed) {
        return;
    }
    if (vertexShader == 0 && !createBuffers()) {
        failed = true;
        return;
    }
    FragmentSettings settings = given;
    settings.lineCoverage = !batch.lines.empty() && batch.lines.front().smooth > 0.0f;
    Program* const program = programFor(settings);
    if (program == nullptr) {
        failed = true;
        return;
    }
    setUniforms(*program, settings);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(batch.vertices.size() * sizeof(ShadedVertex)),
                 batch.vertices.data(), GL_STREAM_DRAW);
    const bool lines = !batch.lines.empty();
    if (lines) {
        glBindBuffer(GL_ARRAY_BUFFER, lineBuffer);
        glBufferData(GL_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(batch.lines.size() * sizeof(LineAttributes)),
                     batch.lines.data(), GL_STREAM_DRAW);
    }
    setLineArrays(lines);
    if (batch.indices.empty()) {
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(batch.vertices.size()));
        return;
    }
    glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(batch.indices.size() * sizeof(uint32_t)),
                 batch.indices.data(), GL_STREAM_DRAW);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(batch.indices.size()), GL_UNSIGNED_INT,
                   nullptr);
}

// Filled primitives take a line's attributes as constants that switch its coverage off.
void ShaderPipeline::setLineArrays(bool on) {
    if (on == lineArraysOn) {
        return;
    }
    if (on) {
        glEnableVertexAttribArray(4);
        glEnableVertexAttribArray(5);
    } else {
        glDisableVertexAttribArray(4);
        glDisableVertexAttribArray(5);
        glVertexAttrib4f(4, 0, 0, 0, 0);
        glVertexAttrib4f(5, 0, 0, 0, 0);
    }
    lineArraysOn = on;
}
