// The level generator: deterministic output that the game's own readers accept, and a level worth flying.
#include "LevelGenerator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "GlTest.h"
#include "assets/Ms3dModel.h"
#include "assets/Tga.h"
#include "objects/Ship.h"
#include "world/Level.h"

namespace {

std::vector<char> bytesOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<char>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

const char* const dataFiles[] = {
    "level1.tga",         "level1objects.tga",  "textures/detail.tga",    "textures/particle.tga",
    "models/ship.ms3d",   "models/shot.ms3d",   "models/tower.ms3d",      "models/Explosion.ms3d",
    "models/tree1.ms3d",  "models/tree2.ms3d",  "models/tree3.ms3d",      "models/rock1.ms3d",
    "models/rock2.ms3d",  "models/rock3.ms3d",  "models/mushroom1.ms3d",  "models/mushroom2.ms3d",
    "models/plant1.ms3d", "models/plant2.ms3d", "models/smallrock1.ms3d", "models/smallrock2.ms3d"};

}  // namespace

TEST(LevelGenerator, TheSameSeedWritesTheSameBytesIntoTheGamesDataFolder) {
    const std::string a = makeTempDir(), b = makeTempDir(), c = makeTempDir();
    // --out names the game's folder, or its data/ itself: both write DIR/data.
    const std::string levelgen = std::string(LEVELGEN) + " --width 256 --height 128 --out ";
    ASSERT_EQ(std::system((levelgen + a).c_str()), 0);
    ASSERT_EQ(std::system((levelgen + b + "/data/").c_str()), 0);
    ASSERT_EQ(std::system((levelgen + c + " --seed 2").c_str()), 0);
    for (const char* file : dataFiles) {
        const std::vector<char> first = bytesOf(a + "/data/" + file);
        EXPECT_FALSE(first.empty()) << file;
        EXPECT_EQ(first, bytesOf(b + "/data/" + file)) << file;
    }
    EXPECT_NE(bytesOf(a + "/data/level1.tga"), bytesOf(c + "/data/level1.tga"));
}

TEST(LevelGenerator, TheDefaultLevelHasOneStartALongRunAheadAndTargetsForEveryTower) {
    const GeneratedLevel level = generateLevel(LevelOptions());
    int starts = 0;
    std::set<int> towerCodes, targetCodes;
    std::map<int, int> objects;
    for (size_t p = 0; p < level.objects.size(); p += 4) {
        if (level.objects[p]) towerCodes.insert(level.objects[p]);
        if (level.objects[p + 2]) targetCodes.insert(level.objects[p + 2]);
        objects[level.objects[p + 1]]++;
        if (level.objects[p + 1] == 1) ++starts;
    }
    EXPECT_EQ(starts, 1);
    EXPECT_GE(towerCodes.size(), 10u);
    for (int code : towerCodes) EXPECT_TRUE(targetCodes.count(code)) << "tower code " << code << " has no targets";
    EXPECT_GT(objects[3] + objects[4] + objects[5] + objects[6], 2000);  // thousands of scenery objects
    // The start: near the middle, facing +x, with a minute of straight flight at 400 units a second ahead.
    EXPECT_NEAR(level.startColumn, level.width / 2, level.width / 8);
    EXPECT_NEAR(level.startRow, level.height / 2, level.height / 8);
    const size_t start = (size_t(level.startRow) * size_t(level.width) + size_t(level.startColumn)) * 4;
    EXPECT_EQ(level.objects[start + 3], 64);  // heading 90.4 degrees
    const double runAhead = (level.width / 16 * 384 - 24 - (24.0 * level.startColumn + 6)) / 400.0;
    EXPECT_GE(runAhead, 60);
    // Low ground at the start, so the chase camera at its lowest (75) stays above it.
    EXPECT_LT(2 * level.terrain[start + 3], 60);
}

class GeneratedData : public GlTest {};

TEST_F(GeneratedData, EveryFileLoadsThroughTheGamesOwnReaders) {
    const std::string dir = makeTempDir();
    LevelOptions options;
    options.width = 256;
    options.height = 128;
    ASSERT_TRUE(writeLevelData(dir + "/data", options));
    ScopedWorkingDirectory cwd(dir);
    for (const char* file : dataFiles) {
        const std::string path = std::string("data/") + file;
        if (path.find(".tga") != std::string::npos) {
            TgaImage image;
            EXPECT_TRUE(readTga(path.c_str(), image)) << path;
            continue;
        }
        Ms3dModel model;
        ASSERT_TRUE(model.load(path.c_str())) << path;
        EXPECT_GT(model.triangleCount(), 0) << path;
        ASSERT_EQ(model.materialCount(), 1) << path;
        EXPECT_NE(model.materials[0].texture, 0u) << path << " skin " << model.materials[0].textureFile;
        // Unit normals, texture coordinates on the skin.
        for (const Triangle& t : model.triangles) {
            for (int corner = 0; corner < 3; ++corner) {
                const float* n = t.normals[corner];
                ASSERT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1, 1e-3) << path;
                ASSERT_GE(t.s[corner], 0);
                ASSERT_LE(t.s[corner], 1);
            }
        }
    }
    Level& level = Level::instance();
    ASSERT_TRUE(level.loadTerrain("data/level1.tga"));
    EXPECT_EQ(level.tiles().size(), 16u * 8u);
    ASSERT_TRUE(level.loadObjectMap("data/level1objects.tga"));
    EXPECT_TRUE(Ship::player.filed);
    EXPECT_GT(level.entityCount(6), 0);
}
