// The frame driver: timing, the fill keys, a minimised window, the mouse, leaving the world and flying again,
// the notices of what the player did or meets, and the cue of a dropping shield.

#include "Fixtures.h"
#include "app/GameSound.h"
#include "app/KeyTable.h"
#include "app/Screenshot.h"
#include "app/Settings.h"
#include "app/SettingsScreen.h"

class FrameDriver : public GlTest {
   protected:
    // A flat level with the ship's start in the middle, heading along +z.
    void startLevel() {
        resetGameState();
        ObjectMap map(64, 64);
        map.set(20, 10, 0, 1, 0, 0);
        ScopedWorkingDirectory cwd(writeLevelFolder(map));
        resizeViewport(800, 600);
        ASSERT_TRUE(setupScene());
    }
    static void passes(int count, unsigned frameMs = 30) {
        for (int i = 0; i < count; ++i) {
            virtualClock::advanceTick(frameMs);
            loopPass();
        }
    }
};

TEST_F(FrameDriver, TheWorldWaitsAHundredFramesThenAdvancesAtMostOneHundredMillisecondsAFrame) {
    const struct {
        unsigned frameMs;
        float distance;  // 12 units per 30 ms of world time
    } cases[] = {{30, 12}, {99, 39.6f}, {100, 40}, {101, 40}, {950, 40}, {60000, 40}, {0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frameMs);
        startLevel();
        const float z = Ship::player.z;
        passes(100, c.frameMs);
        EXPECT_EQ(Ship::player.z, z);
        passes(1, c.frameMs);  // frame 101: drawn, then updated with the time the last frame took
        EXPECT_NEAR(Ship::player.z - z, c.distance, 1e-3);
        // The heads-up line shows the real frame time.
        char delta[32];
        std::snprintf(delta, sizeof delta, "delta: %3u ", c.frameMs);
        EXPECT_NE(std::strstr(GlFont::instance().lastText(), delta), nullptr) << GlFont::instance().lastText();
    }
    lastTick = 0xFFFFFFF0u;  // the tick counter wraps: the unsigned difference still counts
    virtualClock::setTick(0x10);
    renderFrame();
    EXPECT_EQ(measuredFrameTime(), 32.0f);
}

TEST_F(FrameDriver, LeavingTheWorldShowsTheWayBackAndEnterOrAClickFliesAgainFromTheStart) {
    for (int key : {keyCode(KeyAction::flyAgain), vkLeftButton}) {
        SCOPED_TRACE(key);
        startLevel();
        Ship& ship = Ship::player;
        const float startX = ship.x, startZ = ship.z;
        ship.heading = 180;  // towards the near edge, 240 units away
        ship.shield = 35;
        for (int frames = 0; ship.filed && frames < 200; ++frames) passes(1);
        ASSERT_FALSE(ship.filed);
        GlFont::instance().rebuild();  // the font may have been built in an earlier test's context
        passes(1);                     // the frame keeps drawing, with the heads-up line and the notice
        EXPECT_STREQ(GlFont::instance().lastText(), "You have left the world. Press Enter to fly again.");
        // The notice's white glyphs stand in the band across the middle, as far from either side.
        const BrightPixels notice = brightPixels(254, 280, 330);
        EXPECT_GT(notice.count, 300);
        EXPECT_NEAR(notice.left + notice.right, 800, 30);
        EXPECT_FALSE(ship.filed);                // nothing brings it back by itself
        onKey(keyCode(KeyAction::pause), true);  // P shows its notice under the way back; a new flight starts unpaused
        onKey(keyCode(KeyAction::pause), false);
        passes(2);
        EXPECT_STREQ(GlFont::instance().lastText(), "Paused. Press P to fly on.");

        keys[key] = true;
        passes(1);
        EXPECT_TRUE(ship.filed && ship.x == startX && ship.z == startZ && ship.heading == 0 && ship.shield == 100)
            << ship.x << ", " << ship.z << " heading " << ship.heading << " shield " << ship.shield;
        passes(1);
        EXPECT_GT(ship.z, startZ);  // unpaused: it flies
        EXPECT_EQ(Level::instance().entityCount(typeIds::ship), 1);
    }
}

