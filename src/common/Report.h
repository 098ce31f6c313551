// One way for every program to tell the person running it what happened: one line on stderr after the
// program's name, a box as well for a failure where the game has a display, and the exit codes it ends with.
#pragma once

#include <string>

// How the game and its tools end.
enum ExitCode : int {
    exitSuccess = 0,
    exitFailure = 1,      // a failed start, a write that failed, a run that stopped short
    exitUsage = 2,        // the command line, or a file it named, could not be used
    exitDemoDiffers = 3,  // a played demo did not end in the state it recorded
};

// Set once at the start of main: "vanturo", "vanturo-sim", "vanturo-levelgen".
void setProgramName(const char* name);
const char* programName();

// "NAME: message" on stderr: a problem the run goes on after.
void reportError(const std::string& message);
// The last problem reportError said (without the name), for a page that shows it where stderr is not read.
const std::string& lastReportedError();
// "NAME: message" on stderr too, but news rather than a problem: where a screenshot or a demo went, how a
// played demo ended.
void reportNote(const std::string& message);
// A path as a message names it: whole up to 160 characters, else its start and its end around "...", so a
// line stays a line whatever name it was given.
std::string shortPath(const std::string& path);

// "NAME: PATH: WHY": a data file that is present but refused.
void reportRefusal(const std::string& path, const std::string& why);
// A failure that ends the program: said as reportError says it, and shown in the shell's failure box (where a
// shell has been chosen). Returns code, to end with.
int reportFailure(const std::string& message, int code = exitFailure);
