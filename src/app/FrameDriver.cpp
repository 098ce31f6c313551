// The frame driver: the order of one frame, its timing, and one pass of the main loop.
#include <string>

#include "app/DemoSession.h"
#include "app/Game.h"
#include "app/Screenshot.h"
#include "common/Report.h"
#include "common/Platform.h"
#include "common/ShellState.h"
#include "objects/Ship.h"
#include "text/GlFont.h"
#include "view/Camera.h"
#include "world/Level.h"

namespace {
constexpr int framesBeforeUpdates = 100;  // the first frames show the start without moving anything
const char* const leftWorldNotice = "You have left the world. Press Enter to fly again.";
const char* const pausedNotice = "Paused. Press P to fly on.";

bool paused = false;
bool pauseKeyWasDown = false;  // P toggles on its press, not while it is held
bool screenshotKeyWasDown = false;
bool screenshotWanted = false;  // F12 was pressed: the next frame is saved before it is shown

void takeScreenshot() {
    std::string error;
    const std::string path = saveScreenshot(error);
    reportError(path.empty() ? "no screenshot: " + error : "screenshot saved to " + path);
}

// A level without a start, or without ground, has no world to leave.
bool shipHasLeftTheWorld() {
    return !Ship::player.filed && Ship::player.hasStart() && !Level::instance().tiles().empty();
}
}  // namespace

bool renderFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    frameCount += 1;
    Camera::instance().followShip();
    Level& level = Level::instance();
    level.draw();
    if (shipHasLeftTheWorld()) {
        // Nothing draws the ship now: its heads-up line stays, with the way back.
        Ship::player.printHud();
        GlFont::instance().printCentred(leftWorldNotice);
    }
    if (paused) GlFont::instance().printCentred(pausedNotice);
    if (frameCount > framesBeforeUpdates && !paused) {
        // The heads-up line has shown the real frame time; the world sees at most the longest step.
        if (frameTime > maxWorldStepMs) frameTime = maxWorldStepMs;
        level.update();
    }

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

bool gamePaused() { return paused; }

void resetPause() { paused = pauseKeyWasDown = screenshotWanted = screenshotKeyWasDown = false; }

bool loopPass() {
    DemoSession& demo = DemoSession::instance();
    if (!demo.beforePass()) return true;  // the demo being played is over
    bool done = false;
    if (active) {
        if (!renderFrame()) {
            done = true;
        } else if (active) {
            if (screenshotWanted) takeScreenshot();
            screenshotWanted = false;
            platform::swapBuffers();
        }
    }
    // Tested one after another: with several held, the last wins.
    if (keys[vkFill]) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    if (keys[vkLines]) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    if (keys[vkPoints]) glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
    if (shipHasLeftTheWorld() && (keys[vkReturn] || keys[vkLeftButton])) Ship::player.returnToStart();
    if (keys[vkPause] && !pauseKeyWasDown) paused = !paused;
    pauseKeyWasDown = keys[vkPause];
    if (keys[vkScreenshot] && !screenshotKeyWasDown) screenshotWanted = true;
    screenshotKeyWasDown = keys[vkScreenshot];
    demo.afterPass();
    return keys[vkEscape] || done;
}
