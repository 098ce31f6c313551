// Towers: the countdown, one shot per target point per volley, and target points on the ground.
#include "objects/Tower.h"

#include <gtest/gtest.h>

#include "Fixtures.h"
#include "GlTest.h"
#include "common/ShellState.h"
#include "objects/Shot.h"
#include "world/Level.h"

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
    // The shots filed in the tower's tile, in their order.
    std::vector<Shot*> shots() {
        std::vector<Shot*> out;
        for (auto& list : Level::instance().tiles()[0]->lists)
            if (list->typeId == 7)
                for (EntityNode* n = list->head; n; n = n->next) out.push_back(static_cast<Shot*>(n->entity));
        return out;
    }
};

TEST_F(TowerTest, FiresAVolleyEveryIntervalWithOneShotPerTargetInOrder) {
    Tower* tower = build(4);
    EXPECT_EQ(tower->fireInterval, 1000);
    EXPECT_EQ(tower->heading, 0);
    tower->addTarget(240, 400);
    tower->addTarget(300, 200);
    tower->addTarget(200, 300);
    frameTime = 250;
    for (int i = 0; i < 3; ++i) tower->update();
    EXPECT_TRUE(shots().empty());
    tower->update();
    ASSERT_EQ(shots().size(), 3u);
    EXPECT_EQ(shots()[0]->target.x, 240);
    EXPECT_EQ(shots()[1]->target.x, 300);
    EXPECT_EQ(shots()[2]->target.z, 300);
    EXPECT_EQ(tower->fireCountdown, 1000);

    // A frame longer than what is left fires once; the overshoot is dropped.
    frameTime = 1700;
    tower->update();
    EXPECT_EQ(shots().size(), 6u);
    EXPECT_EQ(tower->fireCountdown, 1000);
}

TEST_F(TowerTest, ReloadCodeZeroFiresEveryFrameAndNoTargetsNeverFires) {
    Tower* rapid = build(0);
    rapid->addTarget(300, 300);
    Tower* idle = build(0);
    frameTime = 16;
    rapid->update();
    idle->update();
    rapid->update();
    EXPECT_EQ(shots().size(), 2u);
}

TEST_F(TowerTest, AVolleyStopsAtTheCeilingOfLiveShots) {
    Tower* tower = build(0);
    for (int i = 0; i < Shot::maxLive + 10; ++i) tower->addTarget(300, 300);
    frameTime = 16;
    tower->update();
    EXPECT_EQ(Shot::liveCount(), Shot::maxLive);
    EXPECT_EQ(Level::instance().entityCount(7), Shot::maxLive);
    tower->update();
    EXPECT_EQ(Shot::liveCount(), Shot::maxLive);
}

TEST_F(TowerTest, TargetPointsStandOnTheGroundOrAtZeroOutsideTheWorld) {
    Tower* tower = build(4);
    tower->addTarget(84, 48);
    tower->addTarget(-500, 48);
    tower->addTarget(84, 48);  // the same point twice is two targets
    ASSERT_EQ(tower->targets.size(), 3u);
    EXPECT_EQ(tower->targets[0].y, 20);
    EXPECT_EQ(tower->targets[1].y, 0);
    EXPECT_EQ(tower->targets[2].x, 84);
}
