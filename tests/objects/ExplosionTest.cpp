// Explosions: growth from the accumulated time, damage inside the strict cube, and the end past 100.

#include "Fixtures.h"

class ExplosionTest : public GlTest {
   protected:
    void SetUp() override {
        GlTest::SetUp();
        ASSERT_TRUE(loadFlatTerrain(32, 32, 10));
        Ship::player.x = 5000;
    }
    Explosion* burst(float x, float y, float z) {
        Explosion* e = new Explosion(Vector3(x, y, z));
        Level::instance().tileAt(x, z)->add(e);  // as a shot hands it over: straight to its tile
        return e;
    }
    int alive() const { return Level::instance().entityCount(9); }
    // Updates until the explosion has gone; returns how many updates it took.
    int lifetime(float ms) {
        frameTime = ms;
        int updates = 0;
        while (alive() > 0 && updates < 100000) {
            Level::instance().update();
            ++updates;
        }
        return updates;
    }
};

TEST_F(ExplosionTest, StandsOnTheGroundGrowsTwoTenthsPerMillisecondAndEndsAfterTheSameTimeAtAnyFrameRate) {
    EXPECT_EQ(burst(100, 300, 100)->y, 20);
    // 508 ms at 4 ms a frame, where truncating the growth every frame would never end, and 34 updates at 16 ms;
    // size exactly 100 lives on.
    const struct {
        float frameMs;
        int updates;
    } cases[] = {{4, 127}, {16, 32}, {500, 2}};
    for (const auto& c : cases) {
        burst(100, 0, 100);
        EXPECT_EQ(lifetime(c.frameMs), c.updates) << c.frameMs;
    }
}

TEST_F(ExplosionTest, HurtsTheShipOncePerUpdateInsideItsCubeOnly) {
    Ship& ship = Ship::player;
    burst(100, 0, 100);
    ship.x = 100;
    ship.y = 20;
    ship.z = 100;
    EXPECT_EQ(lifetime(16), 32);
    EXPECT_EQ(ship.shield, 100 - 32);  // inside from the first update: within 3 units of the centre

    ship.shield = 100;
    burst(100, 0, 100);
    ship.x = 103;  // exactly the first size away along x: no damage then, but from the second update on
    EXPECT_EQ(lifetime(16), 32);
    EXPECT_EQ(ship.shield, 100 - 31);
}
