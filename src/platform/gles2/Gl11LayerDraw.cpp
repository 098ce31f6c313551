// The layer's drawing: corners gathered from glBegin/glEnd or the client arrays, polygons turned into the
// triangles, lines or points ES draws, and the program's uniforms set from GL 1.1's state.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gles2/Gl11LayerState.h"

namespace gles2 {

namespace {

// A quad's two triangles share its second and fourth corners, as the desktop driver splits them.
constexpr int quadTriangles[6] = {0, 1, 3, 1, 2, 3};
// Filled quads are drawn by index, their corners sent once: this many corners a draw at most (16-bit indices).
constexpr size_t quadCornersPerDraw = 65536;

enum Attribute : GLuint { positionAttribute, normalAttribute, colourAttribute, texture0Attribute, texture1Attribute };

Vertex currentVertex(const float position[3]) {
    const LayerState& s = layer();
    Vertex v;
    std::memcpy(v.position, position, sizeof v.position);
    std::memcpy(v.normal, s.currentNormal, sizeof v.normal);
    std::memcpy(v.colour, s.current, sizeof v.colour);
    std::memcpy(v.texture, s.currentTexture, sizeof v.texture);
    return v;
}

const GLfloat* element(const ClientArray& array, GLint index) {
    const GLsizei stride = array.stride != 0 ? array.stride : GLsizei(array.size * sizeof(GLfloat));
    return reinterpret_cast<const GLfloat*>(reinterpret_cast<const char*>(array.pointer) + size_t(index) * stride);
}

// The triangles of a filled primitive, as lists of corners.
bool triangles(GLenum mode, const std::vector<Vertex>& in, std::vector<Vertex>& out) {
    const size_t n = in.size();
    switch (mode) {
        case GL_TRIANGLES: out.assign(in.begin(), in.begin() + long(n - n % 3)); return true;
        case GL_QUADS:
            for (size_t q = 0; q + 4 <= n; q += 4)
                for (int corner : quadTriangles) out.push_back(in[q + size_t(corner)]);
            return true;
        case GL_TRIANGLE_STRIP:
            for (size_t i = 2; i < n; ++i) {
                const bool odd = i % 2 == 1;
                out.push_back(in[odd ? i - 1 : i - 2]);
                out.push_back(in[odd ? i - 2 : i - 1]);
                out.push_back(in[i]);
            }
            return true;
        case GL_TRIANGLE_FAN:
        case GL_POLYGON:
            for (size_t i = 2; i < n; ++i) out.insert(out.end(), {in[0], in[i - 1], in[i]});
            return true;
        default: return false;
    }
}

// Polygons of this many corners in out-of-fill modes: triangles stay triangles, quads stay quads.
size_t polygonSize(GLenum mode) { return mode == GL_QUADS ? 4 : 3; }

// Whether a polygon faces away from the eye by its winding on the screen (counter-clockwise is the front),
// for the culling GL does before it draws a polygon's edges or corners. Polygons reaching behind the eye are
// kept: the part on screen is what counts, and the clipper draws only that.
bool culled(const Vertex* polygon, size_t count) {
    const LayerState& s = layer();
    if (!s.enables.cullFace) return false;
    if (s.cullFace == GL_FRONT_AND_BACK) return true;
    const Matrix4 mvp = s.projection.back() * s.modelview.back();
    float x[4], y[4];
    for (size_t i = 0; i < count; ++i) {
        const float in[4] = {polygon[i].position[0], polygon[i].position[1], polygon[i].position[2], 1};
        float clip[4];
        mvp.transform(in, clip);
        if (clip[3] <= 0) return false;
        x[i] = clip[0] / clip[3];
        y[i] = clip[1] / clip[3];
    }
    float area = 0;
    for (size_t i = 0; i < count; ++i) {
        const size_t j = (i + 1) % count;
        area += x[i] * y[j] - x[j] * y[i];
    }
    const bool front = area > 0;
    return s.cullFace == GL_BACK ? !front : front;
}

// The edges (or the corners) of every polygon that survives culling, for glPolygonMode's lines and points.
bool outlines(GLenum mode, const std::vector<Vertex>& in, std::vector<Vertex>& out, bool points) {
    std::vector<Vertex> polygons;
    size_t size = polygonSize(mode);
    if (mode == GL_QUADS)
        polygons.assign(in.begin(), in.begin() + long(in.size() - in.size() % 4));
    else if (!triangles(mode, in, polygons))
        return false;
    for (size_t p = 0; p + size <= polygons.size(); p += size) {
        const Vertex* polygon = &polygons[p];
        if (culled(polygon, size)) continue;
        for (size_t i = 0; i < size; ++i) {
            out.push_back(polygon[i]);
            if (!points) out.push_back(polygon[(i + 1) % size]);
        }
    }
    return true;
}

bool textureOn(int unit) {
    const LayerState& s = layer();
    const GLuint name = s.boundTexture[unit];
    // A texture with no pixels yet leaves its unit off, as in GL 1.1 (ES would sample black).
    return s.enables.texture[unit] && name < s.definedTextures.size() && s.definedTextures[name];
}

// The set of features the state asks of a draw.
unsigned featuresOf(bool bitmap) {
    const LayerState& s = layer();
    if (bitmap) return Feature::bitmap;  // a bitmap's colour is worked out, fog and all, before it is drawn
    unsigned features = 0;
    if (s.enables.lighting) features |= Feature::lit | (s.enables.light0 ? Feature::light0 : 0u);
    if (textureOn(0)) features |= Feature::texture0;
    if (textureOn(1))
        features |= Feature::texture1 | (s.environment[1].mode == GL_COMBINE_ARB ? Feature::combine1 : 0u);
    if (s.enables.fog)
        features |= Feature::fog | (s.fog.mode == GL_EXP2 ? Feature::exp2Fog : 0u) |
                    (s.fog.mode == GL_LINEAR ? Feature::linearFog : 0u);
    return features;
}

// Sends a uniform's value unless the program holds it already.
void set(Program& program, Uniform u, const float* values, int count) {
    if (program.places[u] < 0) return;
    if (program.known[u] && std::memcmp(program.sent[u], values, size_t(count) * sizeof(float)) == 0) return;
    std::memcpy(program.sent[u], values, size_t(count) * sizeof(float));
    program.known[u] = true;
    ++layer().uniformSends;
    const EsFunctions& es = layer().es;
    const GLint place = program.places[u];
    switch (count) {
    case 1: es.Uniform1f(place, values[0]); break;
    case 3: es.Uniform3fv(place, 1, values); break;
    case 4: es.Uniform4fv(place, 1, values); break;
    case 9: es.UniformMatrix3fv(place, 1, GL_FALSE, values); break;
    default: es.UniformMatrix4fv(place, 1, GL_FALSE, values); break;
    }
}

bool setUniforms(bool bitmap) {
    const LayerState& s = layer();
    const unsigned features = featuresOf(bitmap);
    Program* program = programFor(features);
    if (!program) return false;
    Program& p = *program;
    if (bitmap) {
        set(p, mvpUniform, Matrix4{}.m, 16);
        return true;
    }
    const Matrix4& modelview = s.modelview.back();
    set(p, mvpUniform, (s.projection.back() * modelview).m, 16);
    set(p, modelviewUniform, modelview.m, 16);
    if (features & Feature::lit) {
        float normals[9];
        modelview.normalMatrix(normals);
        set(p, normalMatrixUniform, normals, 9);
        set(p, lightPositionUniform, s.light.eyePosition, 4);
        set(p, lightAmbientUniform, s.light.ambient, 4);
        set(p, lightDiffuseUniform, s.light.diffuse, 4);
        set(p, lightSpecularUniform, s.light.specular, 4);
        set(p, sceneAmbientUniform, s.sceneAmbient, 4);
        set(p, materialAmbientUniform, s.material.ambient, 4);
        set(p, materialDiffuseUniform, s.material.diffuse, 4);
        set(p, materialSpecularUniform, s.material.specular, 4);
        set(p, materialEmissionUniform, s.material.emission, 4);
        set(p, shininessUniform, &s.material.shininess, 1);
    }
    if (features & Feature::combine1) set(p, rgbScale1Uniform, &s.environment[1].rgbScale, 1);
    if (features & Feature::fog) {
        set(p, fogDensityUniform, &s.fog.density, 1);
        set(p, fogStartUniform, &s.fog.start, 1);
        set(p, fogEndUniform, &s.fog.end, 1);
        set(p, fogColourUniform, s.fog.colour, 3);
    }
    return true;
}

// Points the attributes at a buffer's corners, when they read another.
void pointAttributesAt(GLuint buffer) {
    LayerState& s = layer();
    if (s.pointedBuffer == buffer) return;
    const EsFunctions& es = s.es;
    es.BindBuffer(GL_ARRAY_BUFFER, buffer);
    const auto attribute = [&es](Attribute a, GLint size, size_t offset) {
        es.VertexAttribPointer(a, size, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<const void*>(offset));
    };
    attribute(positionAttribute, 3, offsetof(Vertex, position));
    attribute(normalAttribute, 3, offsetof(Vertex, normal));
    attribute(colourAttribute, 4, offsetof(Vertex, colour));
    attribute(texture0Attribute, 2, offsetof(Vertex, texture[0]));
    attribute(texture1Attribute, 2, offsetof(Vertex, texture[1]));
    s.pointedBuffer = buffer;
}

// Makes the corners the attributes' source: a kept buffer for a draw from arrays, else the stream.
void useCorners(const std::vector<Vertex>& corners, size_t first, size_t count, const ArrayDraw* arrays) {
    LayerState& s = layer();
    if (arrays) return pointAttributesAt(s.arrayBuffers.buffer(s.es, *arrays, corners));
    pointAttributesAt(s.vertexBuffer);
    s.es.BufferData(GL_ARRAY_BUFFER, GLsizeiptr(count * sizeof(Vertex)), &corners[first], GL_STREAM_DRAW);
}

void send(GLenum esMode, const std::vector<Vertex>& corners, bool bitmap, const ArrayDraw* arrays = nullptr) {
    if (corners.empty() || !setUniforms(bitmap)) return;
    useCorners(corners, 0, corners.size(), arrays);
    layer().es.DrawArrays(esMode, 0, GLsizei(corners.size()));
    ++layer().draws;
}

void sendQuads(const std::vector<Vertex>& corners, const ArrayDraw* arrays) {
    const size_t whole = corners.size() - corners.size() % 4;
    if (whole == 0 || !setUniforms(false)) return;
    if (whole != corners.size() || whole > quadCornersPerDraw) arrays = nullptr;  // kept only when drawn whole
    for (size_t first = 0; first < whole; first += quadCornersPerDraw) {
        const size_t count = std::min(quadCornersPerDraw, whole - first);
        useCorners(corners, first, count, arrays);
        layer().es.DrawElements(GL_TRIANGLES, GLsizei(count / 4 * 6), GL_UNSIGNED_SHORT, nullptr);
        ++layer().draws;
    }
}

}  // namespace

void startVertexStream() {
    LayerState& s = layer();
    const EsFunctions& es = s.es;
    es.GenBuffers(1, &s.vertexBuffer);
    for (GLuint a = positionAttribute; a <= texture1Attribute; ++a) es.EnableVertexAttribArray(a);
    pointAttributesAt(s.vertexBuffer);
    // The quads' triangles by index, for every draw of quads: corners 4k + (0, 1, 3), (1, 2, 3).
    std::vector<GLushort> indices;
    for (size_t quad = 0; quad < quadCornersPerDraw / 4; ++quad)
        for (int corner : quadTriangles) indices.push_back(GLushort(quad * 4 + size_t(corner)));
    es.GenBuffers(1, &s.quadIndexBuffer);
    es.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, s.quadIndexBuffer);
    es.BufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(GLushort)), indices.data(), GL_STATIC_DRAW);
}

