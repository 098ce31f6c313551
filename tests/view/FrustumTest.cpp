// The frustum planes from a real GL projection and view, and the conservative box test.
#include "view/Frustum.h"

#include "common/Gl.h"
#include "Fixtures.h"

class FrustumTest : public GlTest {};

TEST_F(FrustumTest, BoxesInFrontBehindAcrossBesideAndTouching) {
    const struct {
        bool perspective;  // the game's projection from the origin down -z, or an orthographic box from 1 to 10
        Vector3 from, to;
        bool visible;
    } cases[] = {
        {true, {10, 10, -90}, {-10, -10, -110}, true},           // in front, corners either way round
        {true, {-10, -10, 90}, {10, 10, 110}, false},            // behind
        {true, {-10, -10, -2.5f}, {10, 10, -1}, false},          // before the near plane at 3
        {true, {500, -10, -110}, {600, 10, -90}, false},         // beside, to the right
        {true, {-10, 300, -110}, {10, 400, -90}, false},         // above
        {true, {-10, -10, -3500}, {10, 10, -3100}, false},       // past the far plane
        {true, {-1e4f, -1e4f, -2900}, {1e4f, 1e4f, -10}, true},  // enclosing the view
        // Beyond the far right edge, across the extensions of the right and far planes: accepted, since
        // neither plane alone has the whole box outside (the right plane stands at x = 0.552 * -z).
        {true, {1680, -10, -3100}, {1800, 10, -2950}, true},
        {false, {1, -0.5f, -5}, {2, 0.5f, -4}, false},  // only touching the right side from outside
        {false, {0.75f, -0.5f, -5}, {2, 0.5f, -4}, true},
    };
    for (const auto& c : cases) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        if (c.perspective) {
            gluPerspective(45, 800.0 / 600.0, 3, 3000);
        } else {
            glOrtho(-1, 1, -1, 1, 1, 10);
        }
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        Frustum f;
        f.extract();
        EXPECT_EQ(f.boxVisible(c.from, c.to), c.visible) << c.from.x << "," << c.from.y << "," << c.from.z;
    }
}
