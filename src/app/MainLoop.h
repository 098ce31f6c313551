// The main loop of the shells that poll their messages (SDL2, Win32): every waiting message first, then a
// pass, then the sound.
#pragma once

struct GameOptions;

// Starts the game on the chosen shell, runs the loop until Escape, the close button or the demo's end, and
// closes everything. Returns the exit code to end with.
int runMainLoop(const GameOptions& options);
