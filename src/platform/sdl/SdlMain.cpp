// The SDL2 shell's entry point and main loop: every waiting event first, then a frame.
#include <SDL.h>
#include <time.h>

#include <string>
#include <vector>

#include "SdlEvents.h"
#include "SdlWindow.h"
#include "app/DataFolder.h"
#include "app/DemoSession.h"
#include "app/Game.h"
#include "app/GameOptions.h"
#include "common/GameRandom.h"
#include "common/Platform.h"
#include "common/Report.h"
#include "common/ShellState.h"

unsigned platform::tickCount() {
    // Milliseconds since the system started, as GetTickCount counts them, so the seed differs per run.
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return unsigned(uint64_t(now.tv_sec) * 1000u + uint64_t(now.tv_nsec) / 1000000u);
}

void* platform::glProcAddress(const char* name) { return SDL_GL_GetProcAddress(name); }

void platform::swapBuffers() { SDL_GL_SwapWindow(static_cast<SDL_Window*>(gameWindow())); }

namespace {

// The folder whose data/ the game plays; "" when there is none (said already).
std::string chooseDataFolder(const std::string& given) {
    char* base = SDL_GetBasePath();
    const std::string executableFolder = base ? base : "";
    SDL_free(base);
    const std::vector<std::string> candidates = dataFolderCandidates(given, executableFolder, installedDataFolder);
    const std::string folder = findDataFolder(candidates);
    if (folder.empty()) {
        const std::string message = missingDataMessage(candidates);
        reportError(message);
        // The box needs the video subsystem, as the window's own boxes do, and a display to be seen on.
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
            if (sdlWindowApi().hasDisplay())
                SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "ERROR", message.c_str(), nullptr);
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        }
    }
    return folder;
}

}  // namespace

int main(int argc, char** argv) {
    setProgramName("vanturo");
    GameOptions options;
    const CommandLine::Outcome outcome = parseGameOptions(argc, argv, options);
    if (!outcome.proceed) return CommandLine::finish(outcome);
    const std::string folder = chooseDataFolder(options.dataFolder);
    if (folder.empty() || !enterDataFolder(folder)) return failedStart;
    lastTick = platform::tickCount();
    unsigned seed = lastTick;
    if (!startDemos(options.playPath, options.recordPath, lastTick, seed)) return 2;
    gameSrand(seed);
    if (!openWindow("Vanturo", options.width, options.height, 16, options.fullscreen)) {
        DemoSession::instance().reset();  // a demo begun for this flight is dropped; an older file stays
        return failedStart;
    }
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);  // without one the mouse alone steers

    bool running = true;
    while (running) {
        SDL_Event event;
        if (SDL_PollEvent(&event)) {
            running = handleEvent(event);
            continue;
        }
        if (loopPass()) break;
        // Minimised, nothing is drawn: sleep until something happens instead of spinning a core.
        if (!active && SDL_WaitEvent(&event)) running = handleEvent(event);
    }
    closeWindow();
    SDL_Quit();
    return finishDemos(0);
}
