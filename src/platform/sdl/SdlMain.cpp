// The SDL2 shell: its services to the game (window, context, events, tick counter, font, folders, boxes,
// sound) and its entry point.
#include <SDL.h>
#include <time.h>

#include "SdlAudio.h"
#include "SdlEvents.h"
#include "SdlWindow.h"
#include "app/DataFolder.h"
#include "app/GameOptions.h"
#include "app/MainLoop.h"
#include "common/Report.h"
#include "common/Shell.h"
#include "common/Termination.h"
#include "platform/freetype/FreeTypeFont.h"
#include "platform/posix/MemoryArenas.h"
#include "platform/posix/PicturesFolder.h"
#include "platform/posix/SettingsFolder.h"

namespace {

unsigned tickCount() {
    // Milliseconds since the system started, as GetTickCount counts them, so the seed differs per run.
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return unsigned(uint64_t(now.tv_sec) * 1000u + uint64_t(now.tv_nsec) / 1000000u);
}

bool openGameWindow(const char* title, int width, int height, int bits, bool fullscreen) {
    if (!openWindow(title, width, height, bits, fullscreen)) return false;
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);  // without one the mouse alone steers
    return true;
}

Message handleMessage() {
    SDL_Event event;
    if (!SDL_PollEvent(&event)) return Message::none;
    return handleEvent(event) ? Message::handled : Message::quit;
}

std::string executableFolder() {
    char* base = SDL_GetBasePath();
    const std::string folder = base ? base : "";
    SDL_free(base);
    return folder;
}

void swapBuffers() { SDL_GL_SwapWindow(static_cast<SDL_Window*>(gameWindow())); }
void* glProcAddress(const char* name) { return SDL_GL_GetProcAddress(name); }
// Returns once an event waits (leaving it for handleMessage), or after a while to look for a signal.
void waitMessage() { SDL_WaitEventTimeout(nullptr, 100); }
void sleepFor(unsigned milliseconds) { SDL_Delay(milliseconds); }
bool shareLink(const std::string& link) { return SDL_SetClipboardText(link.c_str()) == 0; }
std::string installedData() { return installedDataFolder; }

constexpr Shell makeShell() {
    Shell s{};
    s.name = "sdl";
    s.openWindow = openGameWindow;
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
    s.buildFontBitmaps = freetype::buildFontBitmaps;
    s.settingsFolder = posix::settingsFolder;
    s.picturesFolder = posix::picturesFolder;
    s.executableFolder = executableFolder;
    s.installedDataFolder = installedData;
    s.showFailureBox = showFailureBox;
    s.shareLink = shareLink;
    s.savesSharedFlights = true;
    s.drawCounts = nullptr;  // the driver's own GL
    s.openAudio = openAudio;
    s.feedAudio = feedAudio;
    s.closeAudio = closeAudio;
    return s;
}

constexpr Shell sdlShell = makeShell();

}  // namespace

int main(int argc, char** argv) {
    posix::keepMemoryArenasFew();
    setProgramName("vanturo");
    useShell(sdlShell);
    // Our own handlers, not SDL's: a signal ends the game as a failure, and a box cannot hold it up.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    catchTerminationSignals();
    GameOptions options;
    const CommandLine::Outcome outcome = parseGameOptions(argc, argv, options);
    if (!outcome.proceed) return CommandLine::finish(outcome);
    const int exitCode = runMainLoop(options);
    SDL_Quit();
    return exitCode;
}
