// Our own words over the view: the notices, F1's help and the settings screen, each block of lines on a dark
// panel (unless the player turned the panels off).
#pragma once

#include <string>
#include <vector>

// Prints the lines centred, the first of them firstLine lines below the middle of the window (above it when
// negative) and each of the rest a line lower, over one panel that covers them all.
void printOverlayLines(const std::vector<std::string>& lines, int firstLine);