void multiTexCoord2f(GLenum unit, GLfloat s, GLfloat t) {
    const int index = int(unit) - GL_TEXTURE0_ARB;
    if (index < 0 || index >= textureUnits) return recordError(GL_INVALID_ENUM);
    layer().currentTexture[index][0] = s;
    layer().currentTexture[index][1] = t;
}

void drawPrimitive(GLenum mode, const std::vector<Vertex>& corners, const ArrayDraw* arrays) {
    static std::vector<Vertex> drawn;  // kept between calls: the terrain's corners are many every frame
    drawn.clear();
    const GLenum polygonMode = layer().polygonMode;
    if (mode == GL_POINTS || mode == GL_LINES) return send(mode, corners, false);
    if (polygonMode == GL_FILL) {
        if (mode == GL_QUADS) return sendQuads(corners, arrays);
        if (!triangles(mode, corners, drawn)) return unsupported("such primitive");
        return send(GL_TRIANGLES, drawn, false, arrays);
    }
    const bool points = polygonMode == GL_POINT;
    if (!outlines(mode, corners, drawn, points)) return unsupported("such primitive");
    send(points ? GL_POINTS : GL_LINES, drawn, false);
}

void drawBitmap(const RecordedBitmap& bitmap) {
    LayerState& s = layer();
    const Raster& r = s.raster;
    if (!r.valid || bitmap.width <= 0 || bitmap.height <= 0) return;
    // The bitmap's lower left corner is the raster position less its origin, on whole pixels, as the desktop
    // driver places it; it is drawn as a quad in normalised device coordinates over exactly those pixels.
    constexpr float nudge = 1.0e-4f;
    const float left = std::floor(r.window[0] - bitmap.xOrigin + nudge);
    const float bottom = std::floor(r.window[1] - bitmap.yOrigin + nudge);
    const GLint* viewport = s.viewport;
    const auto ndcX = [viewport](float x) { return (x - float(viewport[0])) / float(viewport[2]) * 2 - 1; };
    const auto ndcY = [viewport](float y) { return (y - float(viewport[1])) / float(viewport[3]) * 2 - 1; };
    const float x0 = ndcX(left), x1 = ndcX(left + float(bitmap.width));
    const float y0 = ndcY(bottom), y1 = ndcY(bottom + float(bitmap.height));
    const float z = r.window[2] * 2 - 1;
    float colour[4];
    std::memcpy(colour, r.colour, sizeof colour);
    if (s.enables.fog) {
        const Fog& f = s.fog;
        const float d = r.distance;
        const float kept = f.mode == GL_EXP    ? std::exp(-f.density * d)
                           : f.mode == GL_EXP2 ? std::exp(-(f.density * d) * (f.density * d))
                                               : (f.end - d) / (f.end - f.start);
        const float k = std::fmin(std::fmax(kept, 0.0f), 1.0f);
        for (int i = 0; i < 3; ++i) colour[i] = k * colour[i] + (1 - k) * f.colour[i];
    }
    std::vector<Vertex> quad;
    const float corners[4][4] = {{x0, y0, 0, 0}, {x1, y0, 1, 0}, {x1, y1, 1, 1}, {x0, y1, 0, 1}};
    for (int corner : quadTriangles) {
        Vertex vertex{};
        const float position[3] = {corners[corner][0], corners[corner][1], z};
        std::memcpy(vertex.position, position, sizeof position);
        std::memcpy(vertex.colour, colour, sizeof colour);
        vertex.texture[0][0] = corners[corner][2];
        vertex.texture[0][1] = corners[corner][3];
        quad.push_back(vertex);
    }
    s.es.ActiveTexture(GL_TEXTURE0);
    s.es.BindTexture(GL_TEXTURE_2D, bitmap.texture);
    send(GL_TRIANGLES, quad, true);
    s.es.BindTexture(GL_TEXTURE_2D, s.boundTexture[0]);
    s.es.ActiveTexture(GLenum(GL_TEXTURE0 + s.activeUnit));
}

}  // namespace gles2

