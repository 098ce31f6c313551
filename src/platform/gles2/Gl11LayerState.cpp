// The layer's state calls: enables, matrices, lights, materials, fog, textures, buffers and the attribute stacks.
// Each keeps GL 1.1's meaning; what ES 2.0 has itself is passed on, the rest is the program's uniforms.
#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "common/Report.h"
#include "platform/gles2/Gl11Layer.h"
#include "platform/gles2/Gl11LayerBatch.h"

namespace gles2 {

LayerState& layer() {
    static LayerState state;
    return state;
}

Matrix4& currentMatrix() {
    LayerState& s = layer();
    return s.matrixMode == GL_PROJECTION ? s.projection.back() : s.modelview.back();
}

void recordError(GLenum error) {
    if (layer().error == GL_NO_ERROR) layer().error = error;
}

void unsupported(const char* what) {
    recordError(GL_INVALID_ENUM);
    static std::set<std::string> said;
    if (said.insert(what).second) reportError(std::string("the OpenGL ES layer has no ") + what);
}

namespace {

// The enable a capability names, or nullptr for one the layer does not keep.
bool* enableFor(GLenum capability) {
    LayerState& s = layer();
    switch (capability) {
        case GL_LIGHTING: return &s.enables.lighting;
        case GL_LIGHT0: return &s.enables.light0;
        case GL_FOG: return &s.enables.fog;
        case GL_TEXTURE_2D: return &s.enables.texture[s.activeUnit];
        case GL_BLEND: return &s.colour.blend;
        case GL_DEPTH_TEST: return &s.depth.test;
        case GL_CULL_FACE: return &s.enables.cullFace;
        default: return nullptr;
    }
}

void setEnable(GLenum capability, bool on) {
    bool* flag = enableFor(capability);
    if (!flag) return unsupported("such capability to enable");
    if (capability == GL_BLEND || capability == GL_DEPTH_TEST || capability == GL_CULL_FACE) {
        if (*flag != on) flushBatch();  // ES's own state: what waits was drawn with the old
        (on ? layer().es.Enable : layer().es.Disable)(capability);
    }
    *flag = on;
}

void copy4(float* to, const GLfloat* from) { std::copy(from, from + 4, to); }

void pushMatrix(std::vector<Matrix4>& stack, size_t depth) {
    if (stack.size() >= depth) return recordError(GL_STACK_OVERFLOW);
    stack.push_back(stack.back());
}

void popMatrix(std::vector<Matrix4>& stack) {
    if (stack.size() <= 1) return recordError(GL_STACK_UNDERFLOW);
    stack.pop_back();
}

}  // namespace

// Puts ES's own state back to what the layer holds (after the attribute stack restores it).
void applyFixedState() {
    flushBatch();
    LayerState& s = layer();
    for (auto [capability, on] : {std::pair{GLenum(GL_BLEND), s.colour.blend},
                                  {GL_DEPTH_TEST, s.depth.test},
                                  {GL_CULL_FACE, s.enables.cullFace}})
        (on ? s.es.Enable : s.es.Disable)(capability);
    s.es.BlendFunc(s.colour.blendSource, s.colour.blendDestination);
    s.es.ColorMask(s.colour.mask[0], s.colour.mask[1], s.colour.mask[2], s.colour.mask[3]);
    s.es.ClearColor(s.colour.clear[0], s.colour.clear[1], s.colour.clear[2], s.colour.clear[3]);
    s.es.DepthFunc(s.depth.function);
    s.es.DepthMask(s.depth.mask);
    s.es.ClearDepthf(s.depth.clear);
}

void activeTexture(GLenum unit) {
    const int index = int(unit) - GL_TEXTURE0_ARB;
    if (index < 0 || index >= textureUnits) return recordError(GL_INVALID_ENUM);
    layer().activeUnit = index;
    layer().es.ActiveTexture(unit);
}

void clientActiveTexture(GLenum unit) {
    const int index = int(unit) - GL_TEXTURE0_ARB;
    if (index < 0 || index >= textureUnits) return recordError(GL_INVALID_ENUM);
    layer().arrays.clientActiveUnit = index;
}

}  // namespace gles2

