// The ship: the slope rule with the downward normals. (Its speed, its turning and the extra update when it
// crosses into a later tile are flown in the frame driver's and the simulation's tests, leaving the world in
// the frame driver's, its drawing with the models'.)

#include "Fixtures.h"

class ShipTest : public GlTest {};

TEST_F(ShipTest, HoldsItsHeightOverGentleGroundAndFollowsSteepGround) {
    ASSERT_TRUE(loadTestTerrain(64, 64, [](int c, int) { return c < 32 ? 10 : 8 * c; }));
    Ship& ship = Ship::player;
    ship.x = ship.z = 100;  // flat part, ground at 20
    Level::instance().place(&ship);
    EXPECT_EQ(ship.y, 20);
    ship.followGround(30);  // 10 higher: ridden out
    EXPECT_EQ(ship.y, 20);
    ship.followGround(10);
    EXPECT_EQ(ship.y, 20);
    ship.followGround(30.5f);  // more than 10: jumps
    EXPECT_EQ(ship.y, 30.5f);
    EXPECT_FLOAT_EQ(ship.slopeUnder(), 180);

    // Ground rising 16 per cell leans 33.7 degrees: the slope reading drops below 150, so y follows exactly.
    ship.setPosition(Vector3(900, 600, 100));
    ship.followGround(605);
    EXPECT_EQ(ship.y, 605);
    EXPECT_LT(ship.slopeUnder(), 150);
}
