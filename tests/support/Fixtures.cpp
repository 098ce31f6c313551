// Small files for tests.
#include "Fixtures.h"

#include <iterator>

// A 32-bit terrain picture of w by h pixels whose alpha is height(c, r) and colour is grey.
static std::vector<unsigned char> terrainPixels(int w, int h, const std::function<int(int, int)>& height) {
    std::vector<unsigned char> pixels(size_t(w) * size_t(h) * 4, 128);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) pixels[(size_t(r) * w + c) * 4 + 3] = static_cast<unsigned char>(height(c, r));
    return pixels;
}

void writeFlatTerrain(const std::string& path, int w, int h, int alpha) {
    writeTga(path, w, h, 4, terrainPixels(w, h, [alpha](int, int) { return alpha; }));
}

bool loadTestTerrain(int w, int h, const std::function<int(int, int)>& height) {
    const std::string path = makeTempDir() + "/terrain.tga";
    return writeTga(path, w, h, 4, terrainPixels(w, h, height)) && Level::instance().loadTerrain(path.c_str());
}

Ms3dContent oneTriangleModel(const std::string& textureFile) {
    Ms3dContent c;
    c.vertices = {{-1, {0, 0, 0}}, {-1, {10, 0, 0}}, {-1, {0, 10, 0}}};
    Triangle t = {};
    for (int i = 0; i < 3; ++i) {
        t.vertexIndices[i] = i;
        t.normals[i][2] = 1;
    }
    t.s[1] = 1;
    t.t[2] = 0.25f;
    c.triangles = {t};
    c.groups = {Mesh{0, {0}}};
    Material m = {};
    for (int i = 0; i < 4; ++i) m.ambient[i] = m.diffuse[i] = 1;
    m.shininess = 10;
    m.textureFile = textureFile;
    c.materials = {m};
    return c;
}

std::shared_ptr<Ms3dModel> modelFrom(const Ms3dContent& content) {
    const std::vector<unsigned char> bytes = ms3dBytes(content);
    auto model = std::make_shared<Ms3dModel>();
    EXPECT_TRUE(model->loadFromMemory(bytes.data(), bytes.size()));
    return model;
}

void ObjectMap::write(const std::string& path) const { writeTga(path, width, height, 4, pixels); }

std::string writeLevelFolder(const ObjectMap& map) {
    const std::string dir = makeTempDir();
    EXPECT_EQ(std::system(("mkdir -p " + dir + "/data").c_str()), 0);
    writeFlatTerrain(dir + "/" + terrainFile, 64, 64, 10);
    map.write(dir + "/" + objectMapFile);
    return dir;
}

::testing::AssertionResult closeTo(const Vector3& got, const Vector3& want, float tolerance) {
    if (std::fabs(got.x - want.x) <= tolerance && std::fabs(got.y - want.y) <= tolerance &&
        std::fabs(got.z - want.z) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << got.x << ", " << got.y << ", " << got.z << ") is not within "
                                         << tolerance << " of (" << want.x << ", " << want.y << ", " << want.z << ")";
}

std::vector<unsigned char> bytesOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<unsigned char>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
