// vanturo-sim's options: what to run, for how long, with which input and settings, and where its outputs go;
// and the scripted input it reads.
#pragma once

#include <string>
#include <vector>

#include "app/GameOptions.h"
#include "common/CommandLine.h"

struct InputEvent {
    int frame;
    enum Kind { mouse, keyDown, keyUp } kind;
    int a, b;  // mouse x, y; or the key code in a
};

struct SimOptions {
    std::string dataDir;  // --data; "" to look where the game looks
    int frames = 300;
    unsigned frameMs = 16;
    unsigned seed = 1;
    bool hasMouse = false;
    int mouseX = 0, mouseY = 0;
    std::vector<InputEvent> input;
    std::string shotPath, tracePath;
    std::string playPath;    // a demo to play: its seed, frame times and input
    std::string recordPath;  // a demo to record
    std::string linkPath;    // where the played demo's link goes
    std::string audioPath;   // the run's sound, as a WAV
    GameOptions settings;    // the settings file and the settings the command line gives
    bool time = false;
};

// Reads the options; the outcome says whether to run.
CommandLine::Outcome parseSimOptions(int argc, const char* const* argv, SimOptions& options);
// The most frames a run may have, and so the latest frame a script may name.
constexpr int maxFrames = 100000000;
// Limits of a scripted input file: far beyond any real script, small enough to hold.
constexpr size_t maxInputBytes = 64u << 20;
constexpr size_t maxInputLineBytes = 1024;

// Reads scripted input ("FRAME mouse X Y", "FRAME key down CODE", "FRAME key up CODE").
bool readInputScript(const std::string& path, std::vector<InputEvent>& events, std::string& error);
