// vanturo-sim: the game's own frame driver on the headless context, with a virtual tick counter, so that a
// run is repeatable frame for frame.
#pragma once

#include <map>
#include <string>
#include <vector>

struct InputEvent {
    int frame;
    enum Kind { mouse, keyDown, keyUp } kind;
    int a, b;  // mouse x, y; or the key code in a
};

struct SimOptions {
    std::string dataDir = ".";
    int frames = 300;
    unsigned frameMs = 16;
    unsigned seed = 1;
    bool hasMouse = false;
    int mouseX = 0, mouseY = 0;
    std::vector<InputEvent> input;
    std::string shotPath, tracePath;
    bool time = false;
};

// Reads the options; on a bad one returns false with a one-line message in error.
bool parseSimOptions(int argc, char** argv, SimOptions& options, std::string& error);
// Reads scripted input ("FRAME mouse X Y", "FRAME key down CODE", "FRAME key up CODE").
bool readInputScript(const std::string& path, std::vector<InputEvent>& events, std::string& error);

// Runs the game and returns the summary as one JSON object, or an empty string with error set.
std::string runSimulation(const SimOptions& options, std::string& error);
