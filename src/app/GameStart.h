// The game's start, one sequence for every program that plays it: the shells and the simulation.
#pragma once

#include <string>

struct GameOptions;

// From the command line's options to an open window: the data folder, the demos asked for, the seed and the
// window. False when the game cannot start, with exitCode set to end with (the reason has been said).
bool startGame(const GameOptions& options, int& exitCode);

// The settings file the options name: --settings FILE, else the player's own in the shell's settings folder;
// "" for none (--no-settings, or no settings folder).
std::string settingsFileOf(const GameOptions& options);

// The settings the game starts with: the defaults, then the settings file (the player's own, --settings FILE or
// none), then the command line; each problem said in one line, and what could not be read left at its default.
void loadSettings(const GameOptions& options);
