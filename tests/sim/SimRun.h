// Running the tools as programs from the tool tests, and the small levels they fly.
#pragma once

#include <string>

struct SimRun {
    int exitCode;
    std::string out;  // stdout and stderr
};

// Runs a shell command line, stderr with stdout.
SimRun runProgram(const std::string& commandLine);
// Runs the simulation, ended if it hangs (support/HangGuard.h), after a shell prefix if given.
SimRun sim(const std::string& arguments, const std::string& shellPrefix = "");

// Starts a shell command line, waits (the hang guard at most) until the shell test ready is true, sends it the
// signal named (TERM, INT, HUP) and returns how it ended: a real signal at a chosen moment.
SimRun signalledRun(const std::string& commandLine, const std::string& ready, const std::string& signal);

// A number from the summary's JSON; -12345 when it is not there.
double field(const std::string& json, const std::string& path);

// A flat 64 by 64 level in a new folder's data/, with the start at pixel (8, 2) heading along +z; with a
// tower at (20, 20) firing every frame at its own cell if asked.
std::string flatLevel(bool withTower = false);
