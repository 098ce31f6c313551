// The simulation: the game's own frame driver on a shell with a virtual clock (the headless shell, the web
// page's deterministic mode), so that a run is repeatable frame for frame, and its JSON summary. vanturo-sim,
// vanturo-sim-gles2 and the page run it.
#pragma once

#include <string>

#include "sim/SimOptions.h"

// Runs the game on the shell chosen with useShell, whose clock is the virtual clock (sim/VirtualClock.h), and returns
// the exit code: 0 with the summary (one JSON object); 2 when an output path cannot be written, the data folder entered
// or the demo played, found before the run; 1 when the run or a write failed; 3 when a played demo ends in another
// state than it recorded (said in error, the summary is made). error is empty when the failure has been said already.
int runSimulation(const SimOptions& options, std::string& summary, std::string& error);

// The flight as it stands, as the summary begins: frames, the ship, the camera's pitch, the entities of each
// kind, the tiles (one JSON object). A live page shows it for its tests.
std::string flightState(int frames);
