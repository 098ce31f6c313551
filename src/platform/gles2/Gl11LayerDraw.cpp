// The layer's drawing: corners gathered from glBegin/glEnd or the client arrays, polygons turned into the
// triangles, lines or points ES draws, and the program's uniforms set from GL 1.1's state.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gles2/Gl11LayerBatch.h"

namespace gles2 {

namespace {

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
unsigned featuresOf() {
    const LayerState& s = layer();
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

// The state a draw of this ES primitive takes from the layer now.
DrawState currentDrawState(GLenum primitive) {
    const LayerState& s = layer();
    DrawState d;
    d.features = featuresOf();
    d.primitive = primitive;
    for (int unit = 0; unit < textureUnits; ++unit)
        if (d.features & (unit == 0 ? Feature::texture0 : Feature::texture1)) d.textures[unit] = s.boundTexture[unit];
    if (d.features & Feature::lit) {
        d.light = s.light;
        d.material = s.material;
        std::memcpy(d.sceneAmbient, s.sceneAmbient, sizeof d.sceneAmbient);
    }
    if (d.features & Feature::fog) d.fog = s.fog;
    if (d.features & Feature::combine1) d.rgbScale1 = s.environment[1].rgbScale;
    d.projection = s.projection.back();
    d.modelview = s.modelview.back();
    return d;
}

// Cuts a draw to whole primitives, so that the next draw joining its batch starts on a primitive of its own.
void wholePrimitives(std::vector<Vertex>& corners, size_t size) {
    corners.resize(corners.size() - corners.size() % size);
}

}  // namespace

void multiTexCoord2f(GLenum unit, GLfloat s, GLfloat t) {
    const int index = int(unit) - GL_TEXTURE0_ARB;
    if (index < 0 || index >= textureUnits) return recordError(GL_INVALID_ENUM);
    layer().currentTexture[index][0] = s;
    layer().currentTexture[index][1] = t;
}

void drawPrimitive(GLenum mode, std::vector<Vertex>& corners, const ArrayDraw* arrays) {
    static std::vector<Vertex> drawn;  // kept between calls: the terrain's corners are many every frame
    drawn.clear();
    const GLenum polygonMode = layer().polygonMode;
    if (mode == GL_POINTS) return batchDraw(currentDrawState(GL_POINTS), corners);
    if (mode == GL_LINES) {
        wholePrimitives(corners, 2);
        return batchDraw(currentDrawState(GL_LINES), corners);
    }
    if (polygonMode == GL_FILL) {
        if (mode == GL_QUADS) {
            if (corners.size() % 4 != 0) arrays = nullptr;  // kept only when drawn whole
            wholePrimitives(corners, 4);
            return batchDraw(currentDrawState(GL_QUADS), corners, arrays);
        }
        if (!triangles(mode, corners, drawn)) return unsupported("such primitive");
        return batchDraw(currentDrawState(GL_TRIANGLES), drawn, arrays);
    }
    const bool points = polygonMode == GL_POINT;
    if (!outlines(mode, corners, drawn, points)) return unsupported("such primitive");
    batchDraw(currentDrawState(points ? GL_POINTS : GL_LINES), drawn);
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
    // The quad's corners in GL's order; the quads' shared index buffer splits it as the desktop driver does.
    std::vector<Vertex> quad;
    const GlyphAtlas::Place& p = bitmap.place;
    const float corners[4][4] = {
        {x0, y0, p.s0, p.t0}, {x1, y0, p.s1, p.t0}, {x1, y1, p.s1, p.t1}, {x0, y1, p.s0, p.t1}};
    for (const auto& corner : corners) {
        Vertex vertex{};
        const float position[3] = {corner[0], corner[1], z};
        std::memcpy(vertex.position, position, sizeof position);
        std::memcpy(vertex.colour, colour, sizeof colour);
        vertex.texture[0][0] = corner[2];
        vertex.texture[0][1] = corner[3];
        quad.push_back(vertex);
    }
    DrawState state;  // the quad is on the screen already: no matrix, light or fog of the pipeline's
    state.features = Feature::bitmap;
    state.primitive = GL_QUADS;
    state.textures[0] = p.page;
    batchDraw(state, quad);
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
