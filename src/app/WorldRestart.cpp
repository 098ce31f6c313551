// Everything the world's floats depend on, put back as the game's start leaves it.
#include "app/WorldRestart.h"

#include <algorithm>
#include <iterator>

#include "app/FrameDriver.h"
#include "app/Input.h"
#include "common/FrameClock.h"
#include "common/GameRandom.h"
#include "common/InputState.h"
#include "common/Shell.h"
#include "objects/Ship.h"
#include "view/Camera.h"
#include "world/Level.h"
#include "world/LevelFormat.h"

void restartWorld(unsigned seed) {
    Level& level = Level::instance();
    level.clear();
    Ship::player.reset();
    Camera::instance().pitch = 0;
    std::fill(std::begin(keys), std::end(keys), false);
    forgetInput();
    resetPause();  // the frame driver's state, the presses since the last frame among it
    lastTick = shell().tickCount();
    frameTime = frameDuration = 0;
    frameCount = 0;
    // The scenery is placed by the seed's numbers as the level is read, as at the start.
    gameSrand(seed);
    level.loadTerrain(terrainFile);
    level.loadObjectMap(objectMapFile);
}
