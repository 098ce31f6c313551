// Drawing the level: culling by tile, the two texture units, and the state the drawing leaves behind.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "GlTest.h"
#include "TestEntity.h"
#include "app/Game.h"
#include "common/ShellState.h"
#include "objects/Ship.h"
#include "view/Camera.h"
#include "world/Level.h"

class LevelDraw : public GlTest {
   protected:
    void SetUp() override {
        GlTest::SetUp();
        dir_ = makeTempDir();
        writeFlatTerrain(dir_ + "/data_t.tga", 64, 64, 10);
        ScopedWorkingDirectory cwd(dir_);
        ASSERT_TRUE(setupScene());
        ASSERT_TRUE(Level::instance().loadTerrain("data_t.tga"));
        resizeViewport(800, 600);
    }
    std::string dir_;
};

TEST_F(LevelDraw, OnlyTilesInViewDrawTheirGroundAndTheirEntities) {
    std::vector<std::string> log;
    TestEntity* near = new TestEntity(2, 100, 600, &log);
    TestEntity* behind = new TestEntity(2, 1400, 100, &log);
    near->name = "near";
    behind->name = "behind";
    Level::instance().place(near);
    Level::instance().place(behind);
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

TEST_F(LevelDraw, LeavesUnitZeroActiveWithTexturingOffAndUnitOneCombining) {
    glLoadIdentity();
    Camera::instance().followShip();
    Level::instance().draw();
    GLint activeUnit = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &activeUnit);
    EXPECT_EQ(activeUnit, GL_TEXTURE0_ARB);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    arb::glActiveTextureARB(GL_TEXTURE1_ARB);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLint mode = 0, scale = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_RGB_SCALE_ARB, &scale);
    EXPECT_EQ(mode, GL_COMBINE_ARB);
    EXPECT_EQ(scale, 2);
    arb::glActiveTextureARB(GL_TEXTURE0_ARB);
    float diffuse[4];
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    EXPECT_FLOAT_EQ(diffuse[0], 0.8f);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(LevelDraw, GroundIsDrawnWhereTheTilesAre) {
    // Looking straight down on the flat ground from above: the terrain covers the middle of the frame.
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_FOG);
    glLoadIdentity();
    Camera::instance().lookAt(700, 1500, 700, 700, 0, 701, 0, 1, 0);
    Level::instance().draw();
    const std::vector<unsigned char> middle = readPixel(400, 300);
    EXPECT_GT(int(middle[0]) + middle[1] + middle[2], 0);
    EXPECT_EQ(Level::instance().tilesDrawn(), 16);
}
