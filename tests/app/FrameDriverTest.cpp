// The frame driver and start-up: the order of a frame, timing, the loop's keys, the fixed render state.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "Fixtures.h"
#include "GlTest.h"
#include "Headless.h"
#include "app/Game.h"
#include "common/Platform.h"
#include "common/ShellState.h"
#include "objects/Ship.h"
#include "text/GlFont.h"
#include "view/Camera.h"
#include "world/Level.h"

class FrameDriver : public GlTest {
   protected:
    // A flat level with the ship's start in the middle, heading along +z.
    void startLevel() {
        dir_ = makeTempDir();
        ASSERT_EQ(system(("mkdir -p " + dir_ + "/data/textures").c_str()), 0);
        writeFlatTerrain(dir_ + "/data/level1.tga", 64, 64, 10);
        ObjectMap map(64, 64);
        map.set(20, 10, 0, 1, 0, 0);
        map.write(dir_ + "/data/level1objects.tga");
        ScopedWorkingDirectory cwd(dir_);
        resizeViewport(800, 600);
        ASSERT_TRUE(setupScene());
    }
    std::string dir_;
};

TEST_F(FrameDriver, TheFirstHundredFramesDrawWithoutUpdating) {
    startLevel();
    const float z = Ship::player.z;
    for (int i = 0; i < 100; ++i) {
        headless::advanceTick(30);
        renderFrame();
    }
    EXPECT_EQ(frameCount, 100);
    EXPECT_EQ(Ship::player.z, z);
    headless::advanceTick(30);
    renderFrame();  // frame 101: drawn, then updated with the 30 ms the last frame took
    EXPECT_NEAR(Ship::player.z, z + 12, 1e-3);
}

TEST_F(FrameDriver, TheWorldAdvancesAtMostOneHundredMillisecondsAFrameWhileTheHudShowsTheRealTime) {
    struct Case {
        unsigned frameMs;
        float distance;  // 12 units per 30 ms of world time
    };
    const Case cases[] = {{30, 12}, {99, 39.6f}, {100, 40}, {101, 40}, {950, 40}, {60000, 40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frameMs);
        resetGameState();
        startLevel();
        for (int i = 0; i < 100; ++i) renderFrame();
        headless::advanceTick(c.frameMs);
        renderFrame();  // frame 101 updates with the 0 ms before it, then measures the long frame
        const float z = Ship::player.z;
        renderFrame();
        EXPECT_NEAR(Ship::player.z - z, c.distance, 1e-3);
        char delta[32];
        std::snprintf(delta, sizeof delta, "delta: %3u ", c.frameMs);
        EXPECT_NE(std::strstr(GlFont::instance().lastText(), delta), nullptr) << GlFont::instance().lastText();
    }
}

