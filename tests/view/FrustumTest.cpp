// The frustum planes from a real GL projection and view, and the conservative box test.
#include "view/Frustum.h"

#include "Fixtures.h"

class FrustumTest : public GlTest {};

TEST_F(FrustumTest, BoxesInFrontBehindBesideAndAcrossThePlanes) {
    // The game's projection, from the origin down -z.
    glMatrixMode(GL_PROJECTION);
    gluPerspective(45, 800.0 / 600.0, 3, 3000);
    glMatrixMode(GL_MODELVIEW);
    Frustum f;
    f.extract();
    const struct {
        Vector3 from, to;
        bool visible;
    } cases[] = {
        {{10, 10, -90}, {-10, -10, -110}, true},           // in front, corners either way round
        {{-10, -10, 90}, {10, 10, 110}, false},            // behind
        {{-10, -10, -2.5f}, {10, 10, -1}, false},          // before the near plane at 3
        {{500, -10, -110}, {600, 10, -90}, false},         // beside, to the right
        {{-600, -10, -110}, {-500, 10, -90}, false},       // beside, to the left
        {{-10, 300, -110}, {10, 400, -90}, false},         // above
        {{-10, -10, -3500}, {10, 10, -3100}, false},       // past the far plane
        {{-1e4f, -1e4f, -2900}, {1e4f, 1e4f, -10}, true},  // enclosing the view
        // Beyond the far right edge, across the extensions of the right and far planes: accepted, since
        // neither plane alone has the whole box outside (the right plane stands at x = 0.552 * -z).
        {{1680, -10, -3100}, {1800, 10, -2950}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(f.boxVisible(c.from, c.to), c.visible) << c.from.x << "," << c.from.y << "," << c.from.z;
}