using namespace gles2;

void GLAPIENTRY glEnable(GLenum capability) { setEnable(capability, true); }
void GLAPIENTRY glDisable(GLenum capability) { setEnable(capability, false); }

void GLAPIENTRY glMatrixMode(GLenum mode) {
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION) return unsupported("texture or colour matrix");
    layer().matrixMode = mode;
}
void GLAPIENTRY glLoadIdentity() { currentMatrix() = Matrix4{}; }
void GLAPIENTRY glPushMatrix() {
    LayerState& s = layer();
    if (s.matrixMode == GL_PROJECTION)
        pushMatrix(s.projection, projectionStackDepth);
    else
        pushMatrix(s.modelview, matrixStackDepth);
}
void GLAPIENTRY glPopMatrix() {
    popMatrix(layer().matrixMode == GL_PROJECTION ? layer().projection : layer().modelview);
}
void GLAPIENTRY glTranslatef(GLfloat x, GLfloat y, GLfloat z) { currentMatrix().translate(x, y, z); }
void GLAPIENTRY glScalef(GLfloat x, GLfloat y, GLfloat z) { currentMatrix().scale(x, y, z); }
void GLAPIENTRY glRotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z) {
    currentMatrix().rotate(degrees, x, y, z);
}
void GLAPIENTRY gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    currentMatrix().perspective(fovy, aspect, zNear, zFar);
}
void GLAPIENTRY gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY,
                          GLdouble centreZ, GLdouble upX, GLdouble upY, GLdouble upZ) {
    currentMatrix().lookAt(eyeX, eyeY, eyeZ, centreX, centreY, centreZ, upX, upY, upZ);
}

void GLAPIENTRY glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    if (width < 0 || height < 0) return recordError(GL_INVALID_VALUE);
    LayerState& s = layer();
    flushBatch();
    const GLint v[4] = {x, y, width, height};
    std::copy(v, v + 4, s.viewport);
    s.es.Viewport(x, y, width, height);
}

void GLAPIENTRY glShadeModel(GLenum mode) {
    if (mode != GL_SMOOTH) unsupported("flat shading");
}
void GLAPIENTRY glHint(GLenum, GLenum) {}  // ES interpolates in perspective always: the nicest there is
void GLAPIENTRY glClearColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    const GLfloat c[4] = {r, g, b, a};
    for (int i = 0; i < 4; ++i) layer().colour.clear[i] = std::clamp(c[i], 0.0f, 1.0f);
    layer().es.ClearColor(r, g, b, a);
}
void GLAPIENTRY glClearDepth(GLclampd depth) {
    layer().depth.clear = float(std::clamp(depth, 0.0, 1.0));
    layer().es.ClearDepthf(layer().depth.clear);
}
void GLAPIENTRY glClear(GLbitfield mask) {
    flushBatch();
    layer().es.Clear(mask);
}
void GLAPIENTRY glDepthFunc(GLenum function) {
    flushBatch();
    layer().depth.function = function;
    layer().es.DepthFunc(function);
}
void GLAPIENTRY glDepthMask(GLboolean on) {
    flushBatch();
    layer().depth.mask = on;
    layer().es.DepthMask(on);
}
void GLAPIENTRY glColorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a) {
    flushBatch();
    const bool m[4] = {bool(r), bool(g), bool(b), bool(a)};
    std::copy(m, m + 4, layer().colour.mask);
    layer().es.ColorMask(r, g, b, a);
}
void GLAPIENTRY glBlendFunc(GLenum source, GLenum destination) {
    flushBatch();
    layer().colour.blendSource = source;
    layer().colour.blendDestination = destination;
    layer().es.BlendFunc(source, destination);
}
void GLAPIENTRY glCullFace(GLenum face) {
    flushBatch();
    layer().cullFace = face;
    layer().es.CullFace(face);
}
void GLAPIENTRY glPolygonMode(GLenum face, GLenum mode) {
    if (face != GL_FRONT_AND_BACK) return unsupported("polygon mode for one face");
    if (mode != GL_FILL && mode != GL_LINE && mode != GL_POINT) return recordError(GL_INVALID_ENUM);
    layer().polygonMode = mode;
}
void GLAPIENTRY glFinish() {
    flushBatch();
    layer().es.Finish();
}

