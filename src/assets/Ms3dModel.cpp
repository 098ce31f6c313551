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

void readFloats(ByteReader& in, float* out, int n) {
    for (int i = 0; i < n; ++i) out[i] = in.f32();
}

bool overLimit(std::string* refusal, size_t count, const char* what, size_t limit) {
    if (refusal)
        *refusal = std::to_string(count) + " " + what + ", more than the " + std::to_string(limit) +
                   " a model may have: not read";
    return false;
}

}  // namespace

bool Ms3dModel::load(const char* path) {
    std::vector<unsigned char> image;
    if (!readWholeFile(path, modelLimits::fileBytes, image)) return false;
    std::string refusal;
    if (loadFromMemory(image.data(), image.size(), &refusal)) return true;
    if (!refusal.empty()) reportRefusal(path, refusal);
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

    // Each section's count is checked against what is left before its array is made, so a lying count
    // cannot ask for more memory than the file could fill.
    const size_t vertexCount = in.u16();
    if (!in.ok() || in.remaining() < vertexCount * 15) return false;
    std::vector<Vertex> newVertices;
    newVertices.reserve(vertexCount);
    for (size_t i = 0; i < vertexCount; ++i) {
        Vertex v;
        in.skip(1);
        readFloats(in, v.position, 3);
        v.boneId = in.s8();
        in.skip(1);
        newVertices.push_back(v);
    }

    const size_t triangleCount = in.u16();
    if (!in.ok() || in.remaining() < triangleCount * 70) return false;
    std::vector<Triangle> newTriangles;
    newTriangles.reserve(triangleCount);
    for (size_t i = 0; i < triangleCount; ++i) {
        Triangle& t = newTriangles.emplace_back();
        in.skip(2);
        for (int& index : t.vertexIndices) {
            index = in.u16();
            if (size_t(index) >= vertexCount) return false;
        }
        for (float* normal : t.normals) readFloats(in, normal, 3);
        readFloats(in, t.s, 3);
        for (float& tc : t.t) tc = 1.0f - in.f32();
        in.skip(2);
    }

    const size_t groupCount = in.u16();
    if (!in.ok() || in.remaining() < groupCount * 36) return false;
    if (groupCount > modelLimits::groups) return overLimit(refusal, groupCount, "groups", modelLimits::groups);
    std::vector<Mesh> newMeshes(groupCount);
    for (Mesh& mesh : newMeshes) {
        in.skip(1 + nameBytes);
        const size_t count = in.u16();
        if (!in.ok() || in.remaining() < count * 2 + 1) return false;
        mesh.triangleIndices.resize(count);
        for (int& index : mesh.triangleIndices) {
            index = in.u16();
            if (size_t(index) >= triangleCount) return false;
        }
        mesh.materialIndex = in.s8();
    }

    const size_t materialCount = in.u16();
    if (!in.ok() || in.remaining() < materialCount * 361) return false;
    if (materialCount > modelLimits::materials)
        return overLimit(refusal, materialCount, "materials", modelLimits::materials);
    std::vector<Material> newMaterials(materialCount);
    for (Material& m : newMaterials) {
        in.skip(nameBytes);
        readFloats(in, m.ambient, 4);
        readFloats(in, m.diffuse, 4);
        readFloats(in, m.specular, 4);
        readFloats(in, m.emissive, 4);
        m.shininess = in.f32();
        in.skip(4 + 1);
        const unsigned char* name = in.take(textureNameBytes);
        if (!name) return false;
        // The name ends at its NUL, or at the end of its field if the file left the NUL out.
        const char* text = reinterpret_cast<const char*>(name);
        m.textureFile.assign(text, strnlen(text, textureNameBytes));
        in.skip(textureNameBytes);
    }
    if (!in.ok()) return false;

    vertices = std::move(newVertices);
    triangles = std::move(newTriangles);
    meshes = std::move(newMeshes);
    materials = std::move(newMaterials);
    geometryChanged();
    loadTextures();
    return true;
}
