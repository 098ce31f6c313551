// The web shell: the page's canvas and its WebGL context under the project's GL 1.1 layer, the page's events
// and clock, the browser's font, Web Audio; one pass of the game per animation frame. With frames=N in the
// address it runs the simulation instead, on a virtual clock, and shows the summary vanturo-sim prints.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cctype>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "WebAudio.h"
#include "WebCanvas.h"
#include "WebEvents.h"
#include "WebFont.h"
#include "WebGamepad.h"
#include "WebPage.h"
#include "WebSettings.h"
#include "WebViewer.h"
#include "app/DemoSession.h"
#include "app/FlightLink.h"
#include "app/FrameDriver.h"
#include "app/GameOptions.h"
#include "app/GameSound.h"
#include "app/GameStart.h"
#include "app/Input.h"
#include "app/KeyHelp.h"
#include "app/KeyTable.h"
#include "app/SceneSetup.h"
#include "app/Settings.h"
#include "app/SettingsScreen.h"
#include "app/Viewport.h"
#include "common/Report.h"
#include "common/Shell.h"
#include "common/FrameClock.h"
#include "objects/Ship.h"
#include "view/Camera.h"
#include "sim/Simulation.h"
#include "sim/VirtualClock.h"
#include "platform/gles2/Gl11Layer.h"

namespace {

constexpr const char* canvasTarget = "#canvas";
constexpr const char* picturesFolder = "/pictures";  // in the page's memory; each picture is downloaded
constexpr const char* shotPath = "/shot.png";        // the deterministic run's last frame
EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
bool onVirtualClock = false;
unsigned virtualTick = 0;

bool openWindow(const char*, int width, int height, int, bool) {
    emscripten_set_canvas_element_size(canvasTarget, width, height);
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;
    attributes.antialias = EM_FALSE;
    attributes.preserveDrawingBuffer = EM_TRUE;  // the last frame stays readable after it is shown
    // WebGL 2 where there is one (textures of any size repeat there), else WebGL 1: the layer needs only ES 2.0.
    for (const int version : {2, 1}) {
        attributes.majorVersion = version;
        context = emscripten_webgl_create_context(canvasTarget, &attributes);
        if (context > 0) break;
    }
    if (context <= 0 || emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
        reportFailure("this browser gives the page no WebGL");
        return false;
    }
    if (!gles2::startLayer(emscripten_webgl_get_proc_address)) {
        reportFailure("the game could not start on this browser's WebGL");
        return false;
    }
    resizeViewport(width, height);
    if (!setupScene()) {
        reportFailure("the game could not start on this browser's WebGL");
        return false;
    }
    return true;
}

void closeWindow() {
    if (context > 0) emscripten_webgl_destroy_context(context);
    context = 0;
}

// The canvas shown over the whole screen, scaled with its proportions kept; its drawing buffer keeps its size.
bool toggleFullscreen() {
    EmscriptenFullscreenChangeEvent state;
    if (emscripten_get_fullscreen_status(&state) == EMSCRIPTEN_RESULT_SUCCESS && state.isFullscreen) {
        emscripten_exit_fullscreen();
        return true;
    }
    EmscriptenFullscreenStrategy strategy = {};
    strategy.scaleMode = EMSCRIPTEN_FULLSCREEN_SCALE_ASPECT;
    strategy.canvasResolutionScaleMode = EMSCRIPTEN_FULLSCREEN_CANVAS_SCALE_NONE;
    strategy.filteringMode = EMSCRIPTEN_FULLSCREEN_FILTERING_DEFAULT;
    emscripten_request_fullscreen_strategy(canvasTarget, EM_TRUE, &strategy);  // at the next key if not now
    return true;
}

void resizeWindow(int width, int height) {
    emscripten_set_canvas_element_size(canvasTarget, width, height);
    onClientResize(width, height);
    resizeViewport(width, height);
}

unsigned tickCount() { return onVirtualClock ? virtualTick : web::wallClockMs(); }

void failureBox(const std::string& text) { web::showNotice(text); }

void swapBuffers() { gles2::drawWaiting(); }      // the browser shows the frame when the pass returns
void setVsync(bool) {}                             // the browser's animation frames follow the screen's refresh
Message handleMessage() { return Message::none; }  // events arrive through the page's callbacks
void waitMessage() {}
void sleepFor(unsigned milliseconds) {
    if (onVirtualClock) virtualTick += milliseconds;  // a page cannot sleep; the frame cap waits for the next frame
}
std::string pictures() { return picturesFolder; }
std::string executableFolder() { return "/"; }  // the level is packed with the page at /data
std::string installedData() { return std::string(); }
void feedAudio() {}  // Web Audio asks for the sound itself

constexpr Shell makeShell() {
    Shell s{};
    s.name = "web";
    s.openWindow = openWindow;
    s.closeWindow = closeWindow;
    s.swapBuffers = swapBuffers;
    s.toggleFullscreen = toggleFullscreen;
    s.resizeWindow = resizeWindow;
    s.setVsync = setVsync;
    s.glProcAddress = gles2::extensionProcAddress;
    s.handleMessage = handleMessage;
    s.waitMessage = waitMessage;
    s.tickCount = tickCount;
    s.sleep = sleepFor;
    s.buildFontBitmaps = web::buildFontBitmaps;
    s.settingsFolder = web::settingsFolder;
    s.picturesFolder = pictures;
    s.executableFolder = executableFolder;
    s.installedDataFolder = installedData;
    s.showFailureBox = failureBox;
    s.shareLink = web::shareLink;
    s.savesSharedFlights = false;  // the link is what the page hands on
    s.drawCounts = gles2::drawCounts;
    s.openAudio = web::openAudio;
    s.feedAudio = feedAudio;
    s.closeAudio = web::closeAudio;
    return s;
}

constexpr Shell webShell = makeShell();

void mixGameSound(int16_t* out, size_t frames) { GameSound::instance().mixer().mix(out, frames); }

// A screenshot (F12) lands in the pictures folder: each new one is downloaded, then let go.
void downloadPictures() {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(picturesFolder, ignored)) {
        web::offerFile(entry.path().string(), entry.path().filename().string(), true);
        std::filesystem::remove(entry.path(), ignored);
    }
}

