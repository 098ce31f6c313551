// The chase camera: eye behind the ship in the ground plane, heights from pitch alone.
#include "view/Camera.h"

#include <gtest/gtest.h>

#include "GlTest.h"
#include "app/Game.h"
#include "objects/Ship.h"

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

TEST_F(CameraTest, EyeStands500BehindTheShipAtAHeightSetByPitch) {
    Camera& camera = Camera::instance();
    EXPECT_FLOAT_EQ(camera.baseHeight, 75);  // the ship stood at height 0 when the camera was made
    Ship& ship = Ship::player;
    ship.x = 1000;
    ship.z = 2000;
    ship.y = 300;  // the ship's own height does not move the eye
    ship.heading = 0;
    resizeViewport(800, 600);
    camera.followShip();
    Vector3 e = eye();
    EXPECT_NEAR(e.x, 1000, 1e-2);
    EXPECT_NEAR(e.y, 75, 1e-2);
    EXPECT_NEAR(e.z, 1500, 1e-2);

    ship.heading = 90;
    camera.pitch = 0.5f;
    glLoadIdentity();
    camera.followShip();
    e = eye();
    EXPECT_NEAR(e.x, 500, 1e-2);
    EXPECT_NEAR(e.y, 275, 1e-2);
    EXPECT_NEAR(e.z, 2000, 1e-2);
    // The frustum follows the view just set: the ship's point is in view, the point behind the eye is not.
    EXPECT_TRUE(camera.frustum.boxVisible(Vector3(990, 260, 1990), Vector3(1010, 290, 2010)));
    EXPECT_FALSE(camera.frustum.boxVisible(Vector3(0, 260, 1990), Vector3(20, 290, 2010)));
}

TEST_F(CameraTest, ABaseHeightBelowZeroCountsAsZero) {
    Camera& camera = Camera::instance();
    const float saved = camera.baseHeight;
    camera.baseHeight = -40;
    resizeViewport(800, 600);
    camera.followShip();
    EXPECT_NEAR(eye().y, 0, 1e-2);
    camera.baseHeight = saved;
}
