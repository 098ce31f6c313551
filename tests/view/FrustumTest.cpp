// The frustum planes from a real GL projection and view, and the conservative box test.
#include "view/Frustum.h"

#include <gtest/gtest.h>

#include "GlTest.h"
#include "common/Gl.h"

class FrustumTest : public GlTest {
   protected:
    // The game's projection, eye at the origin looking down -z.
    Frustum viewDownMinusZ() {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45, 800.0 / 600.0, 3, 3000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        Frustum f;
        f.extract();
        return f;
    }
};

TEST_F(FrustumTest, PlanesAreUnitLengthAndPointInwards) {
    const Frustum f = viewDownMinusZ();
    for (int i = 0; i < Frustum::planeCount; ++i) {
        const Plane& p = f.plane(i);
        EXPECT_NEAR(p.a * p.a + p.b * p.b + p.c * p.c, 1.0f, 1e-5) << i;
        EXPECT_GT(p.a * 0 + p.b * 0 + p.c * -100 + p.d, 0) << i;  // a point straight ahead is inside all six
    }
    EXPECT_NEAR(f.plane(Frustum::nearPlane).d, -3, 1e-3);  // signed distance from the near plane
    EXPECT_NEAR(f.plane(Frustum::farPlane).d, 3000, 0.5);
}

TEST_F(FrustumTest, BoxesInFrontBehindAcrossAndBeside) {
    const Frustum f = viewDownMinusZ();
    EXPECT_TRUE(f.boxVisible(Vector3(-10, -10, -110), Vector3(10, 10, -90)));           // in front
    EXPECT_TRUE(f.boxVisible(Vector3(10, 10, -90), Vector3(-10, -10, -110)));           // corners either way round
    EXPECT_FALSE(f.boxVisible(Vector3(-10, -10, 90), Vector3(10, 10, 110)));            // behind
    EXPECT_TRUE(f.boxVisible(Vector3(-10, -10, -10), Vector3(10, 10, 10)));             // across the near plane
    EXPECT_FALSE(f.boxVisible(Vector3(500, -10, -110), Vector3(600, 10, -90)));         // beside, to the right
    EXPECT_FALSE(f.boxVisible(Vector3(-10, -10, -3500), Vector3(10, 10, -3100)));       // past the far plane
    EXPECT_TRUE(f.boxVisible(Vector3(-1e4f, -1e4f, -2900), Vector3(1e4f, 1e4f, -10)));  // enclosing the view
    // Beyond the far right edge of the frustum, across the extensions of the right and far planes: accepted,
    // since neither plane alone has the whole box outside (the right plane stands at x = 0.552 * -z).
    EXPECT_TRUE(f.boxVisible(Vector3(1680, -10, -3100), Vector3(1800, 10, -2950)));
}

TEST_F(FrustumTest, ABoxThatOnlyTouchesAPlaneFromOutsideIsRejected) {
    // An orthographic view puts the side planes exactly at x = -1 and x = 1.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, 1, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Frustum f;
    f.extract();
    EXPECT_FALSE(f.boxVisible(Vector3(1, -0.5f, -5), Vector3(2, 0.5f, -4)));
    EXPECT_TRUE(f.boxVisible(Vector3(0.75f, -0.5f, -5), Vector3(2, 0.5f, -4)));
    Frustum zero;
    EXPECT_FALSE(zero.boxVisible(Vector3(-1, -1, -1), Vector3(1, 1, 1)));  // before the first extract
}
