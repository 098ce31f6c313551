// Small files for tests.
#include "Fixtures.h"

#include "GlTest.h"
#include "TgaWriter.h"
#include "world/Level.h"

void writeFlatTerrain(const std::string& path, int w, int h, int alpha) {
    writeTga(path, w, h, 4, terrainPixels(w, h, [alpha](int, int) { return alpha; }));
}

bool loadTestTerrain(int w, int h, const std::function<int(int, int)>& height) {
    const std::string path = makeTempDir() + "/terrain.tga";
    return writeTga(path, w, h, 4, terrainPixels(w, h, height)) && Level::instance().loadTerrain(path.c_str());
}

Ms3dContent oneTriangleModel(const std::string& textureFile) {
    Ms3dContent c;
    Vertex v0 = {-1, {0, 0, 0}}, v1 = {-1, {10, 0, 0}}, v2 = {-1, {0, 10, 0}};
    c.vertices = {v0, v1, v2};
    Triangle t = {};
    t.vertexIndices[0] = 0;
    t.vertexIndices[1] = 1;
    t.vertexIndices[2] = 2;
    for (auto& n : t.normals) n[2] = 1;
    t.s[1] = 1;
    t.t[2] = 0.25f;
    c.triangles = {t};
    Mesh g;
    g.materialIndex = 0;
    g.triangleIndices = {0};
    c.groups = {g};
    Material m = {};
    for (int i = 0; i < 4; ++i) m.ambient[i] = m.diffuse[i] = 1;
    m.shininess = 10;
    m.textureFile = textureFile;
    c.materials = {m};
    return c;
}

void ObjectMap::write(const std::string& path) const { writeTga(path, width, height, 4, pixels); }