void GLAPIENTRY glLightfv(GLenum light, GLenum name, const GLfloat* values) {
    if (light != GL_LIGHT0) return unsupported("light but light 0");
    Light& l = layer().light;
    switch (name) {
        case GL_AMBIENT: return copy4(l.ambient, values);
        case GL_DIFFUSE: return copy4(l.diffuse, values);
        case GL_SPECULAR: return copy4(l.specular, values);
        case GL_POSITION: return layer().modelview.back().transform(values, l.eyePosition);  // fixed in the eye now
        default: return unsupported("spot or attenuation for the light");
    }
}

void GLAPIENTRY glMaterialfv(GLenum face, GLenum name, const GLfloat* values) {
    if (face != GL_FRONT && face != GL_FRONT_AND_BACK) return unsupported("back material");
    Material& m = layer().material;
    switch (name) {
        case GL_AMBIENT: return copy4(m.ambient, values);
        case GL_DIFFUSE: return copy4(m.diffuse, values);
        case GL_SPECULAR: return copy4(m.specular, values);
        case GL_EMISSION: return copy4(m.emission, values);
        case GL_SHININESS: m.shininess = std::clamp(values[0], 0.0f, 128.0f); return;
        default: return unsupported("such material parameter");
    }
}
void GLAPIENTRY glMaterialf(GLenum face, GLenum name, GLfloat value) {
    if (name != GL_SHININESS) return recordError(GL_INVALID_ENUM);  // the one material of a single value
    glMaterialfv(face, name, &value);
}

void GLAPIENTRY glFogi(GLenum name, GLint value) {
    if (name != GL_FOG_MODE) return unsupported("such integer fog parameter");
    if (value != GL_EXP && value != GL_EXP2 && value != GL_LINEAR) return recordError(GL_INVALID_ENUM);
    layer().fog.mode = GLenum(value);
}
void GLAPIENTRY glFogf(GLenum name, GLfloat value) {
    Fog& f = layer().fog;
    switch (name) {
        case GL_FOG_DENSITY: f.density = value; return;
        case GL_FOG_START: f.start = value; return;
        case GL_FOG_END: f.end = value; return;
        case GL_FOG_MODE: return glFogi(name, GLint(value));
        default: return unsupported("such fog parameter");
    }
}
void GLAPIENTRY glFogfv(GLenum name, const GLfloat* values) {
    if (name != GL_FOG_COLOR) return glFogf(name, values[0]);
    for (int i = 0; i < 4; ++i) layer().fog.colour[i] = std::clamp(values[i], 0.0f, 1.0f);
}

void GLAPIENTRY glTexEnvi(GLenum target, GLenum name, GLint value) {
    if (target != GL_TEXTURE_ENV) return unsupported("such texture environment");
    TextureEnvironment& e = layer().environment[layer().activeUnit];
    if (name == GL_TEXTURE_ENV_MODE && (value == GL_MODULATE || value == GL_COMBINE_ARB))
        e.mode = GLenum(value);
    else if (name == GL_RGB_SCALE_ARB && (value == 1 || value == 2 || value == 4))
        e.rgbScale = float(value);
    else
        unsupported("texture environment but modulate and the combiner's scale");
}

