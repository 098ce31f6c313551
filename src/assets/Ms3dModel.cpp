// MS3D reader: header, vertices, triangles, groups and materials; the animation data after them is ignored.
#include "assets/Ms3dModel.h"

#include <cstring>
#include <new>
#include <vector>

#include "common/ByteReader.h"
#include "common/Report.h"
#include "common/WholeFile.h"

namespace {

constexpr size_t nameBytes = 32;
constexpr size_t textureNameBytes = 128;
// The records' sizes in the file: flags, position, bone, references; flags, three indices, nine normal
// floats, six texture floats, two bytes; a group with no triangles; a material with its two file names.
constexpr size_t vertexRecordBytes = 1 + 12 + 1 + 1;
constexpr size_t triangleRecordBytes = 2 + 6 + 36 + 24 + 2;
constexpr size_t emptyGroupRecordBytes = 1 + nameBytes + 2 + 1;
constexpr size_t materialRecordBytes = nameBytes + 4 * 16 + 4 + 4 + 1 + 2 * textureNameBytes;

void readFloats(ByteReader& in, float* out, int n) {
    for (int i = 0; i < n; ++i) out[i] = in.f32();
}

bool overLimit(std::string* refusal, size_t count, const char* what, size_t limit) {
    if (refusal)
        *refusal = std::to_string(count) + " " + what + ", more than the " + std::to_string(limit) +
                   " a model may have: not read";
    return false;
}

// Each section's count is checked against what is left before its array is made, so a lying count cannot
// ask for more memory than the file could fill.

bool readVertices(ByteReader& in, std::vector<Vertex>& vertices) {
    const size_t count = in.u16();
    if (!in.ok() || in.remaining() < count * vertexRecordBytes) return false;
    vertices.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        Vertex v;
        in.skip(1);  // flags
        readFloats(in, v.position, 3);
        v.boneId = in.s8();
        in.skip(1);  // reference count
        vertices.push_back(v);
    }
    return true;
}

bool readTriangles(ByteReader& in, size_t vertexCount, std::vector<Triangle>& triangles) {
    const size_t count = in.u16();
    if (!in.ok() || in.remaining() < count * triangleRecordBytes) return false;
    triangles.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        Triangle& t = triangles.emplace_back();
        in.skip(2);  // flags
        for (int& index : t.vertexIndices) {
            index = in.u16();
            if (size_t(index) >= vertexCount) return false;
        }
        for (float* normal : t.normals) readFloats(in, normal, 3);
        readFloats(in, t.s, 3);
        for (float& tc : t.t) tc = 1.0f - in.f32();
        in.skip(2);  // smoothing group, group
    }
    return true;
}

bool readGroups(ByteReader& in, size_t triangleCount, std::vector<Mesh>& meshes, std::string* refusal) {
    const size_t count = in.u16();
    if (!in.ok() || in.remaining() < count * emptyGroupRecordBytes) return false;
    if (count > modelLimits::groups) return overLimit(refusal, count, "groups", modelLimits::groups);
    meshes.resize(count);
    for (Mesh& mesh : meshes) {
        in.skip(1 + nameBytes);  // flags, name
        const size_t triangles = in.u16();
        if (!in.ok() || in.remaining() < triangles * 2 + 1) return false;
        mesh.triangleIndices.resize(triangles);
        for (int& index : mesh.triangleIndices) {
            index = in.u16();
            if (size_t(index) >= triangleCount) return false;
        }
        mesh.materialIndex = in.s8();
    }
    return true;
}

bool readMaterials(ByteReader& in, std::vector<Material>& materials, std::string* refusal) {
    const size_t count = in.u16();
    if (!in.ok() || in.remaining() < count * materialRecordBytes) return false;
    if (count > modelLimits::materials) return overLimit(refusal, count, "materials", modelLimits::materials);
    materials.resize(count);
    for (Material& m : materials) {
        in.skip(nameBytes);
        readFloats(in, m.ambient, 4);
        readFloats(in, m.diffuse, 4);
        readFloats(in, m.specular, 4);
        readFloats(in, m.emissive, 4);
        m.shininess = in.f32();
        in.skip(4 + 1);  // transparency, mode
        const unsigned char* name = in.take(textureNameBytes);
        if (!name) return false;
        // The name ends at its NUL, or at the end of its field if the file left the NUL out.
        const char* text = reinterpret_cast<const char*>(name);
        m.textureFile.assign(text, strnlen(text, textureNameBytes));
        in.skip(textureNameBytes);  // the alpha map
    }
    return in.ok();
}

}  // namespace

bool Ms3dModel::load(const char* path) {
    std::vector<unsigned char> image;
    if (!readWholeFile(path, modelLimits::fileBytes, image)) return false;
    std::string refusal;
    if (loadFromMemory(image.data(), image.size(), &refusal)) return true;
    reportRefusal(path, refusal.empty() ? "not an MS3D model the game reads (version 3 or 4, whole sections): not read"
                                         : refusal);
    return false;
}

bool Ms3dModel::loadFromMemory(const unsigned char* data, size_t size, std::string* refusal) {
    try {
        return parse(data, size, refusal);
    } catch (const std::bad_alloc&) {
        if (refusal) *refusal = "not enough memory for the model";
        return false;
    }
}

bool Ms3dModel::parse(const unsigned char* data, size_t size, std::string* refusal) {
    ByteReader in(data, size);
    const unsigned char* id = in.take(10);
    if (!id || std::memcmp(id, "MS3D000000", 10) != 0) return false;
    const int version = in.s32();
    if (!in.ok() || version < 3 || version > 4) return false;
    std::vector<Vertex> newVertices;
    std::vector<Triangle> newTriangles;
    std::vector<Mesh> newMeshes;
    std::vector<Material> newMaterials;
    if (!readVertices(in, newVertices) || !readTriangles(in, newVertices.size(), newTriangles) ||
        !readGroups(in, newTriangles.size(), newMeshes, refusal) || !readMaterials(in, newMaterials, refusal))
        return false;

    vertices = std::move(newVertices);
    triangles = std::move(newTriangles);
    meshes = std::move(newMeshes);
    materials = std::move(newMaterials);
    geometryChanged();
    loadTextures();
    return true;
}