TEST_F(FrameDriver, AKeyTappedBetweenTwoFramesCountsAndAHeldOneActsOnItsPressOnly) {
    startLevel();
    passes(100);
    // Keys act at the end of the frame they were pressed for: the world stands still from the next one on.
    const auto tap = [](int key) { onKey(key, true), onKey(key, false); };
    tap(keyCode(KeyAction::pause));  // down and up before the frame: paused
    passes(1);
    const float z = Ship::player.z;
    passes(2);
    EXPECT_EQ(Ship::player.z, z);
    onKey(keyCode(KeyAction::pause), true);  // held for three frames: flies on, once
    passes(3);
    onKey(keyCode(KeyAction::pause), false);
    const float flying = Ship::player.z;
    passes(1);
    EXPECT_GT(Ship::player.z, flying);
    tap(keyCode(KeyAction::help));  // F1: the keys over the view, the world standing still
    passes(2);
    EXPECT_STREQ(GlFont::instance().lastText(), "Enter or a left click: fly again from the start");
    const float shown = Ship::player.z;
    passes(2);
    EXPECT_EQ(Ship::player.z, shown);
    tap(keyCode(KeyAction::help));
    tap(keyCode(KeyAction::lines));
    passes(2);
    EXPECT_GT(Ship::player.z, shown);
    GLint modes[2];
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_LINE);
    // Every tap between two frames counts, as every message does: an even number of pauses flies on.
    for (int taps = 1; taps <= 4; ++taps) {
        SCOPED_TRACE(taps);
        for (int i = 0; i < taps; ++i) tap(keyCode(KeyAction::pause));
        passes(1);
        const float before = Ship::player.z;
        passes(1);
        EXPECT_EQ(Ship::player.z > before, taps % 2 == 0);
        if (taps % 2) tap(keyCode(KeyAction::pause)), passes(1);
    }
    tap(keyCode(KeyAction::quit));
    virtualClock::advanceTick(30);
    EXPECT_TRUE(loopPass());
}

TEST_F(FrameDriver, TheHeadsUpLineShowsWholeInEveryWindowWithTheShipInViewOrNot) {
    // Wide, and upright as a phone is held: the line starts inside the window and ends before its right edge.
    for (const auto& [width, height] : {std::pair{800, 600}, {640, 480}, {390, 600}, {300, 600}}) {
        for (const unsigned mouseY : {300u, 599u}) {  // the ship in view; the camera high above it, out of view
            SCOPED_TRACE(std::to_string(width) + " wide, mouse at " + std::to_string(mouseY));
            startLevel();
            resizeViewport(width, height);
            GlFont::instance().rebuild();  // the font may have been built in an earlier test's context
            onMouseMove(unsigned(width / 2), mouseY * unsigned(height) / 600);
            passes(1);
            const BrightPixels line = brightPixels(250, 0, 40);
            EXPECT_GT(line.count, 300);            // the 300-pixel window's line is in a 6-pixel font
            EXPECT_GT(line.right, width * 3 / 4);  // the height at the end of the line shows, inside the window
            EXPECT_LT(line.right, width - 10);
            EXPECT_GT(line.left, 0);
        }
    }
    resizeViewport(800, 600);
}

TEST_F(FrameDriver, TheFillKeysSwitchThePolygonModeAndAMinimisedWindowDrawsNothing) {
    startLevel();
    passes(100);
    keys[keyCode(KeyAction::fill)] = keys[keyCode(KeyAction::lines)] = keys[keyCode(KeyAction::points)] =
        true;  // all three held: the last tested wins
    for (const auto& [mode, released] : {std::pair{GL_POINT, keyCode(KeyAction::points)},
                                         {GL_LINE, keyCode(KeyAction::lines)},
                                         {GL_FILL, keyCode(KeyAction::fill)}}) {
        passes(1);
        GLint modes[2];
        glGetIntegerv(GL_POLYGON_MODE, modes);
        EXPECT_EQ(modes[0], mode);
        keys[released] = false;
    }

    active = false;  // minimised: no frame, frame time kept
    const int frames = frameCount;
    const float kept = frameTime;
    passes(1, 500);
    EXPECT_EQ(frameCount, frames);
    EXPECT_EQ(frameTime, kept);
    active = true;
}

TEST_F(FrameDriver, TheMouseIsReadAgainstTheClientAreaScaledTo800By600) {
    const struct {
        int width, height;
        unsigned x, y;
        float steer, pitch;
    } cases[] = {
        {800, 600, 400, 0, 0, 0},                       // the middle flies straight
        {800, 600, 799, 599, -0.49875f, 599.0f / 600},  // exactly the reference scales
        {800, 600, 0x10000, 300, 0.5f, 0.5f},           // only 16 bits of each coordinate arrive
        {1024, 768, 0, 768, 0.5f, 1},
        {400, 300, 300, 75, -0.25f, 0.25f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " by " + std::to_string(c.height));
        resizeViewport(c.width, c.height);
        resizeViewport(0, 0);  // minimised and back: the last real size still counts
        onMouseMove(c.x, c.y);
        EXPECT_NEAR(Ship::player.steer, c.steer, 1e-6);
        EXPECT_NEAR(Camera::instance().pitch, c.pitch, 1e-6);
    }
    resizeViewport(800, 600);
}

