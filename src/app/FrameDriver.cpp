// The frame driver: the order of one frame, its timing, and one pass of the main loop.
#include "app/Game.h"
#include "common/Platform.h"
#include "common/ShellState.h"
#include "view/Camera.h"
#include "world/Level.h"

namespace {
constexpr int framesBeforeUpdates = 100;  // the first frames show the start without moving anything
}

bool renderFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    frameCount += 1;
    Camera::instance().followShip();
    Level& level = Level::instance();
    level.draw();
    if (frameCount > framesBeforeUpdates) level.update();

    // Set after drawing, so they light the next frame; the position goes through the current view.
    const GLfloat ambient[4] = {1, 1, 1, 1};
    const GLfloat position[4] = {1000, 1000, -1000, 1};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_POSITION, position);

    // Unsigned difference: a wrap of the tick counter still gives the small true difference.
    frameTime = float(platform::tickCount() - lastTick);
    lastTick = platform::tickCount();
    return true;
}

bool loopPass() {
    bool done = false;
    if (active) {
        if (!renderFrame())
            done = true;
        else if (active)
            platform::swapBuffers();
    }
    // Tested one after another: with several held, the last wins.
    if (keys[vkFill]) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    if (keys[vkLines]) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    if (keys[vkPoints]) glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
    return keys[vkEscape] || done;
}
