// GlTest: fresh headless GL context per test, and a clean game state.
#include "GlTest.h"

#include <algorithm>
#include <cstdlib>

#include "Headless.h"
#include "app/FrameDriver.h"
#include "app/SettingsFile.h"
#include "assets/ModelCache.h"
#include "assets/TextureCache.h"
#include "common/GameRandom.h"
#include "common/Shell.h"
#include "common/FrameClock.h"
#include "common/InputState.h"
#include "common/SceneTextures.h"
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
    frameTime = frameDuration = 0;
    frameCount = 0;
    resetPause();
    gameSettings() = Settings();
    SettingsFile::instance().open("", false);
    detailTexture = particleTexture = 0;
    virtualClock::setTick(0);
    gameSrand(1);
}

namespace {
// Every test runs on the headless shell, GL or not: the data folder asks it for the pictures folder.
const bool headlessChosen = (useShell(headless::shell()), true);
}  // namespace

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

BrightPixels GlTest::brightPixels(int threshold, int fromRow, int toRow) const {
    const std::vector<unsigned char> frame = readFrame();
    BrightPixels found;
    for (int y = fromRow; y < toRow; ++y)
        for (int x = 0; x < 800; ++x) {
            const unsigned char* p = &frame[size_t(y * 800 + x) * 4];
            if (p[0] <= threshold || p[1] <= threshold || p[2] <= threshold) continue;
            ++found.count;
            found.left = std::min(found.left, x);
            found.right = std::max(found.right, x);
            found.bottom = std::min(found.bottom, y);
            found.top = std::max(found.top, y);
        }
    return found;
}

void GlTest::orthoFrame(double left, double right, double bottom, double top, double zNear, double zFar) const {
    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(left, right, bottom, top, zNear, zFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GlTest::bindTexel(unsigned char r, unsigned char g, unsigned char b) const {
    const unsigned char texel[3] = {r, g, b};
    glBindTexture(GL_TEXTURE_2D, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texel);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glEnable(GL_TEXTURE_2D);
}

std::string makeTempDir() {
    char pattern[] = "/tmp/vanturo-test-XXXXXX";
    const char* dir = mkdtemp(pattern);
    return dir ? dir : "/tmp";
}