// The page's line of keys, written again whenever a key is bound anew: the F1 help's lines, one after another.
void showKeysBoundNow() {
    static std::vector<int> shown;
    std::vector<int> bound;
    for (int action = 0; action < keyActionCount; ++action) bound.push_back(keyCode(KeyAction(action)));
    if (bound == shown) return;
    shown = bound;
    std::string text;
    for (std::string line : helpLines()) {
        for (size_t gap; (gap = line.find("   ")) != std::string::npos;)
            line.replace(gap, line.find_first_not_of(' ', gap) - gap, "; ");
        const std::string quits = keyLabel(vkEscape) + ": quit";  // the page pauses instead
        if (const size_t at = line.find(quits); at != std::string::npos) line.replace(at, quits.size(), "Escape: pause");
        text += line + ". ";
    }
    web::showKeys("A finger, like the mouse, steers and raises the camera. " + text + "Click or tap to start the sound.");
}

bool showsState = false;  // state in the address: the flight's state in the summary, every frame

// A page is never quit: Escape, which ends the desktop game, pauses the flight until the next key, click or tap.
void pass() {
    showKeysBoundNow();
    web::readGamepads();
    static bool watched = false;
    if (watched && !DemoSession::instance().watched()) web::stopWatching();  // flown on from the flight watched
    watched = DemoSession::instance().watched();
    if (watched)
        web::watchPass();
    else if (loopPass())
        web::pauseByPage();
    if (showsState) web::showSummary(flightState(frameCount));
    downloadPictures();
    web::keepSettings();
    web::followPixelDensity();
}

// A flight of its own, or the one the address holds (#flight=...), watched.
void startFlight() {
    GameOptions options;
    const std::string fragment = web::pageFragment();
    const bool watching = holdsFlightLink(fragment);
    if (watching) options.playPath = "#" + fragment;
    options.pacedReplay = false;  // a page cannot sleep: it paces a watched flight itself
    int exitCode = exitSuccess;
    if (!startGame(options, exitCode)) return;  // said, and shown in the notice
    if (watching) web::startWatching(fragment);
    web::fitCanvasToPage();
    web::openAudio(mixGameSound);
    // A browser starts sound only after a gesture: the flight waits for one, which starts both.
    web::pauseByPage(watching ? "Click, tap or press a key to watch the flight." : "Click, tap or press a key to fly.");
    emscripten_set_main_loop(pass, 0, EM_FALSE);
}

