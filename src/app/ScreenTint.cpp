// The edge tint, in the window's own coordinates (-1 to 1 on both axes), over whatever was drawn.
#include "app/ScreenTint.h"

#include "common/Gl.h"

namespace {
constexpr float edgeAlpha = 0.55f;  // at full strength, right at the edge
constexpr float bandWidth = 0.3f;   // of the half window on each side, where the tint fades out
}  // namespace

void drawEdgeTint(float strength) {
    if (strength <= 0) return;
    if (strength > 1) strength = 1;
    GLint polygonModes[2] = {GL_FILL, GL_FILL};  // the front's and the back's
    glGetIntegerv(GL_POLYGON_MODE, polygonModes);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_FOG);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    const float a = edgeAlpha * strength, in = 1 - bandWidth;
    // Four bands, each from the edge (red at a) to its inner side (clear); the corners overlap, redder.
    const float bands[4][4][3] = {
        {{-1, -1, a}, {-in, -1, 0}, {-in, 1, 0}, {-1, 1, a}},  // left
        {{in, -1, 0}, {1, -1, a}, {1, 1, a}, {in, 1, 0}},      // right
        {{-1, -1, a}, {1, -1, a}, {1, -in, 0}, {-1, -in, 0}},  // bottom
        {{-1, in, 0}, {1, in, 0}, {1, 1, a}, {-1, 1, a}},      // top
    };
    glBegin(GL_QUADS);
    for (const auto& band : bands)
        for (const auto& corner : band) {
            glColor4f(1, 0, 0, corner[2]);
            glVertex3f(corner[0], corner[1], 0);
        }
    glEnd();
    glColor4f(1, 1, 1, 1);
    glPolygonMode(GL_FRONT_AND_BACK, GLenum(polygonModes[0]));  // the game sets both faces alike
    glPopAttrib();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}
