// Camera: projection, look-at and the chase view.
#include "view/Camera.h"

#include <algorithm>
#include <cmath>

#include "common/Gl.h"
#include "common/Units.h"
#include "objects/Ship.h"

namespace {
constexpr float chaseDistance = 500;
constexpr float eyeRise = 400;     // eye height gained from pitch 0 to 1
constexpr float targetBase = 150;  // target height at pitch 0
constexpr float targetRise = 250;
constexpr float baseHeightAboveShip = 75;
// The framed view: the eye at least this far above the ship, and the ship this far below the view's middle,
// as a part of the half height (0.45: in the lower third, clear of the heads-up line at any window size).
constexpr float framedEyeAboveShip = 100;
constexpr float framedShipDepth = 0.45f;
}  // namespace

Camera& Camera::instance() {
    static Camera camera;
    return camera;
}

Camera::Camera() : baseHeight(Ship::player.y + baseHeightAboveShip) {}

void Camera::setPerspective(float fovy, float aspect, float zNear, float zFar) {
    fieldOfView_ = fovy;
    gluPerspective(double(fovy), double(aspect), double(zNear), double(zFar));
}

void Camera::lookAt(float eyeX, float eyeY, float eyeZ, float targetX, float targetY, float targetZ, float upX,
                    float upY, float upZ) {
    gluLookAt(double(eyeX), double(eyeY), double(eyeZ), double(targetX), double(targetY), double(targetZ), double(upX),
              double(upY), double(upZ));
    frustum.extract();
}

void Camera::followShip() {
    const Ship& ship = Ship::player;
    const float a = ship.heading * degreesToRadians;
    const float eyeX = ship.x - chaseDistance * std::sin(a);
    const float eyeZ = ship.z - chaseDistance * std::cos(a);
    const float h = baseHeight > 0 ? baseHeight : 0;
    eye = Vector3(eyeX, h + eyeRise * pitch, eyeZ);
    if (!framed) {
        lookAt(eye.x, eye.y, eye.z, ship.x, targetBase + targetRise * pitch, ship.z, 0, 1, 0);
        return;
    }
    const float shipY = ship.y + Ship::drawLift;
    eye.y = std::max(eye.y, shipY + framedEyeAboveShip);
    // Looking along the heading, raised from the line to the ship by the angle that puts the ship at its depth.
    const float shipBelow = std::atan2(eye.y - shipY, chaseDistance);
    const float raise = std::atan(framedShipDepth * std::tan(fieldOfView_ / 2 * degreesToRadians));
    const float rise = chaseDistance * std::tan(raise - shipBelow);
    lookAt(eye.x, eye.y, eye.z, ship.x, eye.y + rise, ship.z, 0, 1, 0);
}
