// Shots: lifted on the first update, homing under the lift, the strict 35-unit hit box, bursting at the
// target's height, and the explosion left behind.

#include "Fixtures.h"

class ShotTest : public GlTest {
   protected:
    void SetUp() override {
        GlTest::SetUp();
        restart();
    }
    void restart() {
        ASSERT_TRUE(loadFlatTerrain(64, 64, 10));  // ground at 20
        Ship::player.reset();
        Ship::player.x = 5000;  // far away unless a test brings it close
        Ship::player.z = 5000;
    }
    Shot* fire(Vector3 from, Vector3 to) {
        Shot* shot = new Shot(from, to);
        Level::instance().place(shot);
        return shot;
    }
    int shots() const { return Level::instance().entityCount(typeIds::shot); }
    int explosions() const { return Level::instance().entityCount(typeIds::explosion); }
};

TEST_F(ShotTest, StartsOnTheGroundThenRises150BeforeItsFirstStepAndLiftWhichScaleWithFrameTime) {
    struct Case {
        Vector3 from, to;
        float frameTime;
        Vector3 after;  // where the first update leaves it
    };
    const Case cases[] = {
        // From (100, 170) towards (1000, 20): 25 units along (900, -150) / 912.41, then 9.82 up.
        {{100, 999, 100}, {1000, 20, 100}, 30, {124.6598f, 175.7100f, 100}},
        {{100, 999, 100}, {1000, 20, 100}, 0, {100, 170, 100}},     // a frame of 0 ms: no step and no lift
        {{300, 0, 300}, {300, 170, 300}, 30, {300, 179.82f, 300}},  // exactly on its target: no step
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frameTime);
        restart();
        Ship::player.x = 300;  // close along x, far above: the third shot, standing on its target, flies on
        Ship::player.y = 5000;
        Shot* shot = fire(c.from, c.to);
        EXPECT_EQ(shot->y, 20);  // filing stood it on the ground
        frameTime = c.frameTime;
        Level::instance().update();
        EXPECT_TRUE(closeTo(positionOf(*shot), c.after));
    }
}

TEST_F(ShotTest, HitsTheShipOnlyWithinThirtyFiveOnEveryAxis) {
    Ship& ship = Ship::player;
    frameTime = 30;
    // Where a shot stands after its first update (the ship far away); the ship is then put near that point.
    Shot* probe = fire(Vector3(300, 0, 300), Vector3(300, 20, 1000));
    Level::instance().update();
    const Vector3 p = positionOf(*probe);
    struct Case {
        Vector3 offset;
        bool hit;
    };
    const Case cases[] = {{{0, 0, 0}, true},   {{34.9f, 0, 0}, true}, {{35, 0, 0}, false},
                          {{0, 35, 0}, false}, {{0, 0, -35}, false},  {{0, -34.5f, 20}, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.offset.x) + "," + std::to_string(c.offset.y) + "," + std::to_string(c.offset.z));
        restart();
        ship.x = p.x + c.offset.x;
        ship.y = p.y + c.offset.y;
        ship.z = p.z + c.offset.z;
        fire(Vector3(300, 0, 300), Vector3(300, 20, 1000));
        Level::instance().update();
        EXPECT_EQ(ship.shield, c.hit ? 90 : 100);
        EXPECT_EQ(shots(), c.hit ? 0 : 1);
        EXPECT_EQ(explosions(), c.hit ? 1 : 0);
    }
}

TEST_F(ShotTest, BurstsWithoutDamageAtItsTargetsHeightAtAnyFrameRateEvenPastTheWorldOrIsReleasedThere) {
    const struct {
        Vector3 from, to;
        float frameMs;
        int explosions;  // left where it burst, on the ground
    } cases[] = {
        {{100, 0, 100}, {600, 20, 100}, 30, 1},
        {{100, 0, 100}, {600, 20, 100}, 4, 1},     // at 250 frames a second the lift still brings it down
        {{1400, 0, 100}, {4000, 20, 100}, 60, 0},  // target far past the last tile: it leaves high and is released
        // One tile at height 0, the target on its last sample row: the move that crosses the world's edge
        // (from z 356.56 to 362.23) also comes down to the target's height.
        {{144, 0, 192}, {204, 0, 360}, 60, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.to.z) + " at " + std::to_string(c.frameMs));
        restart();
        if (c.to.y == 0) {
            ASSERT_TRUE(loadFlatTerrain(16, 16, 0));
        }
        fire(c.from, c.to);
        frameTime = c.frameMs;
        for (int i = 0; i < 5000 && shots() > 0; ++i) Level::instance().update();
        EXPECT_EQ(shots(), 0);
        EXPECT_EQ(Shot::liveCount(), 0);  // and nothing is kept for a shot that is gone
        const auto explosions = filedEntities<Explosion>(9);
        ASSERT_EQ(explosions.size(), size_t(c.explosions));
        if (c.explosions) {
            EXPECT_EQ(explosions[0]->y, c.to.y);
            EXPECT_NEAR(explosions[0]->x, c.to.x, 30);
        }
        EXPECT_EQ(Ship::player.shield, 100);
    }
}
