// GlTest: fresh headless GL context per test, and a clean game state.
#include "GlTest.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "Headless.h"
#include "app/Game.h"
#include "assets/ModelCache.h"
#include "assets/TextureCache.h"
#include "common/GameRandom.h"
#include "common/ShellState.h"
#include "objects/Ship.h"
#include "view/Camera.h"
#include "world/Level.h"

void resetGameState() {
    Level::instance().clear();
    Ship::player.reset();
    TextureCache::instance().clear();
    ModelCache::instance().clear();
    Camera::instance().pitch = 0;
    active = true;
    for (bool& k : keys) k = false;
    lastTick = 0;
    frameTime = 0;
    frameCount = 0;
    resetPause();
    detailTexture = particleTexture = 0;
    headless::setTick(0);
    headless::setProcLookup(nullptr);
    gameSrand(1);
}

void GlTest::SetUp() {
    ASSERT_TRUE(headless::createContext()) << "no headless GL context: is Mesa's EGL installed?";
    resetGameState();
}

void GlTest::TearDown() {
    resetGameState();
    headless::destroyContext();
}

std::vector<unsigned char> GlTest::readPixel(int x, int y) const {
    std::vector<unsigned char> rgba(4);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

std::vector<unsigned char> GlTest::readFrame() const {
    std::vector<unsigned char> rgba(800 * 600 * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

std::string makeTempDir() {
    char pattern[] = "/tmp/vanturo-test-XXXXXX";
    const char* dir = mkdtemp(pattern);
    return dir ? dir : "/tmp";
}

ScopedWorkingDirectory::ScopedWorkingDirectory(const std::string& dir) {
    char buffer[PATH_MAX];
    if (getcwd(buffer, sizeof buffer)) previous_ = buffer;
    if (chdir(dir.c_str()) != 0) ADD_FAILURE() << "cannot enter " << dir;
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() {
    if (!previous_.empty() && chdir(previous_.c_str()) != 0) ADD_FAILURE() << "cannot return to " << previous_;
}
