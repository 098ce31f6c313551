// Screenshots: the frame just drawn, as a PNG, into the player's pictures folder.
#pragma once

#include <string>
#include <vector>

// The PNG file of the frame in the back buffer (the whole viewport), before it is shown.
std::vector<unsigned char> framePng();

// Where F12 puts its pictures; a shell sets it at start-up (the player's pictures folder, or the folder the
// game was started from), before the game enters its data folder.
extern std::string screenshotFolder;

// Writes framePng() into screenshotFolder under a new name made of the date and time (never over an older
// picture) and returns its path, or "" with the reason in error.
std::string saveScreenshot(std::string& error);
// Writes bytes into screenshotFolder in the same way, the name ending in extension (".demo").
std::string saveInPicturesFolder(const std::vector<unsigned char>& bytes, const char* extension, std::string& error);