TEST_F(FrameDriver, TheSettingsScreenHoldsTheWorldChangesARowAtOnceAndTakesANewKeyButNotATakenOne) {
    startLevel();
    passes(100);
    SettingsScreen& screen = SettingsScreen::instance();
    const auto row = [&screen] { return std::string(settingsTable()[screen.selected()].name); };
    const auto value = [&screen] { return gameSettings().text(screen.selected()); };
    const struct {
        std::vector<int> keys;  // tapped, a frame each
        const char *row, *value, *notice;
    } steps[] = {
        {{vkRight}, "heads-up", "labelled", "heads-up: labelled"},
        {{vkRight}, "heads-up", "classic", "heads-up: classic"},  // a choice goes round
        {{vkDown, vkDown, vkRight}, "volume", "100", "volume: 100"},  // at the top of its range already
        {{vkLeft, vkLeft}, "volume", "90", "volume: 90"},
        {{vkUp, vkUp, vkUp}, "key-share", "L", "volume: 90"},  // Up from the first row: the last
        {{vkDown, vkDown, vkDown, vkDown, vkDown, vkDown, vkDown, vkRight},
         "mouse-sensitivity",
         "1.25",
         "mouse-sensitivity: 1.25"},
        {{vkDown, vkRight}, "invert-camera", "true", "invert-camera: true"},
        {{vkUp, vkUp, vkUp, vkRight}, "window-size", "1024x768", "window-size: 1024x768"},
        {{vkLeft, vkLeft, vkLeft}, "window-size", "640x480", "window-size: 640x480"},  // none smaller
        {{vkDown, vkDown, vkDown, vkDown, vkDown, vkDown, vkDown, vkDown, vkDown, vkDown, vkDown, vkDown, vkDown, vkDown,
          vkDown, vkDown, vkReturn},
         "key-pause",
         "P",
         "Press the new key for pause (Escape keeps P)"},
        {{vkF1}, "key-pause", "P", "key-pause takes another key: F1 is key-help's"},
        {{vkReturn, vkEscape}, "key-pause", "P", ""},  // Escape keeps the key and the screen
        {{vkReturn, 'K'}, "key-pause", "K", "key-pause: K"},
    };
    onKey(vkF2, true), onKey(vkF2, false);
    passes(1);
    const float z = Ship::player.z;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.row);
        for (int key : step.keys) {
            onKey(key, true), onKey(key, false);
            virtualClock::advanceTick(30);
            EXPECT_FALSE(loopPass());
        }
        EXPECT_TRUE(screen.shown());
        EXPECT_EQ(row(), step.row);
        EXPECT_EQ(value(), step.value);
        EXPECT_EQ(screen.notice(), step.notice);
    }
    // Taps between two frames move and change as many times as they came.
    for (int i = 0; i < 3; ++i) onKey(vkDown, true), onKey(vkDown, false);
    for (int i = 0; i < 2; ++i) onKey(vkUp, true), onKey(vkUp, false);
    passes(1);
    EXPECT_EQ(row(), "key-mute") << "three downs and two ups: one row down from key-pause";
    onKey(vkUp, true), onKey(vkUp, false), passes(1);
    // In a window too low for every row the screen scrolls, so that the chosen row shows wherever it is.
    resizeViewport(640, 300);
    passes(1);
    EXPECT_LT(screen.rowsShown(), settingsTable().size());
    for (size_t down = 0; down <= settingsTable().size(); ++down) {
        onKey(vkDown, true), onKey(vkDown, false);
        passes(1);
        ASSERT_TRUE(screen.selected() >= screen.firstShown() &&
                    screen.selected() < screen.firstShown() + screen.rowsShown());
    }
    resizeViewport(800, 600);
    passes(1);
    while (row() != "key-pause") onKey(vkUp, true), onKey(vkUp, false), passes(1);
    EXPECT_EQ(Ship::player.z, z);  // the world held still all along
    // The mouse chooses the row under it: the middle of the window is the middle shown row's, a line lower the
    // next.
    onMouseMove(400, 300);
    passes(1);
    const size_t middle = screen.firstShown() + screen.rowsShown() / 2;
    EXPECT_EQ(screen.selected(), middle);
    onMouseMove(400, unsigned(300 + GlFont::instance().lineHeight()));
    passes(1);
    EXPECT_EQ(screen.selected(), middle + 1);
    onKey(vkEscape, true);  // closes the screen, and quits nothing while held
    passes(3);
    EXPECT_FALSE(screen.shown());
    onKey(vkEscape, false);
    onKey('K', true), onKey('K', false);  // the new key pauses, the old one does nothing
    passes(1);
    const float paused = Ship::player.z;
    onKey('P', true), onKey('P', false);
    passes(2);
    EXPECT_EQ(Ship::player.z, paused);
    onKey(vkBack, true), onKey(vkBack, false);  // Backspace, or a pad's B, closes the screen too
    onKey(vkF2, true), onKey(vkF2, false);
    passes(1);
    EXPECT_TRUE(screen.shown());
    onKey(vkBack, true), onKey(vkBack, false);
    passes(1);
    EXPECT_FALSE(screen.shown());
}

