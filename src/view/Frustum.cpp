// Frustum planes from the combined projection and modelview matrix, and the box test.
#include "view/Frustum.h"

#include <cmath>

#include "common/Gl.h"

void Frustum::extract() {
    float p[16], m[16], clip[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            clip[4 * i + j] =
                m[4 * i + 0] * p[0 + j] + m[4 * i + 1] * p[4 + j] + m[4 * i + 2] * p[8 + j] + m[4 * i + 3] * p[12 + j];
        }
    }
    // Row k of the combined matrix, added to or taken from row 3, gives each pair of opposite planes.
    struct Source {
        int row;
        float sign;
    };
    const Source sources[planeCount] = {{0, -1}, {0, +1}, {1, +1}, {1, -1}, {2, -1}, {2, +1}};
    for (int i = 0; i < planeCount; ++i) {
        const int k = sources[i].row;
        const float s = sources[i].sign;
        Plane& pl = planes_[i];
        pl.a = clip[3] + s * clip[k];
        pl.b = clip[7] + s * clip[4 + k];
        pl.c = clip[11] + s * clip[8 + k];
        pl.d = clip[15] + s * clip[12 + k];
        const float scale = 1.0f / std::sqrt(pl.a * pl.a + pl.b * pl.b + pl.c * pl.c);
        pl.a *= scale;
        pl.b *= scale;
        pl.c *= scale;
        pl.d *= scale;
    }
}

bool Frustum::boxVisible(Vector3 min, Vector3 max) const {
    for (const Plane& pl : planes_) {
        const float xs[2] = {min.x, max.x}, ys[2] = {min.y, max.y}, zs[2] = {min.z, max.z};
        bool anyInside = false;
        for (int corner = 0; corner < 8 && !anyInside; ++corner) {
            const float x = xs[corner & 1], y = ys[(corner >> 1) & 1], z = zs[corner >> 2];
            anyInside = pl.a * x + pl.b * y + pl.c * z + pl.d > 0;
        }
        if (!anyInside) return false;
    }
    return true;
}
