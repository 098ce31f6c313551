// The ship: the slope rule with the downward normals. (Its speed, its turning and the extra update when it
// crosses into a later tile are flown in the frame driver's and the simulation's tests, leaving the world in
// the frame driver's, its drawing with the models'.)

#include "Fixtures.h"

class ShipTest : public GlTest {
   protected:
    void loadTerrain(int w, int h, const std::function<int(int, int)>& height) {
        ASSERT_TRUE(loadTestTerrain(w, h, height));
    }
    Ship& ship = Ship::player;
    void start(float x, float z, float heading) {
        ship.x = x;
        ship.z = z;
        ship.heading = heading;
        Level::instance().place(&ship);
    }
};

TEST_F(ShipTest, HoldsItsHeightOverGentleGroundAndFollowsSteepGround) {
    loadTerrain(64, 64, [](int c, int) { return c < 32 ? 10 : 8 * c; });
    start(100, 100, 0);  // flat part, ground at 20
    EXPECT_EQ(ship.y, 20);
    ship.followGround(30);  // 10 higher: ridden out
    EXPECT_EQ(ship.y, 20);
    ship.followGround(10);
    EXPECT_EQ(ship.y, 20);
    ship.followGround(30.5f);  // more than 10: jumps
    EXPECT_EQ(ship.y, 30.5f);
    EXPECT_FLOAT_EQ(ship.slopeUnder(), 180);

    // Ground rising 16 per cell leans 33.7 degrees: the slope reading drops below 150, so y follows exactly.
    start(900, 100, 0);
    ship.y = 600;
    ship.followGround(605);
    EXPECT_EQ(ship.y, 605);
    EXPECT_LT(ship.slopeUnder(), 150);
}
