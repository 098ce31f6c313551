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
    int alive() const { return Level::instance().entityCount(typeIds::explosion); }
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
    // 508 ms at 4 ms a frame, where truncating the growth every frame would never end, and 32 updates at 16 ms;
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
    // The fireball off the diagonal (x is not z), the ship offset along one axis at a time: exactly the first
    // size (3) away is outside, so it is hurt from the second update on; 32 updates at 16 ms.
    const struct {
        float dx, dy, dz;
        int hurt;
    } cases[] = {{0, 0, 0, 32}, {3, 0, 0, 31}, {-3, 0, 0, 31}, {0, 3, 0, 31}, {0, 0, 3, 31}, {0, 0, -3, 31},
                 {2.9f, 0, 2.9f, 32}};
    Ship& ship = Ship::player;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dx) + " " + std::to_string(c.dy) + " " + std::to_string(c.dz));
        ship.shield = 100;
        burst(100, 0, 180);
        ship.x = 100 + c.dx;
        ship.y = 20 + c.dy;
        ship.z = 180 + c.dz;
        EXPECT_EQ(lifetime(16), 32);
        EXPECT_EQ(ship.shield, 100 - c.hurt);
    }
}