// A query's text as typed: %XX is the byte XX, + a space.
std::string unescaped(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
                   std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += char(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Whether a scripted input's name is one the page fetches: a file beside the page (vanturo.html's own rule).
bool inputNameBesideThePage(const std::string& name) {
    return !name.empty() && name.find_first_not_of(".") != std::string::npos &&
           name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789._-") ==
               std::string::npos;
}

// What the command line's refusal says, as the address spells options: "frames takes a whole number ...".
std::string addressRefusal(const std::string& text) {
    std::string what = text.substr(0, text.find(" (vanturo-sim --help"));
    const std::string program = "vanturo-sim: ";
    if (what.compare(0, program.size(), program) == 0) what.erase(0, program.size());
    for (size_t dashes; (dashes = what.find("--")) != std::string::npos;) what.erase(dashes, 2);
    return what;
}

// A run that cannot be made: {"error": WHY} as the summary and WHY as the page's notice (and on the console).
int refuseRun(const std::string& why, int code) {
    reportError(why);
    web::showSummary(nlohmann::json{{"error", why}}.dump());
    web::showNotice("The run cannot be made: " + why);
    return code;
}

// frames=N&frame-ms=MS&mouse=X,Y&seed=S (and any other option of vanturo-sim's, NAME=VALUE or NAME) run as
// vanturo-sim runs them; input=NAME names a script of input beside the page, which the page fetched.
int runDeterministic(const std::string& query, const std::string& fragment) {
    std::vector<std::string> words = {"vanturo-sim", "--no-settings", "--shot", shotPath};
    size_t at = 0;
    while (at <= query.size()) {
        const size_t end = std::min(query.find('&', at), query.size());
        const std::string pair = query.substr(at, end - at);
        const size_t equals = pair.find('=');
        if (!pair.empty()) {
            const std::string name = unescaped(pair.substr(0, equals));
            const std::string value = equals == std::string::npos ? "" : unescaped(pair.substr(equals + 1));
            if (name == "replay" && equals == std::string::npos) {  // the flight in the address, flat out
                if (!holdsFlightLink(fragment))
                    return refuseRun("replay plays the flight the address holds (#flight=...), and it holds none",
                                     exitUsage);
                words.insert(words.end(), {"--play", "#" + fragment});
                at = end + 1;
                continue;
            }
            if (name == "input" && !inputNameBesideThePage(value))
                return refuseRun("input=" + value +
                                     ": names a file beside the page, in letters, digits, '.', '_' and '-' (not '.' or "
                                     "'..')",
                                 exitUsage);
            words.push_back("--" + name);
            if (equals != std::string::npos) words.push_back(value);
        }
        at = end + 1;
    }
    std::vector<const char*> argv;
    for (const std::string& word : words) argv.push_back(word.c_str());
    SimOptions options;
    const CommandLine::Outcome outcome = parseSimOptions(int(argv.size()), argv.data(), options);
    if (!outcome.proceed) return refuseRun(addressRefusal(outcome.text), exitUsage);
    onVirtualClock = true;
    std::string summary, error;
    const int code = runSimulation(options, summary, error);
    if (summary.empty())
        return refuseRun(!error.empty()                 ? error
                         : lastReportedError().empty() ? "the run failed"
                                                       : lastReportedError(),
                         code);
    if (!error.empty()) reportError(error);
    web::showSummary(summary);
    if (std::filesystem::exists(shotPath)) web::offerFile(shotPath, "vanturo-last-frame.png", false);
    return code;
}

}  // namespace

// What the page can read of the flight (for its tests, and anyone curious in the browser's console): frames
// drawn, the ship, the camera's pitch, the polygon mode, the sound's mute, whether the flight is paused and
// the settings screen shown with its chosen row and that row's value.
// Read-only.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vanturoState() {
    static std::string text;
    const Ship& ship = Ship::player;
    GLint modes[2] = {GL_FILL, GL_FILL};  // the front's and the back's
    glGetIntegerv(GL_POLYGON_MODE, modes);
    const GLint mode = modes[0];
    text = nlohmann::json{{"frames", frameCount},
                          {"ship", {{"x", ship.x}, {"z", ship.z}, {"heading", ship.heading}, {"steer", ship.steer}}},
                          {"pitch", Camera::instance().pitch},
                          {"paused", flightPaused()},
                          {"settingsShown", SettingsScreen::instance().shown()},
                          {"settingsRow", settingsTable()[SettingsScreen::instance().selected()].name},
                          {"settingsValue", gameSettings().text(SettingsScreen::instance().selected())},
                          {"polygonMode", mode == GL_LINE    ? "lines"
                                          : mode == GL_POINT ? "points"
                                                             : "filled"},
                          {"muted", gameSettings().on(SettingId::mute)}}
               .dump();
    return text.c_str();
}

// The page's buttons for a player without a keyboard: the action named (pause, mute, help, settings) as its
// key, bound now, pressed and let go. While the page holds the flight, any of them flies on first.
extern "C" EMSCRIPTEN_KEEPALIVE void vanturoPress(const char* action) {
    web::resumeAudio();
    if (!action || web::flyOnIfPausedByPage()) return;
    for (const KeyRow& row : keyTable)
        if (row.action != KeyAction::quit && std::string(row.name) == action) {
            onKey(keyCode(row.action), true);
            onKey(keyCode(row.action), false);
        }
}

void virtualClock::setTick(unsigned tick) { virtualTick = tick; }
void virtualClock::advanceTick(unsigned milliseconds) { virtualTick += milliseconds; }

int main() {
    setProgramName("vanturo");
    useShell(webShell);
    std::filesystem::create_directory(picturesFolder);
    const std::string query = web::pageQuery();
    const std::string fragment = web::pageFragment();
    if (query.find("frames=") != std::string::npos || ("&" + query + "&").find("&replay&") != std::string::npos)
        return runDeterministic(query, fragment);
    showsState = ("&" + query + "&").find("&state&") != std::string::npos;
    web::listenToPage();
    web::restoreSettings(startFlight);  // the flight starts once the kept settings are back
    return exitSuccess;
}
