// The frame driver: the order of one frame, its timing, and one pass of the main loop.
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "app/DemoSession.h"
#include "app/FlashNotice.h"
#include "app/FlightShare.h"
#include "app/FrameDriver.h"
#include "app/GameSound.h"
#include "app/Input.h"
#include "app/KeyHelp.h"
#include "app/KeyTable.h"
#include "app/Notices.h"
#include "app/OverlayText.h"
#include "app/ReplayControls.h"
#include "app/DangerMarks.h"
#include "app/Screenshot.h"
#include "app/SettingChange.h"
#include "app/Settings.h"
#include "app/ScreenTint.h"
#include "app/SettingsScreen.h"
#include "common/GameMath.h"
#include "common/Units.h"
#include "common/Shell.h"
#include "common/Report.h"
#include "common/FrameClock.h"
#include "common/InputState.h"
#include "objects/Ship.h"
#include "text/GlFont.h"
#include "view/Camera.h"
#include "world/Level.h"

namespace {
const char* const soundOnNotice = "Sound on.";
const char* const noSoundDeviceNotice = "No sound device: the game is silent.";
const char* const edgeNotice = "The edge of the world is near. Turn back!";
constexpr float soundNoticeMs = 2000;
constexpr float shareNoticeMs = 4000;  // long enough to read where the flight went
constexpr int edgeNoticeLine = -4;     // above the middle, clear of the notices that stack from it down
constexpr float edgeWarningMs = 3000;  // the flight ahead that is looked along for the world's edge
constexpr float edgeLookStep = 100;    // units between the points looked at
constexpr float hitCueFadeMs = 500;    // a full cue fades in this long
constexpr float hitCueFullDrop = 10;   // a shot's hit: the cue at full strength (a fireball's 1 adds a tenth)
float measuredMs = 0;                  // the timing step's measure: the next frame's duration
std::vector<std::string> shownNotices;
float hitCue = 0;       // the shield's cue, 0 to 1
int shieldBefore = -1;  // the shield as the last frame left it; -1 before the first

// The frame's values, set once as the pass begins: every reader in the frame sees the same.
void beginFrame(float durationMs) {
    frameDuration = durationMs;
    // A longer frame (a dragged window, a busy machine, a stopped process) would carry a moving entity over
    // whole tiles, and the walk meets it again in each: the world sees at most its longest step.
    frameTime = std::min(durationMs, maxWorldStepMs);
    ageFlashNotice(durationMs);
}

bool paused = false;
bool helpShown = false;         // F1's keys over the view; the world stands still meanwhile
bool screenshotWanted = false;  // F12 was pressed: the next frame is saved before it is shown
bool escapeTaken = false;       // the settings screen took Escape: it quits nothing until it is let go
bool shareWanted = false;       // the share key was pressed: the flight is shared at the end of the pass

// Paused, or the keys or the settings over the view: nothing moves, nothing is heard.
bool worldStill() { return paused || helpShown || SettingsScreen::instance().shown(); }

// The picture is taken before the frame is shown, and said on the view from the next frame on.
void takeScreenshot() {
    std::string error;
    const std::string path = saveScreenshot(error);
    if (path.empty()) {
        reportError("no screenshot: " + error);
        flashNotice("No picture saved: " + error);
    } else {
        reportNote("screenshot saved to " + path);
        flashNotice("Picture saved to " + shortPath(path));
    }
}

// Whether the ship, flying on as it heads, leaves the world within a few seconds.
bool edgeAhead() {
    const Ship& ship = Ship::player;
    if (!ship.filed) return false;
    const float reach = edgeWarningMs * perFrameUnit * ship.speed;
    const float dx = gameSin(ship.heading * degreesToRadians), dz = gameCos(ship.heading * degreesToRadians);
    const Level& level = Level::instance();
    for (float along = edgeLookStep; along <= reach; along += edgeLookStep)
        if (!level.tileAt(ship.x + dx * along, ship.z + dz * along)) return true;
    return false;
}

// The cue of a dropping shield: strengthened by what each frame took, fading while nothing does.
void followShield() {
    const int shield = Ship::player.shield;
    if (shieldBefore >= 0 && shield < shieldBefore)
        hitCue = std::min(1.0f, hitCue + float(shieldBefore - shield) / hitCueFullDrop);
    shieldBefore = shield;
}

void showNotice(const std::string& text, int line) {
    printOverlayLines({text}, line);
    shownNotices.push_back(text);
}

// A level without a start, or without ground, has no world to leave.
bool shipHasLeftTheWorld() {
    return !Ship::player.filed && Ship::player.hasStart() && !Level::instance().tiles().empty();
}

// The game's keys, on the view (not while the settings screen takes them).
void handleGameKeys() {
    // A key counts while it is held and in the frame after it went down, even if it was let go before the
    // frame began. Tested one after another: with several held, the last wins.
    const auto held = [](int key) { return keys[key] || keysPressed[key]; };
    if (held(keyCode(KeyAction::fill))) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    if (held(keyCode(KeyAction::lines))) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    if (held(keyCode(KeyAction::points))) glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
    if (shipHasLeftTheWorld() && (held(keyCode(KeyAction::flyAgain)) || held(vkLeftButton))) {
        Ship::player.returnToStart();
        GameSound::instance().returnedToStart();
        paused = false;  // a new flight starts flying
    }
    // P, F1, F2, F11, F12 and M act on their press, not while they are held, and a toggle once for every
    // press: two taps between frames leave it as it was, as two messages would.
    const auto pressed = [](KeyAction action) { return keysPressed[keyCode(action)] != 0; };
    const auto toggled = [](KeyAction action) { return keysPressed[keyCode(action)] % 2 != 0; };
    if (toggled(KeyAction::pause)) paused = !paused;
    if (toggled(KeyAction::help)) helpShown = !helpShown;
    if (pressed(KeyAction::screenshot)) screenshotWanted = true;  // one picture of the frame, however often asked
    if (toggled(KeyAction::fullscreen)) onFullscreenToggle();
    if (pressed(KeyAction::mute)) {
        if (!GameSound::instance().devicePlays()) {
            flashNotice(noSoundDeviceNotice, soundNoticeMs);  // no sound to offer: the setting stays as it is
        } else {
            if (toggled(KeyAction::mute))
                changeSetting(settingIndex(SettingId::mute), gameSettings().on(SettingId::mute) ? "false" : "true");
            flashNotice(GameSound::instance().mixer().muted() ? soundOffNotice() : soundOnNotice, soundNoticeMs);
        }
    }
    if (pressed(KeyAction::settings)) SettingsScreen::instance().open();
    shareWanted = shareWanted || pressed(KeyAction::share);  // once this frame is part of the flight
}
}  // namespace

void renderFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    frameCount += 1;
    const Settings& settings = gameSettings();
    Ship& ship = Ship::player;
    ship.hudLook = {settings.whole(SettingId::headsUp) == headsUpLabelled, settings.on(SettingId::headsUpBand)};
    Camera& camera = Camera::instance();
    camera.framed = settings.whole(SettingId::camera) == cameraFramed;
    camera.followShip();
    Level& level = Level::instance();
    level.draw();
    if (settings.on(SettingId::dangerMarks)) drawDangerMarks(level, ship);
    // The ship prints its heads-up line as it is drawn; out of view, or out of the world, it is not drawn,
    // and the line is printed here: it shows in every frame. On its band it is printed here, over the world.
    if (ship.hudLook.band || !ship.hudPrintedThisFrame()) ship.printHud();
    if (settings.on(SettingId::hitCue)) drawEdgeTint(hitCue);
    shownNotices.clear();
    int line = 0;  // the notices stack from the middle of the window down
    if (shipHasLeftTheWorld()) showNotice(leftWorldNotice(), line++);
    if (paused) showNotice(pausedNotice(), line++);
    if (!flashNoticeText().empty()) showNotice(flashNoticeText(), line++);
    if (DemoSession::instance().watched()) showNotice(ReplayControls::instance().status(), line++);
    if (settings.on(SettingId::edgeWarning) && frameCount > framesBeforeUpdates && !worldStill() && edgeAhead())
        showNotice(edgeNotice, edgeNoticeLine);
    SettingsScreen& screen = SettingsScreen::instance();
    if (screen.shown()) {
        screen.draw();
    } else if (helpShown) {  // above the middle, clear of the notices
        const std::vector<std::string> lines = helpLines();
        printOverlayLines(lines, -int(lines.size()) - 1);
    } else if (frameCount <= framesBeforeUpdates) {
        std::vector<std::string> hints = {helpHint()};
        if (!steeredYet()) hints.insert(hints.begin(), steeringHint());
        printOverlayLines(hints, line + 1);
    }
    if (frameCount > framesBeforeUpdates && !worldStill()) {
        level.update();
        hitCue = std::max(0.0f, hitCue - frameTime / hitCueFadeMs);  // fading as the world goes on, not while it stands
    }
    followShield();

    // Set after drawing, so they light the next frame; the position goes through the current view.
    const GLfloat ambient[4] = {1, 1, 1, 1};
    const GLfloat position[4] = {1000, 1000, -1000, 1};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_POSITION, position);

    // Unsigned difference: a wrap of the tick counter still gives the small true difference.
    const unsigned now = shell().tickCount();
    measuredMs = float(now - lastTick);
    lastTick = now;
}

float measuredFrameTime() { return measuredMs; }

const std::vector<std::string>& noticesShown() { return shownNotices; }

float hitCueStrength() { return hitCue; }

void setPaused(bool on) { paused = on; }
bool flightPaused() { return paused; }

void resetPause() {
    paused = helpShown = screenshotWanted = escapeTaken = shareWanted = false;
    SettingsScreen::instance().close();
    measuredMs = hitCue = 0;
    shieldBefore = -1;
    forgetSteering();
    clearFlashNotice();
    std::fill(std::begin(keysPressed), std::end(keysPressed), false);
}

bool loopPass() {
    DemoSession& demo = DemoSession::instance();
    float durationMs = measuredMs;
    bool drawing = active;
    if (!demo.beforePass(durationMs, drawing)) return true;  // the demo being played is over
    beginFrame(durationMs);
    if (drawing) {
        renderFrame();
        if (screenshotWanted) takeScreenshot();
        screenshotWanted = false;
        shell().swapBuffers();
    }
    // The settings screen takes the keys while it shows, Escape too: it closes the screen, and quits nothing
    // until it has been let go.
    SettingsScreen& screen = SettingsScreen::instance();
    const bool screenTookKeys = screen.shown();
    const int quitKey = keyCode(KeyAction::quit);
    if (screenTookKeys) {
        escapeTaken = escapeTaken || keys[quitKey] || keysPressed[quitKey];
        screen.handleKeys(keysPressed, keysPressed[vkLeftButton]);
    } else {
        handleGameKeys();
    }
    GameSound::instance().afterPass(frameCount > framesBeforeUpdates, worldStill(), frameTime);
    const bool quit = !screenTookKeys && !screen.shown() && !escapeTaken && (keys[quitKey] || keysPressed[quitKey]);
    escapeTaken = escapeTaken && keys[quitKey];
    demo.afterPass();
    if (shareWanted) flashNotice(shareFlight(), shareNoticeMs);
    shareWanted = false;
    std::fill(std::begin(keysPressed), std::end(keysPressed), false);
    return quit;
}