void GLAPIENTRY glGenTextures(GLsizei count, GLuint* names) { layer().es.GenTextures(count, names); }
void GLAPIENTRY glBindTexture(GLenum target, GLuint name) {
    if (target != GL_TEXTURE_2D) return unsupported("texture but 2D");
    if (name != layer().boundTexture[layer().activeUnit]) flushBatch();
    layer().boundTexture[layer().activeUnit] = name;
    layer().es.BindTexture(target, name);
}
void GLAPIENTRY glTexParameteri(GLenum target, GLenum name, GLint value) {
    if (name == GL_TEXTURE_WRAP_S || name == GL_TEXTURE_WRAP_T)
        if (value == GL_CLAMP) value = GL_CLAMP_TO_EDGE;  // ES has no border to clamp to
    flushBatch();
    layer().es.TexParameteri(target, name, value);
}
void GLAPIENTRY glTexParameterf(GLenum target, GLenum name, GLfloat value) {
    glTexParameteri(target, name, GLint(value));
}
void GLAPIENTRY glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                             GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    if (internalFormat == 3) internalFormat = GL_RGB;  // GL 1.0's component counts
    if (internalFormat == 4) internalFormat = GL_RGBA;
    if (GLenum(internalFormat) != format || border != 0) return unsupported("texture stored in another format");
    flushBatch();
    LayerState& s = layer();
    s.es.TexImage2D(target, level, internalFormat, width, height, 0, format, type, pixels);
    const GLuint name = s.boundTexture[s.activeUnit];
    if (name >= s.definedTextures.size()) s.definedTextures.resize(name + 1);
    if (level == 0 && name != 0) s.definedTextures[name] = true;
}
void GLAPIENTRY glPixelStorei(GLenum name, GLint value) {
    if (name == GL_UNPACK_ALIGNMENT)
        layer().unpackAlignment = value;
    else if (name == GL_PACK_ALIGNMENT)
        layer().packAlignment = value;
    else
        return unsupported("such pixel storage mode");
    layer().es.PixelStorei(name, value);
}

void GLAPIENTRY glPushAttrib(GLbitfield mask) {
    LayerState& s = layer();
    if (s.attributeStack.size() >= attributeStackDepth) return recordError(GL_STACK_OVERFLOW);
    if (mask & ~GLbitfield(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_LIST_BIT))
        unsupported("attribute group but enable, colour buffer, depth buffer and list");
    s.attributeStack.push_back({mask, s.enables, s.colour, s.depth, s.listBase});
}
void GLAPIENTRY glPopAttrib() {
    LayerState& s = layer();
    if (s.attributeStack.empty()) return recordError(GL_STACK_UNDERFLOW);
    const AttributeFrame f = s.attributeStack.back();
    s.attributeStack.pop_back();
    if (f.mask & GL_ENABLE_BIT) {
        s.enables = f.enables;
        s.colour.blend = f.colour.blend;
        s.depth.test = f.depth.test;
    }
    if (f.mask & GL_COLOR_BUFFER_BIT) s.colour = f.colour;
    if (f.mask & GL_DEPTH_BUFFER_BIT) s.depth = f.depth;
    if (f.mask & GL_LIST_BIT) s.listBase = f.listBase;
    applyFixedState();
}
void GLAPIENTRY glPushClientAttrib(GLbitfield mask) {
    if (mask & ~GLbitfield(GL_CLIENT_VERTEX_ARRAY_BIT)) unsupported("client attribute group but the arrays");
    LayerState& s = layer();
    if (s.clientStack.size() >= attributeStackDepth) return recordError(GL_STACK_OVERFLOW);
    s.clientStack.push_back(s.arrays);
}
void GLAPIENTRY glPopClientAttrib() {
    LayerState& s = layer();
    if (s.clientStack.empty()) return recordError(GL_STACK_UNDERFLOW);
    s.arrays = s.clientStack.back();
    s.clientStack.pop_back();
}
