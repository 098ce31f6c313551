// The SDL2 shell's entry point and main loop: every waiting event first, then a frame.
#include <SDL.h>
#include <time.h>

#include "SdlAudio.h"
#include "SdlEvents.h"
#include "SdlWindow.h"
#include "app/DataFolder.h"
#include "app/DemoSession.h"
#include "app/Game.h"
#include "app/GameOptions.h"
#include "app/GameStart.h"
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

int main(int argc, char** argv) {
    setProgramName("vanturo");
    setFailureBox(showFailureBox);
    GameOptions options;
    const CommandLine::Outcome outcome = parseGameOptions(argc, argv, options);
    if (!outcome.proceed) return CommandLine::finish(outcome);
    ShellStart shell;
    char* base = SDL_GetBasePath();
    shell.executableFolder = base ? base : "";
    SDL_free(base);
    shell.installedDataFolder = installedDataFolder;
    shell.openWindow = openWindow;
    int exitCode = exitSuccess;
    if (!startGame(options, shell, exitCode)) return exitCode;
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);  // without one the mouse alone steers
    openAudio();

    bool running = true;
    while (running) {
        SDL_Event event;
        if (SDL_PollEvent(&event)) {
            running = handleEvent(event);
            continue;
        }
        if (loopPass()) break;
        feedAudio();
        // Minimised, nothing is drawn: sleep until something happens instead of spinning a core.
        if (!active && SDL_WaitEvent(&event)) running = handleEvent(event);
    }
    closeAudio();
    closeWindow();
    SDL_Quit();
    return finishDemos(exitSuccess);
}
