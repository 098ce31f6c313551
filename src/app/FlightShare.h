// Sharing a flight: the flight so far, flown or watched, as a link anyone can open, and on a desktop as a demo
// beside the pictures.
#pragma once

#include <string>

// Makes the flight so far into a link, hands it to the shell (the clipboard, a share sheet), prints it on
// stderr, saves the demo where the shell keeps them; returns what the notice says of it.
std::string shareFlight();
