// Termination signals (SIGINT, SIGTERM, SIGHUP) turned into a request the programs' loops check, so that a run
// a signal stops ends as a failure, with what it had not committed removed and older files as they were. A
// second signal ends the program at once, as does one that arrives while a child process group (a message
// box) is waited for: that group is killed first, so nothing is left on the screen.
#pragma once

#include <string>

// Installed once, first thing in main; the handlers interrupt blocking calls (no restart), which then fail.
void catchTerminationSignals();
// The signal that asked the program to end, or 0.
int terminationSignal();
// How a program a signal stopped ends: 128 + the signal's number, as shells report it.
int signalExitCode(int signal);
// "SIGTERM", "SIGINT", "SIGHUP", or "signal N".
std::string signalName(int signal);
// A file being written that the program removes when it ends by a signal at once (a second signal), as
// it would have discarded it on its way out after the first; let go once it is committed or discarded.
void holdScratchFile(const char* path);
void letScratchFileGo(const char* path);

// While the program has nothing on the disk to put right (a long computation before any file is begun), a
// signal ends it at once with these last words (a whole line, said on stderr in place of the usual one, the
// signal's name in place of its first "%s"); called again with "" when that part is over.
void endAtOnceOnSignal(const std::string& lastWords);

// While processGroup (a child that leads its own group) is waited for, a signal kills the group and ends the
// program; 0 when the wait is over.
void watchChildGroup(int processGroup);
