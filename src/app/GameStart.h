// The game's start, one sequence for every shell: each shell supplies only what differs on its platform.
#pragma once

#include <string>

struct GameOptions;

struct ShellStart {
    std::string executableFolder;     // the running program's folder; "" when unknown
    std::string installedDataFolder;  // where an installed game keeps its data; "" for none
    // Opens the window with its GL context and sets the scene up (setupScene); says why itself when it cannot.
    bool (*openWindow)(const char* title, int width, int height, int bits, bool fullscreen) = nullptr;
};

// From the command line's options to an open window: the data folder, the demos asked for, the seed and the
// window. False when the game cannot start, with exitCode set to end with (the reason has been said).
bool startGame(const GameOptions& options, const ShellStart& shell, int& exitCode);