TEST_F(FrameDriver, LeavingTheWorldShowsTheWayBackAndEnterOrAClickFliesAgainFromTheStart) {
    for (int key : {vkReturn, vkLeftButton}) {
        SCOPED_TRACE(key);
        resetGameState();
        startLevel();
        Ship& ship = Ship::player;
        const float startX = ship.x, startZ = ship.z;
        ship.heading = 180;  // towards the near edge, 240 units away
        ship.shield = 35;
        headless::advanceTick(30);
        int frames = 0;
        while (ship.filed && frames++ < 200) {
            headless::advanceTick(30);
            loopPass();
        }
        ASSERT_FALSE(ship.filed);
        GlFont::instance().rebuild();  // the font may have been built in an earlier test's context
        renderFrame();  // the frame keeps drawing, with the heads-up line and the notice
        EXPECT_STREQ(GlFont::instance().lastText(), "You have left the world. Press Enter to fly again.");
        // The notice's white glyphs stand in the band across the middle, as far from either side.
        const std::vector<unsigned char> frame = readFrame();
        int white = 0, left = 800, right = -1;
        for (int y = 280; y < 330; ++y)
            for (int x = 0; x < 800; ++x) {
                const unsigned char* p = &frame[size_t(y * 800 + x) * 4];
                if (p[0] != 255 || p[1] != 255 || p[2] != 255) continue;
                ++white;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        EXPECT_GT(white, 300);
        EXPECT_NEAR(left + right, 800, 30);
        EXPECT_FALSE(ship.filed);  // nothing brings it back by itself

        keys[key] = true;
        loopPass();
        EXPECT_TRUE(ship.filed);
        EXPECT_EQ(ship.x, startX);
        EXPECT_EQ(ship.z, startZ);
        EXPECT_EQ(ship.heading, 0);
        EXPECT_EQ(ship.shield, 100);
        EXPECT_EQ(Level::instance().entityCount(1), 1);
    }
}

TEST_F(FrameDriver, PPausesTheWorldOnItsPressAndShowsItUntilPressedAgain) {
    startLevel();
    for (int i = 0; i < 100; ++i) loopPass();
    const auto press = [] {
        keys[vkPause] = true;
        headless::advanceTick(30);
        loopPass();
        headless::advanceTick(30);
        loopPass();  // held over two frames: one toggle
        keys[vkPause] = false;
    };
    press();
    ASSERT_TRUE(gamePaused());
    const float z = Ship::player.z;
    for (int i = 0; i < 20; ++i) {
        headless::advanceTick(30);
        loopPass();
    }
    EXPECT_EQ(Ship::player.z, z);  // frames go on, the world does not
    EXPECT_STREQ(GlFont::instance().lastText(), "Paused. Press P to fly on.");
    press();
    EXPECT_FALSE(gamePaused());
    EXPECT_GT(Ship::player.z, z);
}

TEST_F(FrameDriver, FrameTimeIsTheUnsignedTickDifferenceEvenAcrossAWrap) {
    startLevel();
    lastTick = 0xFFFFFFF0u;
    headless::setTick(0x10);
    renderFrame();
    EXPECT_EQ(frameTime, 32.0f);
    EXPECT_EQ(lastTick, 0x10u);
}

TEST_F(FrameDriver, LoopPassDrawsWhileActiveAndAppliesTheKeysInOrder) {
    startLevel();
    keys[vkFill] = keys[vkLines] = keys[vkPoints] = true;
    EXPECT_FALSE(loopPass());
    GLint modes[2];
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_POINT);  // all three held: the last tested wins
    keys[vkPoints] = false;
    keys[vkFill] = false;
    loopPass();
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_LINE);
    EXPECT_EQ(frameCount, 2);

    active = false;  // minimised: no frame, frame time kept
    const float kept = frameTime;
    headless::advanceTick(500);
    loopPass();
    EXPECT_EQ(frameCount, 2);
    EXPECT_EQ(frameTime, kept);
    active = true;

    keys[vkEscape] = true;
    const unsigned swaps = headless::swapCount();
    EXPECT_TRUE(loopPass());  // still draws this last frame before ending
    EXPECT_EQ(frameCount, 3);
    EXPECT_EQ(headless::swapCount(), swaps + 1);
}

TEST_F(FrameDriver, TheMouseIsReadAgainstTheClientAreaScaledTo800By600) {
    struct Case {
        int width, height;
        unsigned x, y;
        float steer, pitch;
    };
    const Case cases[] = {
        {800, 600, 400, 0, 0, 0},                       // the middle flies straight
        {800, 600, 799, 599, -0.49875f, 599.0f / 600},  // exactly the reference scales
        {800, 600, 0x10000, 300, 0.5f, 0.5f},           // only 16 bits of each coordinate arrive
        {1024, 768, 512, 384, 0, 0.5f},
        {1024, 768, 0, 768, 0.5f, 1},
        {400, 300, 300, 75, -0.25f, 0.25f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " by " + std::to_string(c.height));
        resizeViewport(c.width, c.height);
        resizeViewport(0, 0);  // minimised and back: the last real size still counts
        onMouseMove(c.x, c.y);
        EXPECT_NEAR(Ship::player.steer, c.steer, 1e-6);
        EXPECT_NEAR(Camera::instance().pitch, c.pitch, 1e-6);
    }
    resizeViewport(800, 600);
}

TEST_F(FrameDriver, StartUpToleratesMissingFiles) {
    const std::string empty = makeTempDir();
    ScopedWorkingDirectory cwd(empty);
    ASSERT_TRUE(setupScene());
    EXPECT_TRUE(Level::instance().tiles().empty());
    EXPECT_EQ(detailTexture, 0u);
    // With nothing loaded a frame still draws: an empty world under the sky colour.
    resizeViewport(800, 600);
    renderFrame();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

namespace {
int someEntryPoint;
// Offers every entry point but one.
void* withoutActiveTexture(const char* name) {
    return std::strcmp(name, "glActiveTextureARB") == 0 ? nullptr : &someEntryPoint;
}
}  // namespace

using FrameDriverDeathTest = FrameDriver;

TEST_F(FrameDriverDeathTest, AMissingMultitextureEntryPointEndsTheProcessSilentlyWithCodeZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            headless::setProcLookup(withoutActiveTexture);
            setupScene();
            std::fprintf(stderr, "carried on");
        },
        ::testing::ExitedWithCode(0), "^$");
}