using namespace gles2;

void GLAPIENTRY glBegin(GLenum mode) {
    LayerState& s = layer();
    if (s.begun) return recordError(GL_INVALID_OPERATION);
    s.begun = mode;
    s.corners.clear();
}
void GLAPIENTRY glEnd() {
    LayerState& s = layer();
    if (!s.begun) return recordError(GL_INVALID_OPERATION);
    const GLenum mode = s.begun;
    s.begun = 0;
    drawPrimitive(mode, s.corners);
}
void GLAPIENTRY glVertex3fv(const GLfloat* v) { layer().corners.push_back(currentVertex(v)); }
void GLAPIENTRY glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    const GLfloat v[3] = {x, y, z};
    glVertex3fv(v);
}
void GLAPIENTRY glNormal3fv(const GLfloat* n) { std::memcpy(layer().currentNormal, n, 3 * sizeof(GLfloat)); }
void GLAPIENTRY glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    const GLfloat c[4] = {r, g, b, a};
    std::memcpy(layer().current, c, sizeof c);
}
void GLAPIENTRY glColor3f(GLfloat r, GLfloat g, GLfloat b) { glColor4f(r, g, b, 1); }
void GLAPIENTRY glTexCoord2f(GLfloat s, GLfloat t) { multiTexCoord2f(GL_TEXTURE0_ARB, s, t); }

