// The edge tint, over whatever was drawn.
#include "app/ScreenTint.h"

#include "common/Gl.h"
#include "view/WindowOverlay.h"

namespace {
constexpr float edgeAlpha = 0.55f;  // at full strength, right at the edge
constexpr float bandWidth = 0.3f;   // of the half window on each side, where the tint fades out
}  // namespace

void drawEdgeTint(float strength) {
    if (strength <= 0) return;
    if (strength > 1) strength = 1;
    const WindowOverlay overlay;
    const float w = float(overlay.width()), h = float(overlay.height());
    const float a = edgeAlpha * strength, bandX = w / 2 * bandWidth, bandY = h / 2 * bandWidth;
    // Four bands, each from the edge (red at a) to its inner side (clear); the corners overlap, redder.
    const float bands[4][4][3] = {
        {{0, 0, a}, {bandX, 0, 0}, {bandX, h, 0}, {0, h, a}},          // left
        {{w - bandX, 0, 0}, {w, 0, a}, {w, h, a}, {w - bandX, h, 0}},  // right
        {{0, 0, a}, {w, 0, a}, {w, bandY, 0}, {0, bandY, 0}},          // bottom
        {{0, h - bandY, 0}, {w, h - bandY, 0}, {w, h, a}, {0, h, a}},  // top
    };
    glBegin(GL_QUADS);
    for (const auto& band : bands)
        for (const auto& corner : band) {
            glColor4f(1, 0, 0, corner[2]);
            glVertex3f(corner[0], corner[1], 0);
        }
    glEnd();
}
