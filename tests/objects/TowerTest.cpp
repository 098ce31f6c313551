// Towers: the countdown, one shot per target point per volley, and target points on the ground.

#include "Fixtures.h"

class TowerTest : public GlTest {
   protected:
    void SetUp() override {
        GlTest::SetUp();
        ASSERT_TRUE(loadFlatTerrain(64, 64, 10));
    }
    Tower* build(int reloadCode) {
        Tower* tower = new Tower(200, 200, reloadCode);
        Level::instance().place(tower);
        return tower;
    }
    static std::vector<Shot*> shots() { return filedEntities<Shot>(7); }
};

TEST_F(TowerTest, FiresAVolleyEveryIntervalWithOneShotPerTargetInOrderAimedAtTheGround) {
    Tower* tower = build(4);
    tower->addTarget(240, 400);
    tower->addTarget(-500, 48);  // outside the world: aimed at height 0
    tower->addTarget(200, 300);
    frameTime = 250;
    for (int i = 0; i < 3; ++i) tower->update();
    EXPECT_TRUE(shots().empty());
    tower->update();
    ASSERT_EQ(shots().size(), 3u);
    EXPECT_TRUE(closeTo(shots()[0]->target, Vector3(240, 20, 400), 0));
    EXPECT_TRUE(closeTo(shots()[1]->target, Vector3(-500, 0, 48), 0));
    EXPECT_TRUE(closeTo(shots()[2]->target, Vector3(200, 20, 300), 0));
    EXPECT_EQ(tower->fireCountdown, 1000);

    // A frame longer than what is left fires once; the overshoot is dropped.
    frameTime = 1700;
    tower->update();
    EXPECT_EQ(shots().size(), 6u);
    EXPECT_EQ(tower->fireCountdown, 1000);
}

TEST_F(TowerTest, ReloadCodeZeroFiresEveryFrameUpToTheCeilingOfLiveShotsAndNoTargetsNeverFires) {
    build(0)->update();
    Tower* tower = build(0);
    tower->addTarget(300, 300);
    frameTime = 16;
    tower->update();
    tower->update();
    EXPECT_EQ(shots().size(), 2u);
    for (int i = 0; i < Shot::maxLive + 10; ++i) tower->addTarget(300, 300);
    tower->update();
    EXPECT_EQ(Shot::liveCount(), Shot::maxLive);
    EXPECT_EQ(Level::instance().entityCount(typeIds::shot), Shot::maxLive);
    tower->update();
    EXPECT_EQ(Shot::liveCount(), Shot::maxLive);
}