namespace {
ClientArray* clientArray(GLenum array) {
    ClientArrays& a = layer().arrays;
    switch (array) {
        case GL_VERTEX_ARRAY: return &a.vertex;
        case GL_NORMAL_ARRAY: return &a.normal;
        case GL_COLOR_ARRAY: return &a.colour;
        case GL_TEXTURE_COORD_ARRAY: return &a.texture[a.clientActiveUnit];
        default: return nullptr;
    }
}

void setPointer(ClientArray& array, GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    if (type != GL_FLOAT) return unsupported("array of other than floats");
    if (stride < 0) return recordError(GL_INVALID_VALUE);
    array.size = size;
    array.stride = stride;
    array.pointer = static_cast<const GLfloat*>(pointer);
}
}  // namespace

void GLAPIENTRY glEnableClientState(GLenum array) {
    if (ClientArray* a = clientArray(array))
        a->enabled = true;
    else
        unsupported("such client array");
}
void GLAPIENTRY glDisableClientState(GLenum array) {
    if (ClientArray* a = clientArray(array))
        a->enabled = false;
    else
        unsupported("such client array");
}
void GLAPIENTRY glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    setPointer(layer().arrays.vertex, size, type, stride, pointer);
}
void GLAPIENTRY glNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer) {
    setPointer(layer().arrays.normal, 3, type, stride, pointer);
}
void GLAPIENTRY glColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    setPointer(layer().arrays.colour, size, type, stride, pointer);
}
void GLAPIENTRY glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    ClientArrays& a = layer().arrays;
    setPointer(a.texture[a.clientActiveUnit], size, type, stride, pointer);
}
void GLAPIENTRY glInterleavedArrays(GLenum format, GLsizei stride, const GLvoid* pointer) {
    if (format != GL_T2F_N3F_V3F) return unsupported("interleaved format but T2F_N3F_V3F");
    const GLsizei step = stride != 0 ? stride : GLsizei(8 * sizeof(GLfloat));
    const GLfloat* base = static_cast<const GLfloat*>(pointer);
    ClientArrays& a = layer().arrays;
    a.colour.enabled = false;
    a.texture[a.clientActiveUnit] = {true, 2, step, base};
    a.normal = {true, 3, step, base + 2};
    a.vertex = {true, 3, step, base + 5};
}
void GLAPIENTRY glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    LayerState& s = layer();
    if (first < 0 || count < 0) return recordError(GL_INVALID_VALUE);
    const ClientArrays& a = s.arrays;
    if (!a.vertex.enabled || !a.vertex.pointer) return;
    std::vector<Vertex>& corners = s.corners;
    corners.clear();
    for (GLint i = first; i - first < count; ++i) {  // never first + count, which may pass the largest GLint
        const GLfloat* p = element(a.vertex, i);
        const float position[3] = {p[0], p[1], a.vertex.size > 2 ? p[2] : 0};
        Vertex v = currentVertex(position);
        if (a.normal.enabled) std::memcpy(v.normal, element(a.normal, i), sizeof v.normal);
        if (a.colour.enabled) {
            const GLfloat* c = element(a.colour, i);
            for (int k = 0; k < 4; ++k) v.colour[k] = k < a.colour.size ? c[k] : 1;
        }
        for (int unit = 0; unit < textureUnits; ++unit)
            if (a.texture[unit].enabled) {
                const GLfloat* t = element(a.texture[unit], i);
                v.texture[unit][0] = t[0];
                v.texture[unit][1] = a.texture[unit].size > 1 ? t[1] : 0;  // an array of one coordinate has no t
            }
        corners.push_back(v);
    }
    const ArrayDraw draw{a.vertex.pointer, first, count, mode};
    drawPrimitive(mode, corners, &draw);
}
