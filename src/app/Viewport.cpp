// Viewport and projection for the client area.
#include "app/Viewport.h"

#include "app/Input.h"
#include "common/Gl.h"
#include "view/Camera.h"

namespace {
constexpr float fieldOfView = 45;
constexpr float nearPlane = 3;
constexpr float farPlane = 3000;
}  // namespace

void resizeViewport(int width, int height) {
    onClientResize(width, height);
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    Camera::instance().setPerspective(fieldOfView, float(width) / float(height), nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
