// The game's command line, the same on every platform.
#pragma once

#include <string>

#include "common/CommandLine.h"

// The sound's options, the same for the game and the simulation.
struct SoundOptions {
    bool mute = false;
    int volume = 100;  // percent
};
void addSoundOptions(CommandLine& line, SoundOptions& sound);
// Sets the game's mixer as the options say.
void applySoundOptions(const SoundOptions& sound);

struct GameOptions {
    std::string dataFolder;  // --data: looked in first, "" for none
    bool fullscreen = false;
    int width = 800, height = 600;     // the window's client area
    std::string recordPath, playPath;  // demos, as absolute paths: the game leaves the folder it started in
    SoundOptions sound;
    int frameCap = 0;         // frames a second at most (the loop sleeps out the rest of each); 0: as many as come
    bool pacedReplay = true;  // a played demo takes its frames' own time (the simulation plays it flat out)
};

// The sizes --size accepts on either side.
constexpr int minWindowSide = 160;
constexpr int maxWindowSide = 8192;  // beyond an 8K screen; GL and the frame time set the bound

// Parses the game's options into options; the outcome says whether to start.
CommandLine::Outcome parseGameOptions(int argc, const char* const* argv, GameOptions& options);
