// The batch: corners gathered while the state stays the same, then the program's uniforms set once from that
// state and one ES draw.
#include "platform/gles2/Gl11LayerBatch.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace gles2 {

namespace {

// Filled quads are drawn by index, their corners sent once: this many corners a draw at most (16-bit indices).
constexpr size_t quadCornersPerDraw = 65536;
// A batch holding this many corners is drawn at once: what a batch may take of memory stays small.
constexpr size_t batchCornersAtMost = 1 << 16;

enum Attribute : GLuint { positionAttribute, normalAttribute, colourAttribute, texture0Attribute, texture1Attribute };

struct Batch {
    DrawState state;
    std::vector<Vertex> corners;
    bool fromArrays = false;  // one draw from client arrays, whose corners the cache may hold already
    ArrayDraw arrays{};
    bool movable = true;  // every draw in it from immediate mode, whose corners are sent every time anyway
};

Batch& batch() {
    static Batch held;
    return held;
}

static_assert(std::is_trivially_copyable_v<DrawState> && std::is_standard_layout_v<DrawState>);
static_assert(offsetof(DrawState, modelview) + sizeof(Matrix4) == sizeof(DrawState), "no padding to compare");

bool sameBesidesModelview(const DrawState& a, const DrawState& b) {
    return std::memcmp(&a, &b, offsetof(DrawState, modelview)) == 0;
}
bool sameModelview(const DrawState& a, const DrawState& b) {
    return std::memcmp(a.modelview.m, b.modelview.m, sizeof a.modelview.m) == 0;
}
// A modelview whose last row is (0, 0, 0, 1) leaves w at 1: the eye's corners need no w of their own.
bool affine(const Matrix4& m) { return m.m[3] == 0 && m.m[7] == 0 && m.m[11] == 0 && m.m[15] == 1; }
bool isIdentity(const Matrix4& m) { return std::memcmp(m.m, Matrix4{}.m, sizeof m.m) == 0; }

// What the vertex shader would do with the modelview, done here: positions and normals into the eye's space.
void moveToEye(Vertex* first, Vertex* last, const Matrix4& modelview) {
    float normals[9];
    modelview.normalMatrix(normals);
    for (Vertex* v = first; v != last; ++v) {
        const float position[4] = {v->position[0], v->position[1], v->position[2], 1};
        float eye[4];
        modelview.transform(position, eye);
        std::memcpy(v->position, eye, sizeof v->position);
        const float n[3] = {v->normal[0], v->normal[1], v->normal[2]};
        for (int row = 0; row < 3; ++row)
            v->normal[row] = normals[row] * n[0] + normals[3 + row] * n[1] + normals[6 + row] * n[2];
    }
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

bool setUniforms(const DrawState& state) {
    Program* program = programFor(state.features);
    if (!program) return false;
    Program& p = *program;
    set(p, mvpUniform, (state.projection * state.modelview).m, 16);
    if (state.features & Feature::bitmap) return true;  // its corners are on the screen already, coloured
    set(p, modelviewUniform, state.modelview.m, 16);
    if (state.features & Feature::lit) {
        float normals[9];
        state.modelview.normalMatrix(normals);
        set(p, normalMatrixUniform, normals, 9);
        set(p, lightPositionUniform, state.light.eyePosition, 4);
        set(p, lightAmbientUniform, state.light.ambient, 4);
        set(p, lightDiffuseUniform, state.light.diffuse, 4);
        set(p, lightSpecularUniform, state.light.specular, 4);
        set(p, sceneAmbientUniform, state.sceneAmbient, 4);
        set(p, materialAmbientUniform, state.material.ambient, 4);
        set(p, materialDiffuseUniform, state.material.diffuse, 4);
        set(p, materialSpecularUniform, state.material.specular, 4);
        set(p, materialEmissionUniform, state.material.emission, 4);
        set(p, shininessUniform, &state.material.shininess, 1);
    }
    if (state.features & Feature::combine1) set(p, rgbScale1Uniform, &state.rgbScale1, 1);
    if (state.features & Feature::fog) {
        set(p, fogDensityUniform, &state.fog.density, 1);
        set(p, fogStartUniform, &state.fog.start, 1);
        set(p, fogEndUniform, &state.fog.end, 1);
        set(p, fogColourUniform, state.fog.colour, 3);
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

void drawQuads(const std::vector<Vertex>& corners, const ArrayDraw* arrays) {
    if (corners.size() > quadCornersPerDraw) arrays = nullptr;  // kept only when drawn whole
    for (size_t first = 0; first < corners.size(); first += quadCornersPerDraw) {
        const size_t count = std::min(quadCornersPerDraw, corners.size() - first);
        useCorners(corners, first, count, arrays);
        layer().es.DrawElements(GL_TRIANGLES, GLsizei(count / 4 * 6), GL_UNSIGNED_SHORT, nullptr);
        ++layer().draws;
    }
}

void draw(const Batch& b) {
    LayerState& s = layer();
    if (!setUniforms(b.state)) return;
    // A bitmap's glyphs are on a page of their own: bound for the draw, the game's texture put back after.
    const bool page = b.state.features & Feature::bitmap;
    if (page) {
        s.es.ActiveTexture(GL_TEXTURE0);
        s.es.BindTexture(GL_TEXTURE_2D, b.state.textures[0]);
    }
    const ArrayDraw* arrays = b.fromArrays ? &b.arrays : nullptr;
    if (b.state.primitive == GL_QUADS) {
        drawQuads(b.corners, arrays);
    } else {
        useCorners(b.corners, 0, b.corners.size(), arrays);
        s.es.DrawArrays(b.state.primitive, 0, GLsizei(b.corners.size()));
        ++s.draws;
    }
    if (page) {
        s.es.BindTexture(GL_TEXTURE_2D, s.boundTexture[0]);
        s.es.ActiveTexture(GLenum(GL_TEXTURE0 + s.activeUnit));
    }
}

// Draws under another modelview join only when both were to be sent anyway: corners from client arrays stay
// where the cache keeps them, under their own matrix.
bool joins(const Batch& b, const DrawState& state, bool fromArrays) {
    if (b.corners.size() >= batchCornersAtMost || !sameBesidesModelview(b.state, state)) return false;
    if (sameModelview(b.state, state)) return true;
    return b.movable && !fromArrays && affine(b.state.modelview) && affine(state.modelview);
}

}  // namespace

void batchDraw(const DrawState& state, std::vector<Vertex>& corners, const ArrayDraw* arrays) {
    if (corners.empty()) return;
    Batch& b = batch();
    if (!b.corners.empty() && !joins(b, state, arrays != nullptr)) flushBatch();
    if (b.corners.empty()) {
        b.state = state;
        b.corners.swap(corners);
        b.fromArrays = arrays != nullptr;
        b.movable = !b.fromArrays;
        if (arrays) b.arrays = *arrays;
        return;
    }
    const size_t from = b.corners.size();
    b.corners.insert(b.corners.end(), corners.begin(), corners.end());
    if (!sameModelview(b.state, state)) {
        if (!isIdentity(b.state.modelview)) moveToEye(b.corners.data(), b.corners.data() + from, b.state.modelview);
        b.state.modelview = Matrix4{};
        moveToEye(b.corners.data() + from, b.corners.data() + b.corners.size(), state.modelview);
    }
    b.movable = b.movable && !arrays;
    b.fromArrays = false;
}

void flushBatch() {
    Batch& b = batch();
    if (b.corners.empty()) return;
    draw(b);
    b.corners.clear();
    b.fromArrays = false;
}

void dropBatch() {
    batch().corners.clear();
    batch().fromArrays = false;
}

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
    es.BufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(GLushort)), indices.data(),
                  GL_STATIC_DRAW);
}

}  // namespace gles2
