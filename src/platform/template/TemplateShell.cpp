// The template of a new shell: every service of the seam (common/Shell.h) as a named stub that says, once, that
// it is missing. Copy this file into src/platform/NAME/, replace each stub with the platform's own service and
// keep the stubs of what the platform lacks. Every build builds it and a test runs it, so it follows the seam.
#include <set>
#include <string>

#include "app/GameOptions.h"
#include "app/MainLoop.h"
#include "common/Report.h"
#include "common/Shell.h"

namespace {

// A service this shell does not have, said once.
void missing(const char* service) {
    static std::set<std::string> said;
    if (said.insert(service).second) reportError(std::string("the template shell has no ") + service);
}

// The window and its GL context: make them, then resizeViewport and setupScene (app/), as the SDL shell does.
bool openWindow(const char*, int, int, int, bool) {
    missing("window or GL context");
    return false;
}
void closeWindow() {}  // may be called after a failed open: nothing to release
void swapBuffers() { missing("window to show frames in"); }
bool toggleFullscreen() {
    missing("screen to fill");
    return false;
}
void resizeWindow(int, int) { missing("window to resize"); }
void setVsync(bool) { missing("refresh to wait for"); }
void* glProcAddress(const char*) {
    missing("GL extension entry points");
    return nullptr;
}

// Messages: handle one through app/Input.h's entry points, or say there is none.
Message handleMessage() {
    missing("messages");
    return Message::none;
}
void waitMessage() {}

// Time: a millisecond counter and a sleep.
unsigned tickCount() {
    missing("clock");
    return 0;
}
void sleepFor(unsigned) { missing("sleep"); }

// The HUD font's glyphs as display lists.
bool buildFontBitmaps(unsigned, int, int, int) {
    missing("font");
    return false;
}

// Folders: "" where the platform has none.
std::string settingsFolder() { return ""; }  // no settings file is kept
std::string picturesFolder() { return "."; }
std::string executableFolder() { return ""; }
std::string installedDataFolder() { return ""; }

void showFailureBox(const std::string&) {}  // the line on stderr is all

// Sound: open a device that pulls from source, top it up after every pass, close it.
bool openAudio(MixSource) {
    missing("sound device");
    return false;
}
void feedAudio() {}
void closeAudio() {}
bool shareLink(const std::string&) {
    missing("clipboard");
    return false;
}

constexpr Shell makeShell() {
    Shell s{};
    s.name = "template";
    s.openWindow = openWindow;
    s.closeWindow = closeWindow;
    s.swapBuffers = swapBuffers;
    s.toggleFullscreen = toggleFullscreen;
    s.resizeWindow = resizeWindow;
    s.setVsync = setVsync;
    s.glProcAddress = glProcAddress;
    s.handleMessage = handleMessage;
    s.waitMessage = waitMessage;
    s.tickCount = tickCount;
    s.sleep = sleepFor;
    s.buildFontBitmaps = buildFontBitmaps;
    s.settingsFolder = settingsFolder;
    s.picturesFolder = picturesFolder;
    s.executableFolder = executableFolder;
    s.installedDataFolder = installedDataFolder;
    s.showFailureBox = showFailureBox;
    s.shareLink = shareLink;
    s.savesSharedFlights = true;
    s.drawCounts = nullptr;  // the driver's own GL
    s.openAudio = openAudio;
    s.feedAudio = feedAudio;
    s.closeAudio = closeAudio;
    return s;
}

constexpr Shell templateShell = makeShell();

}  // namespace

// The entry point: the program's name, the shell, the options, then the main loop (or, where the platform
// drives the frames, startGame and one loopPass per frame it gives).
int main(int argc, char** argv) {
    setProgramName("vanturo");
    useShell(templateShell);
    GameOptions options;
    const CommandLine::Outcome outcome = parseGameOptions(argc, argv, options);
    if (!outcome.proceed) return CommandLine::finish(outcome);
    return runMainLoop(options);
}