TEST_F(FrameDriver, WhatThePlayerDidOrMeetsIsSaidOnTheViewForAFewSeconds) {
    const std::string pictures = makeTempDir();
    setenv("XDG_PICTURES_DIR", pictures.c_str(), 1);
    screenshotFolder = pictures;
    const auto has = [](const std::string& start) {
        for (const std::string& notice : noticesShown())
            if (notice.rfind(start, 0) == 0) return true;
        return false;
    };
    const struct {
        const char* what;
        void (*act)();     // done once the world runs
        const char* said;  // the start of the notice shown the frame after
        bool (*holds)();   // what else is so
    } cases[] = {
        {"F12", [] { onKey(keyCode(KeyAction::screenshot), true), onKey(keyCode(KeyAction::screenshot), false); },
         "Picture saved to ", [] { return true; }},
        {"M with no sound device",
         [] {
             GameSound::instance().setDevicePlays(false);
             onKey(keyCode(KeyAction::mute), true), onKey(keyCode(KeyAction::mute), false);
         },
         "No sound device", [] { return !gameSettings().on(SettingId::mute); }},
        // The headless shell, as a display without a window manager, has no whole screen to give.
        {"F11 where no window manager runs",
         [] { onKey(keyCode(KeyAction::fullscreen), true), onKey(keyCode(KeyAction::fullscreen), false); },
         "The whole screen cannot be had here", [] { return !gameSettings().on(SettingId::fullscreen); }},
        {"heading for the near edge, a few seconds away", [] { Ship::player.heading = 180; },
         "The edge of the world is near", [] { return true; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        startLevel();
        GlFont::instance().rebuild();
        passes(101);
        EXPECT_TRUE(noticesShown().empty());  // the far edge is more than three seconds ahead
        c.act();
        passes(3);  // F12's picture is taken in the frame after the press, and said from the one after that
        EXPECT_TRUE(has(c.said)) << (noticesShown().empty() ? "no notice" : noticesShown().front());
        EXPECT_TRUE(c.holds());
        if (std::string(c.what).rfind("heading", 0) == 0) continue;  // it lasts as long as the heading
        passes(110);                                                 // three seconds and more
        EXPECT_FALSE(has(c.said));
        GameSound::instance().setDevicePlays(true);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(pictures), {}), 1);
    unsetenv("XDG_PICTURES_DIR");
}

TEST_F(FrameDriver, AShieldThatDropsTintsTheEdgesByWhatItLostAndTheTintFadesInHalfASecond) {
    startLevel();
    passes(101);
    const auto leftEdgeRed = [] {
        unsigned char pixel[4] = {};
        glReadPixels(2, 300, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        return int(pixel[0]) - int(pixel[1]);
    };
    // No drop: the same picture with the cue on or off.
    passes(1);
    const int calm = leftEdgeRed();
    EXPECT_EQ(hitCueStrength(), 0.0f);
    Ship::player.shield -= 10;  // a shot's hit
    passes(1);                  // seen in the frame's update: drawn from the next
    EXPECT_EQ(hitCueStrength(), 1.0f);
    passes(1);
    EXPECT_GT(leftEdgeRed(), calm + 60);
    gameSettings().set(settingIndex(SettingId::hitCue), "false");
    passes(1);
    EXPECT_LE(std::abs(leftEdgeRed() - calm), 4);  // switched off: not drawn
    gameSettings().set(settingIndex(SettingId::hitCue), "true");
    passes(16);  // half a second of 30 ms frames
    EXPECT_EQ(hitCueStrength(), 0.0f);
    // A fireball's 1 a frame holds the cue while the shield keeps dropping.
    for (int frame = 0; frame < 30; ++frame) {
        Ship::player.shield -= 1;
        passes(1);
    }
    EXPECT_GT(hitCueStrength(), 0.3f);
    gameSettings() = Settings();
}
