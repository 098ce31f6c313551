// The layer's programs: GL 1.1's per-vertex lighting (light 0, positional or not, no local viewer), its two
// texture units (modulate, and the combiner's modulate with a scale), its fog per fragment, and the bitmap's
// mask, each compiled in only where a draw's state asks for it.
#include <string>

#include "common/Report.h"
#include "platform/gles2/Gl11LayerState.h"

namespace gles2 {
namespace {

const char* const vertexSource = R"(
attribute vec3 position;
attribute vec3 normal;
attribute vec4 colour;
attribute vec2 texture0;
attribute vec2 texture1;
uniform mat4 mvp;
uniform mat4 modelview;
uniform float fogDensity;
uniform float fogStart;
uniform float fogEnd;
varying vec4 shade;
varying vec2 uv0;
varying vec2 uv1;
varying float fogKept;
#if LIT
uniform mat3 normalMatrix;
uniform vec4 lightPosition;
uniform vec4 lightAmbient;
uniform vec4 lightDiffuse;
uniform vec4 lightSpecular;
uniform vec4 sceneAmbient;
uniform vec4 materialAmbient;
uniform vec4 materialDiffuse;
uniform vec4 materialSpecular;
uniform vec4 materialEmission;
uniform float shininess;

vec4 lit(vec4 eye) {
    vec3 n = normalMatrix * normal;  // not renormalised: GL 1.1 leaves that to GL_NORMALIZE
    vec4 c = materialEmission + materialAmbient * sceneAmbient;
#if LIGHT0
    vec3 l = lightPosition.w != 0.0 ? normalize(lightPosition.xyz / lightPosition.w - eye.xyz / eye.w)
                                    : normalize(lightPosition.xyz);
    float nl = dot(n, l);
    c += materialAmbient * lightAmbient;
    if (nl > 0.0) {
        c += nl * materialDiffuse * lightDiffuse;
        float nh = max(dot(n, normalize(l + vec3(0.0, 0.0, 1.0))), 0.0);
        float highlight = shininess == 0.0 ? 1.0 : pow(nh, shininess);
        c += highlight * materialSpecular * lightSpecular;
    }
#endif
    return vec4(c.rgb, materialDiffuse.a);
}
#endif

void main() {
    vec4 eye = modelview * vec4(position, 1.0);
    gl_Position = mvp * vec4(position, 1.0);
    gl_PointSize = 1.0;
    float eyeDepth = abs(eye.z);
#if EXP2_FOG
    float d = fogDensity * eyeDepth;
    fogKept = clamp(exp(-d * d), 0.0, 1.0);
#elif LINEAR_FOG
    fogKept = clamp((fogEnd - eyeDepth) / (fogEnd - fogStart), 0.0, 1.0);
#else
    fogKept = clamp(exp(-fogDensity * eyeDepth), 0.0, 1.0);
#endif
#if LIT
    shade = clamp(lit(eye), 0.0, 1.0);
#else
    shade = clamp(colour, 0.0, 1.0);
#endif
    uv0 = texture0;
    uv1 = texture1;
}
)";

const char* const fragmentSource = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D sampler0;
uniform sampler2D sampler1;
uniform float rgbScale1;
uniform vec3 fogColour;
varying vec4 shade;
varying vec2 uv0;
varying vec2 uv1;
varying float fogKept;

void main() {
    vec4 c = shade;
#if BITMAP
    if (texture2D(sampler0, uv0).a < 0.5) discard;
#endif
#if TEXTURE0
    c *= texture2D(sampler0, uv0);
#endif
#if TEXTURE1
    vec4 t = texture2D(sampler1, uv1);
#if COMBINE1
    c = vec4(clamp(c.rgb * t.rgb * rgbScale1, 0.0, 1.0), c.a * t.a);
#else
    c *= t;
#endif
#endif
#if FOG
    c.rgb = mix(fogColour, c.rgb, fogKept);
#endif
    gl_FragColor = c;
}
)";

const char* const uniformNames[uniformCount] = {
    "mvp",          "modelview",       "normalMatrix",    "lightPosition",    "lightAmbient",     "lightDiffuse",
    "lightSpecular", "sceneAmbient",   "materialAmbient", "materialDiffuse",  "materialSpecular", "materialEmission",
    "shininess",    "rgbScale1",       "fogDensity",      "fogStart",         "fogEnd",           "fogColour"};

std::string definitions(unsigned features) {
    const std::pair<unsigned, const char*> names[] = {
        {Feature::lit, "LIT"},         {Feature::light0, "LIGHT0"},      {Feature::texture0, "TEXTURE0"},
        {Feature::texture1, "TEXTURE1"}, {Feature::combine1, "COMBINE1"}, {Feature::fog, "FOG"},
        {Feature::exp2Fog, "EXP2_FOG"}, {Feature::linearFog, "LINEAR_FOG"}, {Feature::bitmap, "BITMAP"}};
    std::string text;
    for (const auto& [feature, name] : names)
        text += std::string("#define ") + name + ((features & feature) ? " 1\n" : " 0\n");
    return text;
}

GLuint compile(const EsFunctions& es, GLenum kind, const std::string& source) {
    const GLuint shader = es.CreateShader(kind);
    const char* text = source.c_str();
    es.ShaderSource(shader, 1, &text, nullptr);
    es.CompileShader(shader);
    GLint compiled = 0;
    es.GetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled) return shader;
    char log[1024] = "";
    es.GetShaderInfoLog(shader, sizeof log, nullptr, log);
    reportError(std::string("the OpenGL ES layer's shader did not compile: ") + log);
    return 0;
}

std::unique_ptr<Program> build(const EsFunctions& es, unsigned features) {
    const std::string defined = definitions(features);
    const GLuint vertex = compile(es, GL_VERTEX_SHADER, defined + vertexSource);
    const GLuint fragment = compile(es, GL_FRAGMENT_SHADER, defined + fragmentSource);
    if (!vertex || !fragment) return nullptr;
    auto program = std::make_unique<Program>();
    const GLuint name = program->name = es.CreateProgram();
    es.AttachShader(name, vertex);
    es.AttachShader(name, fragment);
    const char* attributes[] = {"position", "normal", "colour", "texture0", "texture1"};
    for (GLuint i = 0; i < 5; ++i) es.BindAttribLocation(name, i, attributes[i]);
    es.LinkProgram(name);
    GLint linked = 0;
    es.GetProgramiv(name, GL_LINK_STATUS, &linked);
    if (!linked) {
        char log[1024] = "";
        es.GetProgramInfoLog(name, sizeof log, nullptr, log);
        reportError(std::string("the OpenGL ES layer's program did not link: ") + log);
        return nullptr;
    }
    es.UseProgram(name);
    for (int u = 0; u < uniformCount; ++u) program->places[u] = es.GetUniformLocation(name, uniformNames[u]);
    es.Uniform1i(es.GetUniformLocation(name, "sampler0"), 0);
    es.Uniform1i(es.GetUniformLocation(name, "sampler1"), 1);
    return program;
}

}  // namespace

Program* programFor(unsigned features) {
    LayerState& s = layer();
    if (features >= s.programs.size()) s.programs.resize(features + 1);
    std::unique_ptr<Program>& program = s.programs[features];
    if (!program) {
        program = build(s.es, features);
        s.usedFeatures = ~0u;
        if (!program) program = std::make_unique<Program>();  // name 0: failed, and said, once
    }
    if (program->name == 0) return nullptr;
    if (s.usedFeatures != features) {
        s.es.UseProgram(program->name);
        s.usedFeatures = features;
    }
    return program.get();
}

}  // namespace gles2
