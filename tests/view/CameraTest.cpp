// The chase camera: eye behind the ship in the ground plane, heights from pitch alone.

#include "Fixtures.h"

class CameraTest : public GlTest {
   protected:
    // Where the current modelview puts the eye, in world coordinates.
    Vector3 eye() const {
        float m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        // The view matrix is a rotation R and translation t; the eye is -R^T t.
        return Vector3(-(m[0] * m[12] + m[1] * m[13] + m[2] * m[14]), -(m[4] * m[12] + m[5] * m[13] + m[6] * m[14]),
                       -(m[8] * m[12] + m[9] * m[13] + m[10] * m[14]));
    }
};

TEST_F(CameraTest, EyeStands500BehindTheShipAtAHeightSetByPitchNeverBelowTheGroundPlane) {
    Camera& camera = Camera::instance();
    Ship& ship = Ship::player;
    ship.x = 1000;
    ship.z = 2000;
    ship.y = 300;  // the ship's own height does not move the eye
    resizeViewport(800, 600);
    const struct {
        float heading, pitch, baseHeight;
        Vector3 eye;
    } cases[] = {{0, 0, 75, {1000, 75, 1500}}, {90, 0.5f, 75, {500, 275, 2000}}, {0, 0, -40, {1000, 0, 1500}}};
    for (const auto& c : cases) {
        ship.heading = c.heading;
        camera.pitch = c.pitch;
        camera.baseHeight = c.baseHeight;
        glLoadIdentity();
        camera.followShip();
        EXPECT_TRUE(closeTo(eye(), c.eye, 1e-2f)) << c.heading << " " << c.pitch << " " << c.baseHeight;
    }
    // The frustum follows the view just set: the ship's point is in view, the point behind the eye is not.
    EXPECT_TRUE(camera.frustum.boxVisible(Vector3(990, -10, 1990), Vector3(1010, 10, 2010)));
    EXPECT_FALSE(camera.frustum.boxVisible(Vector3(990, -10, 990), Vector3(1010, 10, 1010)));
    camera.baseHeight = 75;
}
