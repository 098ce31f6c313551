// Camera: the one view of the scene, a chase view behind the player's ship, with its frustum.
#pragma once

#include "common/Vector3.h"
#include "view/Frustum.h"

class Camera {
   public:
    // Created on first use (the first viewport resize), destroyed at exit.
    static Camera& instance();
    virtual ~Camera() = default;

    // gluPerspective on the current matrix; the caller has selected the projection and loaded the identity.
    void setPerspective(float fovy, float aspect, float zNear, float zFar);
    // gluLookAt onto the current modelview, then the frustum is refreshed to match.
    void lookAt(float eyeX, float eyeY, float eyeZ, float targetX, float targetY, float targetZ, float upX, float upY,
                float upZ);
    // Eye 500 units behind the ship in the ground plane; eye and target heights follow pitch, not the ship.
    // Framed, the eye is no lower than a little over the ship, and looks where the ship stands low in the
    // view, above the heads-up line, whatever the pitch.
    void followShip();

    Frustum frustum;
    Vector3 eye = Vector3(0, 0, 0);  // where the last chase view looked from
    float pitch = 0;                 // mouse y / 600: 0 at the top of the window
    float baseHeight = 0;            // eye height at pitch 0, fixed at creation
    bool framed = false;             // the player's framed chase view instead of the classic one

   private:
    Camera();
    float fieldOfView_ = 45;  // degrees, top to bottom, as the projection was last set
};
