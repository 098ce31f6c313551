// Frustum planes from the combined projection and modelview matrix, and the box test.
#include "view/Frustum.h"

#include <algorithm>
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

namespace {

// The point where three planes meet; false when two of them are parallel (or the planes are unset).
bool meet(const Plane& p, const Plane& q, const Plane& r, Vector3& point) {
    const Vector3 n1(p.a, p.b, p.c), n2(q.a, q.b, q.c), n3(r.a, r.b, r.c);
    const auto cross = [](const Vector3& u, const Vector3& v) {
        return Vector3(u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x);
    };
    const Vector3 c23 = cross(n2, n3), c31 = cross(n3, n1), c12 = cross(n1, n2);
    const float det = n1.x * c23.x + n1.y * c23.y + n1.z * c23.z;
    if (!(std::fabs(det) > 1e-12f)) return false;
    point = Vector3(-(p.d * c23.x + q.d * c31.x + r.d * c12.x) / det, -(p.d * c23.y + q.d * c31.y + r.d * c12.y) / det,
                    -(p.d * c23.z + q.d * c31.z + r.d * c12.z) / det);
    return std::isfinite(point.x) && std::isfinite(point.z);
}

}  // namespace

bool Frustum::footprint(float& minX, float& maxX, float& minZ, float& maxZ) const {
    float x0 = INFINITY, x1 = -INFINITY, z0 = INFINITY, z1 = -INFINITY;
    for (int depth : {nearPlane, farPlane})
        for (int side : {leftPlane, rightPlane})
            for (int height : {bottomPlane, topPlane}) {
                Vector3 corner;
                if (!meet(planes_[depth], planes_[side], planes_[height], corner)) return false;
                x0 = std::min(x0, corner.x), x1 = std::max(x1, corner.x);
                z0 = std::min(z0, corner.z), z1 = std::max(z1, corner.z);
            }
    minX = x0, maxX = x1, minZ = z0, maxZ = z1;
    return true;
}
