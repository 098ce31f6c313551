// Camera: projection, look-at and the chase view.
#include "view/Camera.h"

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
}  // namespace

Camera& Camera::instance() {
    static Camera camera;
    return camera;
}

Camera::Camera() : baseHeight(Ship::player.y + baseHeightAboveShip) {}

void Camera::setPerspective(float fovy, float aspect, float zNear, float zFar) {
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
    lookAt(eye.x, eye.y, eye.z, ship.x, targetBase + targetRise * pitch, ship.z, 0, 1, 0);
}
