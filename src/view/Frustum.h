// Frustum: the six planes that bound the current view, and the conservative box test used for culling.
#pragma once

#include "common/Vector3.h"

struct Plane {
    float a = 0, b = 0, c = 0, d = 0;  // inside where a*x + b*y + c*z + d > 0
};

class Frustum {
   public:
    enum { rightPlane, leftPlane, bottomPlane, topPlane, farPlane, nearPlane, planeCount };

    // Rebuilds the planes from the current projection and modelview matrices.
    void extract();

    // False only when the whole box lies outside one plane; a corner on a plane counts as outside.
    bool boxVisible(Vector3 min, Vector3 max) const;

    const Plane& plane(int index) const { return planes_[index]; }

    // The smallest x and z ranges that hold the frustum's eight corners. False (the ranges untouched) when
    // the planes meet in no bounded frustum, as before the first extract.
    bool footprint(float& minX, float& maxX, float& minZ, float& maxZ) const;

   private:
    Plane planes_[planeCount];  // all zero until the first extract: every box is rejected then
};
