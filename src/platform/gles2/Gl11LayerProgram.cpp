// The one program the layer draws with: GL 1.1's per-vertex lighting (light 0, positional or not, a local
// viewer off), its two texture units (modulate, and the combiner's modulate with a scale), its fog per
// fragment, and the bitmap's mask.
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
uniform mat3 normalMatrix;
uniform bool lighting;
uniform bool light0;
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
varying vec4 shade;
varying vec2 uv0;
varying vec2 uv1;
varying float eyeDepth;

vec4 lit(vec4 eye) {
    vec3 n = normalMatrix * normal;  // not renormalised: GL 1.1 leaves that to GL_NORMALIZE
    vec4 c = materialEmission + materialAmbient * sceneAmbient;
    if (light0) {
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
    }
    return vec4(c.rgb, materialDiffuse.a);
}

void main() {
    vec4 eye = modelview * vec4(position, 1.0);
    gl_Position = mvp * vec4(position, 1.0);
    gl_PointSize = 1.0;
    eyeDepth = abs(eye.z);
    shade = clamp(lighting ? lit(eye) : colour, 0.0, 1.0);
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
uniform bool textureOn0;
uniform bool textureOn1;
uniform bool combine1;
uniform float rgbScale1;
uniform bool bitmapMask;
uniform bool fogOn;
uniform int fogMode;
uniform float fogDensity;
uniform float fogStart;
uniform float fogEnd;
uniform vec3 fogColour;
varying vec4 shade;
varying vec2 uv0;
varying vec2 uv1;
varying float eyeDepth;

void main() {
    vec4 c = shade;
    if (bitmapMask && texture2D(sampler0, uv0).a < 0.5) discard;
    if (textureOn0) c *= texture2D(sampler0, uv0);
    if (textureOn1) {
        vec4 t = texture2D(sampler1, uv1);
        c = vec4(clamp(c.rgb * t.rgb * rgbScale1, 0.0, 1.0), c.a * t.a);
    }
    if (fogOn) {
        float d = fogDensity * eyeDepth;
        float f = fogMode == 0 ? exp(-d) : fogMode == 1 ? exp(-d * d) : (fogEnd - eyeDepth) / (fogEnd - fogStart);
        c.rgb = mix(fogColour, c.rgb, clamp(f, 0.0, 1.0));
    }
    gl_FragColor = c;
}
)";

GLuint compile(const EsFunctions& es, GLenum kind, const char* source) {
    const GLuint shader = es.CreateShader(kind);
    es.ShaderSource(shader, 1, &source, nullptr);
    es.CompileShader(shader);
    GLint compiled = 0;
    es.GetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled) return shader;
    char log[1024] = "";
    es.GetShaderInfoLog(shader, sizeof log, nullptr, log);
    reportError(std::string("the OpenGL ES layer's shader did not compile: ") + log);
    return 0;
}

}  // namespace

bool buildProgram(LayerState& state) {
    const EsFunctions& es = state.es;
    const GLuint vertex = compile(es, GL_VERTEX_SHADER, vertexSource);
    const GLuint fragment = compile(es, GL_FRAGMENT_SHADER, fragmentSource);
    if (!vertex || !fragment) return false;
    ProgramPlaces& p = state.places;
    p.program = es.CreateProgram();
    es.AttachShader(p.program, vertex);
    es.AttachShader(p.program, fragment);
    const char* attributes[] = {"position", "normal", "colour", "texture0", "texture1"};
    for (GLuint i = 0; i < 5; ++i) es.BindAttribLocation(p.program, i, attributes[i]);
    es.LinkProgram(p.program);
    GLint linked = 0;
    es.GetProgramiv(p.program, GL_LINK_STATUS, &linked);
    if (!linked) {
        char log[1024] = "";
        es.GetProgramInfoLog(p.program, sizeof log, nullptr, log);
        reportError(std::string("the OpenGL ES layer's program did not link: ") + log);
        return false;
    }
    es.UseProgram(p.program);
    const auto place = [&](const char* name) { return es.GetUniformLocation(p.program, name); };
    p.mvp = place("mvp");
    p.modelview = place("modelview");
    p.normalMatrix = place("normalMatrix");
    p.lighting = place("lighting");
    p.light0 = place("light0");
    p.lightPosition = place("lightPosition");
    p.lightAmbient = place("lightAmbient");
    p.lightDiffuse = place("lightDiffuse");
    p.lightSpecular = place("lightSpecular");
    p.sceneAmbient = place("sceneAmbient");
    p.materialAmbient = place("materialAmbient");
    p.materialDiffuse = place("materialDiffuse");
    p.materialSpecular = place("materialSpecular");
    p.materialEmission = place("materialEmission");
    p.shininess = place("shininess");
    p.sampler[0] = place("sampler0");
    p.sampler[1] = place("sampler1");
    p.textureOn[0] = place("textureOn0");
    p.textureOn[1] = place("textureOn1");
    p.combine1 = place("combine1");
    p.rgbScale1 = place("rgbScale1");
    p.bitmapMask = place("bitmapMask");
    p.fogOn = place("fogOn");
    p.fogMode = place("fogMode");
    p.fogDensity = place("fogDensity");
    p.fogStart = place("fogStart");
    p.fogEnd = place("fogEnd");
    p.fogColour = place("fogColour");
    es.Uniform1i(p.sampler[0], 0);
    es.Uniform1i(p.sampler[1], 1);
    for (GLuint i = 0; i < 5; ++i) es.EnableVertexAttribArray(i);
    return true;
}

}  // namespace gles2
