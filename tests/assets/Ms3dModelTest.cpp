// The MS3D reader: what is kept, versions, and files that lie about their contents.

#include "Fixtures.h"

namespace {

bool loads(const std::vector<unsigned char>& bytes, Ms3dModel& model) {
    return model.loadFromMemory(bytes.data(), bytes.size());
}

void expectEmpty(const Model& model) {
    EXPECT_EQ(model.meshes.size() + model.materials.size() + model.triangles.size() + model.vertices.size(), 0u);
}

}  // namespace

TEST(Ms3dModel, KeepsGeometryAndMaterialsAndFlipsTInVersions3And4AndReadsEmptyModels) {
    Ms3dModel empty;
    EXPECT_TRUE(loads(ms3dBytes(Ms3dContent()), empty));
    expectEmpty(empty);
    Ms3dContent content = oneTriangleModel(std::string(128, 'x'));  // a name filling its field, unterminated
    content.groups.push_back(Mesh{-1, {}});
    content.trailer = std::vector<unsigned char>(300, 0xAB);  // animation data: not read
    content.version = 3;
    Ms3dModel old;
    EXPECT_TRUE(loads(ms3dBytes(content), old));
    content.version = 4;
    Ms3dModel model;
    ASSERT_TRUE(loads(ms3dBytes(content), model));
    ASSERT_EQ(model.vertexCount(), 3);
    EXPECT_FLOAT_EQ(model.vertices[1].position[0], 10);
    EXPECT_EQ(model.vertices[1].boneId, -1);
    ASSERT_EQ(model.triangleCount(), 1);
    EXPECT_FLOAT_EQ(model.triangles[0].s[1], 1);
    EXPECT_FLOAT_EQ(model.triangles[0].t[2], 0.75f);
    EXPECT_FLOAT_EQ(model.triangles[0].t[0], 1);
    EXPECT_FLOAT_EQ(model.triangles[0].normals[2][2], 1);
    ASSERT_EQ(model.meshes.size(), 2u);
    EXPECT_EQ(model.meshes[0].triangleIndices, std::vector<int>{0});
    EXPECT_EQ(model.meshes[1].materialIndex, -1);  // the file's 0xFF
    ASSERT_EQ(model.materialCount(), 1);
    EXPECT_EQ(model.materials[0].textureFile, std::string(128, 'x'));
    EXPECT_FLOAT_EQ(model.materials[0].shininess, 10);
}

TEST(Ms3dModel, RefusesBadFilesAndLeavesTheModelEmpty) {
    const auto spoiled = [](const std::function<void(Ms3dContent&)>& change) {
        Ms3dContent c = oneTriangleModel();
        change(c);
        return ms3dBytes(c);
    };
    const std::vector<unsigned char> good = spoiled([](Ms3dContent&) {});
    std::vector<std::pair<std::string, std::vector<unsigned char>>> bad = {
        {"vertex index out of range", spoiled([](Ms3dContent& c) { c.triangles[0].vertexIndices[2] = 3; })},
        {"triangle index out of range", spoiled([](Ms3dContent& c) { c.groups[0].triangleIndices = {1}; })},
    };
    for (int version : {2, 5, -1})
        bad.push_back({"version " + std::to_string(version), spoiled([=](Ms3dContent& c) { c.version = version; })});
    for (size_t i = 0; i < 10; ++i) {
        auto b = good;
        b[i] ^= 0x20;
        bad.push_back({"identifier byte " + std::to_string(i), b});
    }
    auto b = good;
    b[14] = b[15] = 0xff;  // vertex count 65535 with three records behind it
    bad.push_back({"vertex count past the end", b});
    // Cut at every length short of the whole file: each cut lands inside some section.
    for (size_t n = 0; n < good.size(); n += 7)
        bad.push_back({"cut at " + std::to_string(n), {good.begin(), good.begin() + long(n)}});
    for (const auto& [name, bytes] : bad) {
        Ms3dModel model;
        EXPECT_FALSE(loads(bytes, model)) << name;
        expectEmpty(model);
    }
    Ms3dModel model;
    const std::string cut = makeTempDir() + "/cut.ms3d";
    writeBytes(cut, bad.back().second);
    EXPECT_FALSE(model.load(cut.c_str()));
    EXPECT_FALSE(model.load("/nonexistent/model.ms3d"));
    EXPECT_FALSE(model.load(nullptr));
}
