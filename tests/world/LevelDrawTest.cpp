// Drawing the level: culling by tile, the two texture units, and the state the drawing leaves behind.

#include "Fixtures.h"
#include "common/GlExtensions.h"
#include "TestEntity.h"
#include "common/GameRandom.h"
#include "common/Units.h"

class LevelDraw : public GlTest {
   protected:
    void SetUp() override {
        GlTest::SetUp();
        ScopedWorkingDirectory cwd(makeTempDir());  // no data/ here: no textures
        ASSERT_TRUE(setupScene());
        ASSERT_TRUE(loadFlatTerrain(64, 64, 10));
        resizeViewport(800, 600);
    }
};

TEST_F(LevelDraw, OnlyTilesInViewDrawTheirGroundAndTheirEntities) {
    std::vector<std::string> log;
    Level::instance().place(new TestEntity(typeIds::tree, 100, 600, &log, "near"));
    Level::instance().place(new TestEntity(typeIds::tree, 1400, 100, &log, "behind"));
    // The ship at the first tile, looking along +z: the tiles ahead are in view, the far corner is not.
    Ship::player.x = 200;
    Ship::player.z = 800;
    Ship::player.heading = 0;
    Camera::instance().pitch = 0;
    glLoadIdentity();
    Camera::instance().followShip();
    Level::instance().draw();
    EXPECT_GT(Level::instance().tilesDrawn(), 0);
    EXPECT_LT(Level::instance().tilesDrawn(), 16);
    EXPECT_NE(std::find(log.begin(), log.end(), "near:draw"), log.end());
    EXPECT_EQ(std::find(log.begin(), log.end(), "behind:draw"), log.end());
}

TEST_F(LevelDraw, TheGroundFromArraysIsThePictureSentCornerByCornerInItsOwnColours) {
    // Hills, red with a blue eighth in the far corner (the file stores blue, green, red, alpha).
    const std::string path = makeTempDir() + "/coloured.tga";
    std::vector<unsigned char> pixels(64 * 64 * 4);
    for (int r = 0; r < 64; ++r)
        for (int c = 0; c < 64; ++c) {
            unsigned char* p = &pixels[size_t(r * 64 + c) * 4];
            const bool blue = c >= 48 && r >= 32;  // the far corner: rows and columns both count
            p[0] = blue ? 255 : 0;
            p[1] = 40;
            p[2] = blue ? 0 : 255;
            p[3] = static_cast<unsigned char>((c * 5 + r * 3) % 60);
        }
    ASSERT_TRUE(writeTga(path, 64, 64, 4, pixels));
    ASSERT_TRUE(Level::instance().loadTerrain(path.c_str()));
    glDisable(GL_FOG);  // the sky-coloured haze would tint every pixel blue
    const auto drawFrame = [this] {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        Camera::instance().lookAt(768, 1800, -300, 768, 0, 900, 0, 1, 0);
        Level::instance().draw();
        return readFrame();
    };
    const std::vector<unsigned char> fromArrays = drawFrame();
    const PFNGLCLIENTACTIVETEXTUREARBPROC clientActiveTexture = arb::glClientActiveTextureARB;
    ASSERT_NE(clientActiveTexture, nullptr);
    arb::glClientActiveTextureARB = nullptr;  // as on a GL without client-side texture units
    const std::vector<unsigned char> cornerByCorner = drawFrame();
    arb::glClientActiveTextureARB = clientActiveTexture;

    int differing = 0, red = 0, blue = 0;
    for (size_t i = 0; i < fromArrays.size(); i += 4) {
        differing +=
            std::abs(fromArrays[i] - cornerByCorner[i]) > 2 || std::abs(fromArrays[i + 2] - cornerByCorner[i + 2]) > 2;
        red += fromArrays[i] > fromArrays[i + 2] + 20;
        blue += fromArrays[i + 2] > fromArrays[i] + 20;
    }
    EXPECT_LT(differing, 50) << red << " red, " << blue << " blue";
    EXPECT_GT(red, 2 * blue);
    EXPECT_GT(blue, 500);
    EXPECT_EQ(Level::instance().tilesDrawn(), 16);  // looking down on the whole level
}

TEST_F(LevelDraw, OfALargeWorldTheTilesUnderTheViewAreTestedAndNoTileThatWouldPassIsMissed) {
    // 48 by 40 tiles of rough ground (heights over the whole range, so the boxes are tall), seen from random
    // eyes over, beside and outside the world, looking every way: the tiles drawn are exactly those whose
    // boxes pass the test when every tile of the world is tested.
    const std::string path = makeTempDir() + "/rough.tga";
    std::vector<unsigned char> pixels(768 * 640 * 4);
    for (size_t i = 0; i < pixels.size(); i += 4) pixels[i + 3] = static_cast<unsigned char>((i * 2654435761u) >> 24);
    ASSERT_TRUE(writeTga(path, 768, 640, 4, pixels));
    Level& level = Level::instance();
    ASSERT_TRUE(level.loadTerrain(path.c_str()));
    gameSrand(5);
    for (int pose = 0; pose < 300; ++pose) {
        const float x = float(gameRand() % 26000) - 4000, z = float(gameRand() % 23000) - 4000;
        const float y = float(gameRand() % 1200), heading = float(gameRand() % 360) * degreesToRadians;
        const float down = float(gameRand() % 1000) / 1000;
        glLoadIdentity();
        Camera::instance().lookAt(x, y, z, x + 100 * std::sin(heading), y - 100 * down, z + 100 * std::cos(heading), 0,
                                  1, 0);
        level.draw();
        int passing = 0;
        for (const auto& tile : level.tiles())
            passing += Camera::instance().frustum.boxVisible(tile->minCorner(), tile->maxCorner());
        ASSERT_EQ(level.tilesDrawn(), passing) << "eye " << x << ", " << y << ", " << z;
    }
}
