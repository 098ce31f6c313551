// The ship: the slope rule with the downward normals, tile crossings, leaving the world, and how it is drawn.
// (Its speed and turning are flown in the frame driver's and the simulation's tests.)

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

TEST_F(ShipTest, CrossingIntoALaterTileUpdatesTwiceAndPutsItOnTheGround) {
    loadTerrain(32, 32, [](int c, int) { return c < 17 ? 10 : 60; });
    start(400, 100, 90);  // 8 units before the first tile's area ends at x = 408
    ship.y = 80;
    frameTime = 30;
    Level::instance().update();
    EXPECT_EQ(ship.tile, Level::instance().tiles()[1].get());
    EXPECT_NEAR(ship.x, 424, 1e-3);  // moved twice: 12 in tile 0, then 12 more from tile 1
    EXPECT_EQ(ship.y, groundHeight(ship.x, ship.z));
}

TEST_F(ShipTest, LeavingTheWorldDropsTheShipWithoutReadingOutsideItsTile) {
    loadTerrain(16, 16, [](int, int) { return 10; });
    start(355, 100, 90);
    frameTime = 30;
    Level::instance().update();
    EXPECT_FALSE(ship.filed);
    EXPECT_EQ(ship.y, 0);  // no ground out there
    const float x = ship.x;
    Level::instance().update();
    EXPECT_EQ(ship.x, x);  // neither updated nor drawn any more
    EXPECT_EQ(Level::instance().entityCount(1), 0);
}

TEST_F(ShipTest, IsDrawnTurnedByItsHeadingAndBankedByItsSteering) {
    // A right triangle from (0,0) to (10,0) and (0,10) as the ship (and its shield bubble), seen from behind,
    // 10 pixels a unit. Half a turn about +y mirrors it to the left of where it stands; steer 0.5 banks it 40
    // degrees clockwise, its corner well below where it stands. Turned about another axis, the triangle would
    // leave the plane or stay where it was.
    const std::shared_ptr<Ms3dModel> saved = ship.model;
    ship.model = modelFrom(oneTriangleModel());
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    const struct {
        float heading, steer;
        int litX, litY, darkX, darkY;
    } cases[] = {{180, 0, 370, 330, 430, 330}, {0, 0.5f, 480, 200, 370, 330}};
    for (const auto& c : cases) {
        orthoFrame(-400, 400, -300, 300, -1000, 1000);
        glScalef(10, 10, 10);
        ship.x = ship.z = 0;
        ship.y = -20;  // drawn 20 over its height: at 0
        ship.heading = c.heading;
        ship.steer = c.steer;
        ship.draw();
        EXPECT_GT(readPixel(c.litX, c.litY)[0], 40) << c.heading;
        EXPECT_LT(readPixel(c.darkX, c.darkY)[0], 40) << c.heading;
    }
    ship.model = saved;
    ship.steer = 0;
}
